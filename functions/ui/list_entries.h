#pragma once
// The entries of the function page's lists put into their boxes.
//
// A short list holds its entries in its own model. Long lists with the same entries (the ten
// VOX comparison lists, the pairs of timing lists) show one list of plain strings: a fraction
// of the time and memory of items for each list. Handing a list another model costs it more
// than a few dozen entries do (it rewires itself), so short lists are not shared.

#include <map>
#include <string>
#include <vector>

class QAbstractItemModel;
class QComboBox;
class QListWidget;
class QObject;

namespace tarvos::ui {

class ListEntries {
  public:
    // owner: the parent of the shared lists.
    explicit ListEntries(QObject* owner) : owner_(owner) {}

    void fill(QComboBox* box, const std::vector<std::string>& entries);
    static void fill(QListWidget* list, const std::vector<std::string>& entries);

  private:
    QAbstractItemModel* shared(const std::vector<std::string>& entries);

    QObject* owner_;
    std::map<std::vector<std::string>, QAbstractItemModel*> shared_;
};

}  // namespace tarvos::ui
