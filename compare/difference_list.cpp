#include "compare/difference_list.h"

#include <QHeaderView>

namespace tarvos::ui {

DifferenceList::DifferenceList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("listDifferences");
    setColumnCount(3);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
}

void DifferenceList::ShowDifferences(const std::vector<Difference>& diffs,
                                     const DifferenceWords& words, const QStringList& captions) {
    differences_ = diffs;
    clear();
    setHeaderLabels(captions);
    QList<QTreeWidgetItem*> rows;
    for (size_t i = 0; i < diffs.size(); ++i) {
        const DifferenceText t = words.describe(diffs[i]);
        auto* item =
            new QTreeWidgetItem({QString::fromStdString(t.where), QString::fromStdString(t.oldText),
                                 QString::fromStdString(t.newText)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        rows << item;
    }
    addTopLevelItems(rows);
    // Room after the text, so the columns do not run into each other.
    for (int c = 0; c < 2; ++c) {
        resizeColumnToContents(c);
        setColumnWidth(c, columnWidth(c) + 16);
    }
}

const Difference* DifferenceList::differenceAt(const QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    const int i = item->data(0, Qt::UserRole).toInt();
    return i >= 0 && i < static_cast<int>(differences_.size())
               ? &differences_[static_cast<size_t>(i)]
               : nullptr;
}

QStringList DifferenceList::rowTexts(int i) const {
    const QTreeWidgetItem* item = topLevelItem(i);
    if (!item) return {};
    return {item->text(0), item->text(1), item->text(2)};
}

}  // namespace tarvos::ui
