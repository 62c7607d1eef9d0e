#pragma once
// The question before a write while Settings > "Show changes before writing" is ticked: what
// the write will change on the radio, compared over the write range that was just read
// ("nothing" included), and Write or Cancel. Cancel, or closing the dialog, writes nothing.

#include <QDialog>

#include "memory/image.h"

class QLabel;
class QPushButton;

namespace tarvos {
class RadioDocument;
}

namespace tarvos::ui {

struct WindowContext;
class DifferenceList;

class WritePreviewDialog : public QDialog {
    Q_OBJECT
  public:
    // radio: an image holding the radio's bytes start..end as read; written: the image the
    // write will send (ImageAsWritten).
    WritePreviewDialog(WindowContext& ctx, const RadioDocument& doc, const ByteImage& radio,
                       const ByteImage& written, int start, int end, QWidget* parent = nullptr);

    DifferenceList* list() const { return list_; }
    QString summary() const;
    QPushButton* writeButton() const { return cmdWrite_; }
    QPushButton* cancelButton() const { return cmdCancel_; }

  private:
    QLabel* lblSummary_ = nullptr;
    DifferenceList* list_ = nullptr;
    QPushButton* cmdWrite_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace tarvos::ui
