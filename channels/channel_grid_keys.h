#pragma once
// The channel grid's keyboard: Enter ends an edit (of a cell or the tone box) and moves down;
// the arrow keys, Tab and Shift+Tab take the row highlight along with the current cell; the
// Menu key and Shift+F10 open the channel menu for the current row; in the tone box Escape
// drops what was typed, as it does in a frequency cell, and Tab and Shift+Tab go on to the
// next and previous cells.

#include <QAbstractItemDelegate>
#include <QObject>

namespace tarvos::ui {

class ChannelWindow;

class ChannelGridKeys : public QObject {
    Q_OBJECT
  public:
    explicit ChannelGridKeys(ChannelWindow& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool gridKey(QEvent* event);
    bool toneBoxKey(QEvent* event);
    void editorClosed(QAbstractItemDelegate::EndEditHint hint);
    void openMenu();
    // The current cell to (row, col) within the grid, the row highlight with it.
    void moveTo(int row, int col);
    void paintCurrentRow();
    // The cell after (or before) the current one, row by row.
    void step(bool forward);

    ChannelWindow& w_;
};

}  // namespace tarvos::ui
