#pragma once
// A list of differences, one row each: where, then the value on each side, in the words of
// the interface language. The comparison window and the question before a write show one.

#include <QTreeWidget>
#include <vector>

#include "document/difference_text.h"

namespace tarvos::ui {

class DifferenceList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit DifferenceList(QWidget* parent = nullptr);

    // The rows of diffs under the three column captions.
    void ShowDifferences(const std::vector<Difference>& diffs, const DifferenceWords& words,
                         const QStringList& captions);
    const std::vector<Difference>& differences() const { return differences_; }
    // The difference a row shows; nullptr for no row.
    const Difference* differenceAt(const QTreeWidgetItem* item) const;
    // The three texts of row i, as shown.
    QStringList rowTexts(int i) const;

  private:
    std::vector<Difference> differences_;
};

}  // namespace tarvos::ui
