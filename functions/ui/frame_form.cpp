#include "functions/ui/frame_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvos::ui {

FrameForm::FrameForm(QWidget* frame, int pairColumns, int checkColumns, int listBoxColumns)
    : frame_(frame),
      pairColumns_(pairColumns),
      checkColumns_(checkColumns),
      listBoxColumns_(listBoxColumns) {
    auto* outer = new QVBoxLayout(frame);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(6);
    head_ = new QVBoxLayout;
    listBoxes_ = new QGridLayout;
    listBoxes_->setHorizontalSpacing(10);
    pairs_ = new QGridLayout;
    pairs_->setHorizontalSpacing(8);
    pairs_->setVerticalSpacing(4);
    checks_ = new QGridLayout;
    checks_->setHorizontalSpacing(16);
    checks_->setVerticalSpacing(2);
    wide_ = new QVBoxLayout;
    // The columns keep to the left; what is left over goes to a last, empty column.
    listBoxes_->setColumnStretch(listBoxColumns_, 1);
    pairs_->setColumnStretch(2 * pairColumns_, 1);
    checks_->setColumnStretch(checkColumns_, 1);
    for (QLayout* l : {static_cast<QLayout*>(head_), static_cast<QLayout*>(listBoxes_),
                       static_cast<QLayout*>(pairs_), static_cast<QLayout*>(checks_),
                       static_cast<QLayout*>(wide_)})
        outer->addLayout(l);
    outer->addStretch();
}

void FrameForm::addHead(QWidget* w) {
    head_->addWidget(w);
}

void FrameForm::addListBox(QLabel* label, QWidget* box) {
    auto* cell = new QVBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(label);
    cell->addWidget(box);
    listBoxes_->addLayout(cell, listBoxCount_ / listBoxColumns_, listBoxCount_ % listBoxColumns_);
    ++listBoxCount_;
}

void FrameForm::addPair(QLabel* label, QWidget* field) {
    const int row = pairCount_ / pairColumns_, col = pairCount_ % pairColumns_;
    ++pairCount_;
    auto* fields = new QHBoxLayout;
    fields->setSpacing(4);
    fields->addWidget(field);
    fields->addStretch();
    label->setBuddy(field);
    pairs_->addWidget(label, row, 2 * col);
    pairs_->addLayout(fields, row, 2 * col + 1);
    // Some air before a further pair column.
    if (col > 0) label->setContentsMargins(14, 0, 0, 0);
    fieldsOf_[label] = fields;
}

void FrameForm::extend(QLabel* label, QWidget* extra) {
    QHBoxLayout* fields = fieldsOf_.at(label);
    fields->insertWidget(fields->count() - 1, extra);
}

void FrameForm::addCheck(QWidget* check) {
    checks_->addWidget(check, checkCount_ / checkColumns_, checkCount_ % checkColumns_);
    ++checkCount_;
}

QHBoxLayout* FrameForm::row(const std::string& key) {
    auto it = rows_.find(key);
    if (it != rows_.end()) return it->second;
    auto* r = new QHBoxLayout;
    r->setSpacing(10);
    wide_->addLayout(r);
    rows_[key] = r;
    return r;
}

}  // namespace tarvos::ui
