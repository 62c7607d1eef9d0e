#include "widgets/grid_control.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleOptionHeader>

#include "base/failure.h"
#include "widgets/grid_delegate.h"

namespace tarvos::ui {

QColor ColorFromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

uint32_t BgrFromColor(const QColor& c) {
    return Rgb(c.red(), c.green(), c.blue());
}

int TwipsToPixels(int twips) {
    return twips <= 0 ? 0 : (twips + 7) / 15;
}

GridControl::GridControl(QWidget* parent) : QTableView(parent) {
    setModel(&model_);
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setMouseTracking(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The corner above the label column is the fixed cell (0, 0): it shows its caption like
    // the other header cells ("CH" above the channel numbers) instead of an empty button.
    cornerButton_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (cornerButton_) cornerButton_->installEventFilter(this);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    applyPalette();
}

void GridControl::checkCell(int row, int col) const {
    if (row < 0 || col < 0 || row >= rows() || col >= cols())
        Raise(err::InvalidPropertyIndex, "grid cell out of range");
}

QStandardItem* GridControl::cell(int row, int col) const {
    checkCell(row, col);
    QStandardItem* item = model_.item(row - 1, col - 1);
    if (!item) {
        makeCells();
        item = model_.item(row - 1, col - 1);
    }
    return item;
}

// Every cell not made yet, made at once and quietly: one by one, each new cell would have the
// view lay itself out again, which for a fresh grid costs more than all the rest of drawing it.
// New cells are empty, so nothing on screen changes.
void GridControl::makeCells() const {
    auto& model = const_cast<QStandardItemModel&>(model_);
    const QSignalBlocker quiet(&model);
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c) {
            if (model.item(r, c)) continue;
            auto* item = new QStandardItem;
            item->setTextAlignment(Qt::AlignCenter);
            model.setItem(r, c, item);
        }
}

void GridControl::setRows(int rows) {
    model_.setRowCount(std::max(0, rows - 1));
}

void GridControl::setCols(int cols) {
    const int count = std::max(0, cols - 1);
    if (count == model_.columnCount()) return;
    // Each change of the column count has the view ask both headers for their size, which
    // measures every caption again. A grid not on screen yet has its headers measured once,
    // when it is shown.
    QHeaderView* top = horizontalHeader();
    QHeaderView* side = verticalHeader();
    const bool quiet = !isVisible() && !top->isHidden() && !side->isHidden();
    if (quiet) {
        top->setHidden(true);
        side->setHidden(true);
    }
    model_.setColumnCount(count);
    if (quiet) {
        top->setHidden(false);
        side->setHidden(false);
    }
}

void GridControl::setFormatString(const QString& format) {
    const QStringList caps = format.split('|');
    setCols(static_cast<int>(caps.size()));
    corner_ = caps.value(0);
    if (cornerButton_) cornerButton_->update();
    for (int c = 1; c < caps.size(); ++c)
        model_.setHorizontalHeaderItem(c - 1, new QStandardItem(caps[c]));
}

void GridControl::addItem(const QString& label) {
    const int r = model_.rowCount();
    model_.setRowCount(r + 1);
    model_.setVerticalHeaderItem(r, new QStandardItem(label));
}

void GridControl::setRowHeightTwips(int row, int twips) {
    checkCell(row, 0);
    const int px = std::max(TwipsToPixels(twips), fontMetrics().height() + 4);
    if (row == 0)
        horizontalHeader()->setFixedHeight(px);
    else
        setRowHeight(row - 1, px);
}

void GridControl::setColWidthTwips(int col, int twips) {
    checkCell(0, col);
    if (col == 0)
        verticalHeader()->setFixedWidth(TwipsToPixels(twips));
    else
        setColumnWidth(col - 1, TwipsToPixels(twips));
}

int GridControl::colWidthTwips(int col) const {
    checkCell(0, col);
    return (col == 0 ? verticalHeader()->width() : columnWidth(col - 1)) * 15;
}

void GridControl::setColAlignmentCenter(int col) {
    checkCell(0, col);
    if (col == 0) return;  // the label column is always centred
    // A cell not yet filled is made centred when it is (cell()); making all of them here
    // would create an item for every cell of an empty grid, which start-up pays for.
    for (int r = 1; r < rows(); ++r)
        if (QStandardItem* item = model_.item(r - 1, col - 1))
            item->setTextAlignment(Qt::AlignCenter);
}

void GridControl::setFontSize(double points) {
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
    horizontalHeader()->setFont(f);
    verticalHeader()->setFont(f);
}

void GridControl::setColDataType(int col, ValueType type) {
    checkCell(0, col);
    types_[col] = type;
}

GridControl::ValueType GridControl::colDataType(int col) const {
    auto it = types_.find(col);
    return it == types_.end() ? ValueType::Text : it->second;
}

void GridControl::setColEditMask(int col, const QString& mask) {
    checkCell(0, col);
    masks_[col] = mask;
}

QString GridControl::colEditMask(int col) const {
    auto it = masks_.find(col);
    return it == masks_.end() ? QString() : it->second;
}

void GridControl::setColComboList(int col, const QString& list) {
    checkCell(0, col);
    lists_[col] = list;
}

QString GridControl::colComboList(int col) const {
    auto it = lists_.find(col);
    return it == lists_.end() ? QString() : it->second;
}

QString GridControl::text(int row, int col) const {
    checkCell(row, col);
    if (row == 0 && col == 0) return corner_;
    if (row == 0) {
        auto* h = model_.horizontalHeaderItem(col - 1);
        return h ? h->text() : QString();
    }
    if (col == 0) {
        auto* h = model_.verticalHeaderItem(row - 1);
        return h ? h->text() : QString();
    }
    const QStandardItem* item = model_.item(row - 1, col - 1);
    return item ? item->text() : QString();
}

void GridControl::setText(int row, int col, const QString& text) {
    checkCell(row, col);
    if (row == 0 && col == 0) {
        corner_ = text;
        if (cornerButton_) cornerButton_->update();
    } else if (row == 0) {
        model_.setHorizontalHeaderItem(col - 1, new QStandardItem(text));
    } else if (col == 0) {
        model_.setVerticalHeaderItem(row - 1, new QStandardItem(text));
    } else {
        cell(row, col)->setText(text);
    }
}

void GridControl::select(int row, int col) {
    checkCell(row, col);
    if (row == 0 || col == 0) Raise(err::InvalidPropertyIndex, "fixed cells cannot be current");
    setCurrentIndex(model_.index(row - 1, col - 1));
}

int GridControl::row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int GridControl::col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() + 1 : 0;
}

void GridControl::setCellForeColor(uint32_t bgr) {
    const int r = row(), c = col();
    if (r < 1 || c < 1) Raise(err::InvalidPropertyIndex, "no current cell");
    cell(r, c)->setForeground(ColorFromBgr(bgr));
}

uint32_t GridControl::foreColorAt(int row, int col) const {
    if (row < 1 || col < 1) checkCell(-1, -1);
    const QVariant v = cell(row, col)->data(Qt::ForegroundRole);
    return v.isValid() ? BgrFromColor(v.value<QBrush>().color()) : 0x000000;
}

void GridControl::setForeColorAt(int row, int col, uint32_t bgr) {
    if (row < 1 || col < 1) checkCell(-1, -1);
    cell(row, col)->setForeground(ColorFromBgr(bgr));
}

void GridControl::setCellBackColor(int r1, int c1, int r2, int c2, uint32_t bgr) {
    if (r1 > r2) std::swap(r1, r2);
    if (c1 > c2) std::swap(c1, c2);
    checkCell(r1, c1);
    checkCell(r2, c2);
    for (int r = std::max(1, r1); r <= r2; ++r)
        for (int c = std::max(1, c1); c <= c2; ++c) cell(r, c)->setBackground(ColorFromBgr(bgr));
    if (c1 != 0) return;
    for (int r = std::max(1, r1); r <= r2; ++r) {
        QStandardItem* label = model_.verticalHeaderItem(r - 1);
        if (!label) continue;
        if (bgr == back_)
            label->setData(QVariant(), Qt::BackgroundRole);
        else
            label->setBackground(ColorFromBgr(bgr));
    }
}

uint32_t GridControl::backColorAt(int row, int col) const {
    if (row < 1 || col < 1) checkCell(-1, -1);
    const QVariant v = cell(row, col)->data(Qt::BackgroundRole);
    return v.isValid() ? BgrFromColor(v.value<QBrush>().color()) : back_;
}

void GridControl::setBackColorBkg(uint32_t bgr) {
    bkg_ = bgr;
    applyPalette();
}

void GridControl::setBackColor(uint32_t bgr) {
    back_ = bgr;
    applyPalette();
}

void GridControl::setBackColorSel(uint32_t bgr) {
    sel_ = bgr;
    applyPalette();
}

namespace {
// The grid lines' colour, which the desktop's style would otherwise take from its own palette.
// A style sheet could say the same, but it hands every part of the grid (headers, scroll bars,
// editors) to the style sheet machinery, which costs start-up several milliseconds for the
// three grids it builds; a proxy of the desktop's style answers for this one hint only.
class GridLineStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Table_GridLineColor) return static_cast<int>(qRgb(0xb8, 0xb8, 0xb8));
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
}  // namespace

void GridControl::applyPalette() {
    if (!gridStyle_) {
        gridStyle_ = new GridLineStyle;
        gridStyle_->setParent(this);
        setStyle(gridStyle_);
    }
    QPalette p = palette();
    p.setColor(QPalette::Base, ColorFromBgr(back_));
    p.setColor(QPalette::Highlight, ColorFromBgr(sel_));
    p.setColor(QPalette::HighlightedText, Qt::white);
    // A disabled grid (the interface lock) stays readable: the selection takes the cells'
    // own text colour instead of white, and the header captions a dark grey that reads on
    // a painted row label too.
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, QColor(0x30, 0x30, 0x30));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x40, 0x40, 0x40));
    setPalette(p);
    // The area right of and below the last cell shows the outside colour; the cells and the
    // editors opened on them keep the cell colour.
    QWidget* area = viewport();
    area->setBackgroundRole(QPalette::Window);
    area->setAutoFillBackground(true);
    QPalette outside = area->palette();
    outside.setColor(QPalette::Window, ColorFromBgr(bkg_));
    area->setPalette(outside);
}

QRect GridControl::cellGeometry() const {
    const QModelIndex i = currentIndex();
    if (!i.isValid()) return {};
    QRect r = visualRect(i);
    r.translate(viewport()->pos());
    return r;
}

void GridControl::showRow(int row) {
    checkCell(row, 1);
    if (row >= 1) scrollTo(model_.index(row - 1, 0));
}

void GridControl::editCell() {
    const QModelIndex i = currentIndex();
    if (i.isValid()) edit(i, QAbstractItemView::AllEditTriggers, nullptr);
}

void GridControl::commitEdit() {
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void GridControl::cancelEdit() {
    if (QWidget* editor = indexWidget(currentIndex()))
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool GridControl::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!editable_ && trigger != QAbstractItemView::NoEditTriggers) return false;
    if (trigger != QAbstractItemView::NoEditTriggers && index.isValid()) {
        bool cancel = false;
        emit beforeEdit(index.row() + 1, index.column() + 1, &cancel);
        if (cancel) return false;
    }
    return QTableView::edit(index, trigger, event);
}

bool GridControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cornerButton_ && event->type() == QEvent::Paint) {
        QStyleOptionHeader opt;
        opt.initFrom(cornerButton_);
        opt.palette = horizontalHeader()->palette();
        opt.state = QStyle::State_Enabled | QStyle::State_Raised;
        opt.rect = cornerButton_->rect();
        opt.position = QStyleOptionHeader::OnlyOneSection;
        opt.text = corner_;
        opt.textAlignment = Qt::AlignCenter;
        QPainter painter(cornerButton_);
        painter.setFont(horizontalHeader()->font());
        style()->drawControl(QStyle::CE_Header, &opt, &painter, cornerButton_);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

// Mouse events of a table arrive in viewport coordinates.
void GridControl::trackMouse(const QPoint& vp) {
    const int r = rowAt(vp.y()), c = columnAt(vp.x());
    mouseRow_ = r < 0 ? -1 : r + 1;
    mouseCol_ = c < 0 ? -1 : c + 1;
}

void GridControl::mousePressEvent(QMouseEvent* e) {
    trackMouse(e->position().toPoint());
    QTableView::mousePressEvent(e);
    emit gridMouseDown(e->button(), e->modifiers(), e->position().toPoint().x(),
                       e->position().toPoint().y());
    if (e->button() == Qt::LeftButton) emit gridClicked();
}

void GridControl::keyPressEvent(QKeyEvent* e) {
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(e);
    if (currentIndex() != before) emit currentMovedByKey();
}

bool GridControl::focusNextPrevChild(bool next) {
    const QModelIndex before = currentIndex();
    const bool done = QTableView::focusNextPrevChild(next);
    if (currentIndex() != before) emit currentMovedByKey();
    return done;
}

void GridControl::mouseMoveEvent(QMouseEvent* e) {
    trackMouse(e->position().toPoint());
    QTableView::mouseMoveEvent(e);
    emit gridMouseMove(e->buttons(), e->modifiers(), e->position().toPoint().x(),
                       e->position().toPoint().y());
}

void GridControl::mouseDoubleClickEvent(QMouseEvent* e) {
    trackMouse(e->position().toPoint());
    QTableView::mouseDoubleClickEvent(e);
    emit gridDoubleClicked();
}

}  // namespace tarvos::ui
