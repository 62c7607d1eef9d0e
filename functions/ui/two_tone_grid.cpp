#include "functions/ui/two_tone_grid.h"

#include <QHeaderView>

#include "widgets/grid_control.h"

namespace tarvos::ui {

namespace {
// The two-tone grids' column widths (twips); the interval column takes the width of the
// duration columns.
constexpr int kTwoToneWidths[6] = {500, 1300, 1050, 1300, 1050, 1050};
constexpr int kTwoToneRowHeight = 260;

QString Joined(const std::vector<std::string>& list) {
    QStringList l;
    for (const auto& s : list) l << QString::fromStdString(s);
    return l.join('|');
}
}  // namespace

void InitTwoToneGrid(GridControl& grid, int g, int language) {
    grid.setFormatString(QString::fromStdString(TwoToneHeaderFormat(language)));
    grid.setRowHeightTwips(0, kTwoToneRowHeight);
    for (int r = 1; r <= 8; ++r) {
        grid.addItem(QString::number(8 * g + r));
        grid.setRowHeightTwips(r, kTwoToneRowHeight);
    }
    for (int c = 0; c <= 5; ++c) {
        grid.setColAlignmentCenter(c);
        grid.setColWidthTwips(c, kTwoToneWidths[c]);
    }
    grid.setColDataType(1, GridControl::ValueType::Decimal);
    grid.setColDataType(3, GridControl::ValueType::Decimal);
    grid.setColComboList(2, Joined(TwoToneDurationList()));
    grid.setColComboList(4, Joined(TwoToneDurationList()));
    grid.setColComboList(5, Joined(TwoToneIntervalList()));
    for (int c : {2, 4, 5}) grid.setColListOnly(c, true);  // the times only as their lists offer
    // White cells; the grid has no area outside them.
    grid.setCellBackColor(1, 1, 8, 5, Rgb(255, 255, 255));
    grid.setEditable(true);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    // The whole grid in view, without scroll bars.
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = grid.verticalHeader()->width() + 2 * grid.frameWidth();
    for (int c = 1; c <= 5; ++c) width += grid.columnWidth(c - 1);
    int height = grid.horizontalHeader()->height() + 2 * grid.frameWidth();
    for (int r = 1; r <= 8; ++r) height += grid.rowHeight(r - 1);
    grid.setFixedSize(width, height);
}

void ShowTwoToneGrid(GridControl& grid, int g, const TwoToneTable& cells) {
    for (int r = 1; r <= 8; ++r) {
        const TwoToneCells& e = cells[static_cast<size_t>(8 * g + r - 1)];
        for (int c = 1; c <= 5; ++c) {
            const QString text = QString::fromStdString(e.cell(static_cast<TwoToneColumn>(c)));
            if (grid.text(r, c) != text) grid.setText(r, c, text);
        }
    }
}

}  // namespace tarvos::ui
