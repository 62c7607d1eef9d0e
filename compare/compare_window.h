#pragma once
// The comparison window: where the document and a data file, or the radio, differ as the
// application shows them (the comparison of document/image_compare.h), one row each, in the
// interface language, with the document on the left. The document is not touched.
// Double-clicking a channel row or a setting row asks for its cell or control to be brought
// into view; the main window does that, as it holds the channel window and the pages.

#include <QDialog>
#include <vector>

#include "document/image_compare.h"

class QLabel;
class QTreeWidgetItem;

namespace tarvos {
class RadioDocument;
}

namespace tarvos::ui {

struct WindowContext;
class DifferenceList;

class CompareWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Other { File, Radio };

    // The document as it shows now compared with other, which came from otherName (a file
    // path, or the radio's port).
    CompareWindow(WindowContext& ctx, const RadioDocument& doc, const ByteImage& other, Other kind,
                  const QString& otherName, QWidget* parent = nullptr);

    DifferenceList* list() const { return list_; }
    QString summary() const;
    // Names the backup the read behind a comparison with the radio left.
    void setBackup(const QString& path);

  signals:
    // column: the grid column of the field, 0 when it has none.
    void revealChannel(int channel, int column);
    // A control of the function pages, by its name ("cboTot", "vsfgGridTwoTone(1)").
    void revealSetting(const QString& name);

  private:
    void rowDoubleClicked(QTreeWidgetItem* item);

    WindowContext& ctx_;
    int columnCount_ = 0;
    QLabel* lblSummary_ = nullptr;
    QLabel* lblBackup_ = nullptr;
    DifferenceList* list_ = nullptr;
};

// File > "Compare with File…": asks for a data file, then shows the window over parent (not
// modal; it deletes itself when closed). nullptr when the dialog was cancelled or the file is
// no data file (told as Open tells it).
CompareWindow* CompareWithFile(WindowContext& ctx, const RadioDocument& doc,
                               const QString& startFolder, QWidget* parent);

// The summary line above a list of n differences.
QString DifferenceCountText(int language, int n);

}  // namespace tarvos::ui
