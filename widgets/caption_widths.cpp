#include "widgets/caption_widths.h"

#include <QHeaderView>
#include <QStyle>

#include "widgets/grid_control.h"

namespace tarvos::ui {

void WidenColumnsToCaptions(GridControl& grid) {
    QHeaderView* top = grid.horizontalHeader();
    for (int c = 1; c < grid.cols(); ++c) {
        const int wanted = top->sectionSizeHint(c - 1);
        if (grid.columnWidth(c - 1) < wanted) grid.setColumnWidth(c - 1, wanted);
    }
    // The label column's caption is the corner cell's.
    QHeaderView* side = grid.verticalHeader();
    const int margin = grid.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, top);
    const int corner = side->fontMetrics().horizontalAdvance(grid.text(0, 0)) + 4 * margin;
    if (side->width() < corner) side->setFixedWidth(corner);
}

}  // namespace tarvos::ui
