#include "functions/ui/list_entries.h"

#include <QComboBox>
#include <QListWidget>
#include <QStandardItemModel>
#include <QStringListModel>

namespace tarvos::ui {

namespace {
QStringList Texts(const std::vector<std::string>& entries) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const auto& e : entries) texts << QString::fromStdString(e);
    return texts;
}
}  // namespace

void ListEntries::fill(QComboBox* box, const std::vector<std::string>& entries) {
    constexpr size_t kShortList = 64;
    if (entries.size() > kShortList) {
        box->setModel(shared(entries));
        return;
    }
    // A shared list is not to be emptied: the list goes back to a model of its own.
    if (box->model()->parent() != box) box->setModel(new QStandardItemModel(0, 1, box));
    box->clear();
    box->addItems(Texts(entries));
}

void ListEntries::fill(QListWidget* list, const std::vector<std::string>& entries) {
    list->clear();
    list->addItems(Texts(entries));
}

QAbstractItemModel* ListEntries::shared(const std::vector<std::string>& entries) {
    auto it = shared_.find(entries);
    if (it != shared_.end()) return it->second;
    auto* model = new QStringListModel(Texts(entries), owner_);
    shared_.emplace(entries, model);
    return model;
}

}  // namespace tarvos::ui
