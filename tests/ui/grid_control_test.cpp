#include "widgets/grid_control.h"

#include <QAbstractButton>
#include <QComboBox>

#include "base/failure.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

struct AppFirst {
    AppFirst() { App(); }
};

class GridTest : AppFirst, public ::testing::Test {
  protected:
    void SetUp() override {
        grid.setRows(1);
        grid.setFormatString("No.|Rx|Tx|Tone");
        for (int r = 1; r <= 3; ++r) grid.addItem(QString::number(r));
    }
    GridControl grid;
};

TEST_F(GridTest, HeaderRowAndLabelColumnShareTheCellAddressing) {
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.text(0, 0), "No.");
    EXPECT_EQ(grid.text(0, 2), "Tx");
    EXPECT_EQ(grid.text(3, 0), "3");
    grid.setText(2, 3, "67.0");
    EXPECT_EQ(grid.text(2, 3), "67.0");
    grid.setText(0, 1, "Receive");
    EXPECT_EQ(grid.text(0, 1), "Receive");
}

// The caption of column 0 is drawn in the corner above the row labels, and follows the
// cell's text.
TEST_F(GridTest, TheCornerShowsTheCaptionOfColumnZero) {
    grid.setColWidthTwips(0, 900);
    grid.resize(400, 200);
    grid.show();
    QApplication::processEvents();
    auto* corner = grid.findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(corner, nullptr);
    ASSERT_GT(corner->width(), 0);
    const QImage captioned = corner->grab().toImage();
    grid.setText(0, 0, "");
    const QImage blank = corner->grab().toImage();
    EXPECT_NE(captioned, blank);
    grid.setFormatString("No.|Rx|Tx|Tone");
    EXPECT_EQ(corner->grab().toImage(), captioned);
}

TEST_F(GridTest, CellsOutsideTheGridRaiseInvalidPropertyIndex) {
    for (auto [r, c] : {std::pair{4, 1}, {1, 4}, {-1, 0}, {0, -1}}) {
        try {
            grid.text(r, c);
            ADD_FAILURE() << r << "," << c;
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), err::InvalidPropertyIndex);
        }
    }
}

TEST_F(GridTest, ColoursAreBgrNumbers) {
    EXPECT_EQ(Rgb(255, 0, 0), 255u);
    EXPECT_EQ(ColorFromBgr(0xFF0000), QColor(0, 0, 255));
    grid.select(2, 1);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 1);
    grid.setCellForeColor(Rgb(255, 0, 0));
    EXPECT_EQ(grid.foreColorAt(2, 1), Rgb(255, 0, 0));
    EXPECT_EQ(grid.cellForeColor(), Rgb(255, 0, 0));
    // A range given in any corner order.
    grid.setCellBackColor(3, 3, 1, 2, Rgb(194, 121, 240));
    EXPECT_EQ(grid.backColorAt(1, 2), Rgb(194, 121, 240));
    EXPECT_EQ(grid.backColorAt(3, 3), Rgb(194, 121, 240));
    EXPECT_NE(grid.backColorAt(1, 1), Rgb(194, 121, 240));
}

TEST_F(GridTest, WidthsAreTwips) {
    grid.setColWidthTwips(1, 1500);
    EXPECT_EQ(grid.columnWidth(0), 100);
    EXPECT_EQ(grid.colWidthTwips(1), 1500);
}

TEST_F(GridTest, EditingHonoursTheSwitchAndBeforeEditCancel) {
    grid.show();
    grid.setColComboList(3, "None|67.0|69.3");
    grid.select(1, 3);
    int before = 0;
    bool cancel = true;
    QObject::connect(&grid, &GridControl::beforeEdit, [&](int r, int c, bool* x) {
        ++before;
        EXPECT_EQ(r, 1);
        EXPECT_EQ(c, 3);
        *x = cancel;
    });
    grid.setEditable(false);
    grid.editCell();
    EXPECT_EQ(before, 0);
    grid.setEditable(true);
    grid.editCell();
    EXPECT_EQ(before, 1);
    EXPECT_EQ(grid.findChild<QComboBox*>(), nullptr);  // cancelled: no editor

    cancel = false;
    int after = 0;
    QObject::connect(&grid, &GridControl::afterEdit, [&](int r, int c) {
        ++after;
        EXPECT_EQ(r, 1);
        EXPECT_EQ(c, 3);
    });
    grid.editCell();
    auto* box = grid.findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    box->setCurrentText("69.3");
    QMetaObject::invokeMethod(&grid, "commitData", Q_ARG(QWidget*, box));
    EXPECT_EQ(after, 1);
    EXPECT_EQ(grid.text(1, 3), "69.3");
    EXPECT_EQ(grid.comboIndex(), 2);
}

}  // namespace
}  // namespace tarvos::ui::test
