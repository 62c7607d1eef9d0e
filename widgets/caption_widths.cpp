#include "widgets/caption_widths.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>

#include "widgets/grid_control.h"

namespace tarvos::ui {

void WidenColumnsToCaptions(GridControl& grid) {
    // Measured in the header's own font, as the captions are drawn (the header's size hint
    // would measure them bold, and loading a bold face costs start-up time and memory).
    QHeaderView* top = grid.horizontalHeader();
    const QFontMetrics metrics(top->font());
    const int margins = 2 * grid.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, top) + 4;
    for (int c = 1; c < grid.cols(); ++c) {
        const int wanted = metrics.horizontalAdvance(grid.text(0, c)) + margins;
        if (grid.columnWidth(c - 1) < wanted) grid.setColumnWidth(c - 1, wanted);
    }
    // The label column's caption is the corner cell's.
    QHeaderView* side = grid.verticalHeader();
    const int corner = metrics.horizontalAdvance(grid.text(0, 0)) + margins;
    if (side->width() < corner) side->setFixedWidth(corner);
}

}  // namespace tarvos::ui
