#pragma once
// GridControl: the one table widget every grid of the application uses (the channel grid,
// the two-tone grids, the memory grid). It keeps the addressing the rest of the code is
// written in: row 0 is the fixed header row, column 0 the fixed label column, and data
// cells start at (1, 1). Sizes are given in twips and colours as 0xBBGGRR numbers, the
// units the settings file and the layouts are written in.

#include <QColor>
#include <QStandardItemModel>
#include <QTableView>
#include <cstdint>
#include <map>
#include <set>

class QAbstractButton;

namespace tarvos::ui {

// 0xBBGGRR <-> QColor.
QColor ColorFromBgr(uint32_t bgr);
uint32_t BgrFromColor(const QColor& c);
inline constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
           (static_cast<uint32_t>(b) << 16);
}
// Twips to pixels at the usual 15 twips per pixel.
int TwipsToPixels(int twips);

class GridControl : public QTableView {
    Q_OBJECT
  public:
    enum class ValueType { Text, Decimal };

    explicit GridControl(QWidget* parent = nullptr);

    // Structure. Counts include the header row and the label column.
    void setRows(int rows);
    int rows() const { return model_.rowCount() + 1; }
    void setCols(int cols);
    int cols() const { return model_.columnCount() + 1; }
    // Header captions "cap0|cap1|...": sets the column count to the number of captions.
    void setFormatString(const QString& format);
    // Appends a row labelled label.
    void addItem(const QString& label);
    void setRowHeightTwips(int row, int twips);
    void setColWidthTwips(int col, int twips);
    int colWidthTwips(int col) const;
    void setColAlignmentCenter(int col);
    void setFontSize(double points);

    // Per-column value type, edit mask ("###.#####", '#' an optional digit, '0' a digit)
    // and drop-down list ("a|b|c"); an empty list removes it.
    void setColDataType(int col, ValueType type);
    ValueType colDataType(int col) const;
    void setColEditMask(int col, const QString& mask);
    QString colEditMask(int col) const;
    void setColComboList(int col, const QString& list);
    QString colComboList(int col) const;
    // A drop-down column that takes only its entries (no typed text).
    void setColListOnly(int col, bool only) {
        checkCell(0, col);
        only ? void(listOnly_.insert(col)) : void(listOnly_.erase(col));
    }
    bool colListOnly(int col) const { return listOnly_.count(col) > 0; }

    // Cells.
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    void select(int row, int col);
    int row() const;
    int col() const;
    // Text colour of the current cell.
    void setCellForeColor(uint32_t bgr);
    uint32_t cellForeColor() const { return foreColorAt(row(), col()); }
    uint32_t foreColorAt(int row, int col) const;
    void setForeColorAt(int row, int col, uint32_t bgr);
    // Background of the cells in the rectangle (r1, c1)-(r2, c2), corners in any order. The
    // label column is painted too when c1 is 0; in the grid's own background colour it
    // returns to the header's look.
    void setCellBackColor(int r1, int c1, int r2, int c2, uint32_t bgr);
    uint32_t backColorAt(int row, int col) const;
    // Area outside the data cells, the grid's own background and the selection colour.
    void setBackColorBkg(uint32_t bgr);
    uint32_t backColorBkg() const { return bkg_; }
    void setBackColor(uint32_t bgr);
    uint32_t backColor() const { return back_; }
    void setBackColorSel(uint32_t bgr);
    uint32_t backColorSel() const { return sel_; }

    // Geometry of the current cell in the grid's own coordinates.
    QRect cellGeometry() const;
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }
    void showRow(int row);

    // In-place editing: the switch is set before each edit; editCell edits the current cell.
    void setEditable(bool on) { editable_ = on; }
    bool editable() const { return editable_; }
    void editCell();
    // A cell editor is open.
    bool editing() const { return state() == EditingState; }
    // Stores the open cell editor's text (after-edit) and closes it.
    void commitEdit();
    // Closes the open cell editor without storing its text (no after-edit).
    void cancelEdit();
    // Index of the entry chosen in the last drop-down edit, -1 when the text matched none.
    int comboIndex() const { return comboIndex_; }

  signals:
    void beforeEdit(int row, int col, bool* cancel);
    void afterEdit(int row, int col);
    void gridClicked();
    void gridDoubleClicked();
    void gridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void gridMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    // The current cell moved by a key of the grid's own (an arrow, Page Up, Tab ...).
    void currentMovedByKey();

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class GridDelegate;
    QStandardItem* cell(int row, int col) const;  // data cells only
    void makeCells() const;
    void checkCell(int row, int col) const;
    void trackMouse(const QPoint& pos);
    void applyPalette();

    QStandardItemModel model_;
    QString corner_;
    QAbstractButton* cornerButton_ = nullptr;  // the view's corner, drawn with corner_
    std::map<int, ValueType> types_;
    std::map<int, QString> masks_;
    std::map<int, QString> lists_;
    std::set<int> listOnly_;
    uint32_t bkg_ = 0x808080, back_ = 0xFFFFFF, sel_ = 0x8D6A2E;
    QStyle* gridStyle_ = nullptr;  // owned as a child object
    bool editable_ = false;
    int comboIndex_ = -1;
    int mouseRow_ = -1, mouseCol_ = -1;
};

}  // namespace tarvos::ui
