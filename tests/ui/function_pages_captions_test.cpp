// Every row of the binding table has its control in its frame, captioned in the language
// in force, with the frames' titles and the texts the table does not carry.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "function_pages_fixture.h"
#include "functions/bindings.h"
#include "functions/two_tone.h"

namespace tarvos::ui::test {
namespace {

class FunctionPagesInLanguage : public FunctionPagesTest,
                                public ::testing::WithParamInterface<int> {};

TEST_P(FunctionPagesInLanguage, EveryRowHasItsControlInItsFrameWithItsCaption) {
    startIn(GetParam());
    const FaceTextTable& ft = app->faceText;
    // Every control exists from start-up, the hidden tab control's too.
    EXPECT_TRUE(channels().moreFuncTabs()->isHidden());
    for (const Binding& b : FunctionBindings()) {
        SCOPED_TRACE(b.name);
        QWidget* w = pages().control(b.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName().toStdString(), b.name);
        QWidget* frame = b.frame == "sstabMoreFunc(DTMF)"
                             ? channels().moreFuncPage(1)
                             : window->findChild<QWidget*>(QString::fromStdString(b.frame));
        ASSERT_NE(frame, nullptr) << b.frame;
        EXPECT_TRUE(frame->isAncestorOf(w));
        const QString caption = b.caption >= 0 ? QString::fromStdString(ft[b.caption])
                                               : QString::fromStdString(b.fixedCaption);
        if (b.kind == ControlKind::Check) {
            EXPECT_EQ(static_cast<QCheckBox*>(w)->text(), caption);
        } else if (!b.captionLabel.empty() && b.voxIndex == 0) {
            auto* label = frame->findChild<QLabel*>(QString::fromStdString(b.captionLabel));
            ASSERT_NE(label, nullptr) << b.captionLabel;
            EXPECT_EQ(label->text(), caption);
        }
        if (b.kind == ControlKind::List) {
            // Loaded: the entries of the language and a selection.
            const auto& entries = app->document.functions().state(b.name).entries;
            const int count = qobject_cast<QComboBox*>(w) ? static_cast<QComboBox*>(w)->count()
                                                          : static_cast<QListWidget*>(w)->count();
            ASSERT_EQ(count, static_cast<int>(entries.size()));
            const QString first = qobject_cast<QComboBox*>(w)
                                      ? static_cast<QComboBox*>(w)->itemText(0)
                                      : static_cast<QListWidget*>(w)->item(0)->text();
            EXPECT_EQ(first, QString::fromStdString(entries.front()));
        }
    }
    // The frames and the labels the table does not carry.
    EXPECT_EQ(find<QGroupBox>("fraKeyAssign")->title(), QString::fromStdString(ft[202]));
    EXPECT_EQ(find<QGroupBox>("fraMoreFunc")->title(), "More Function");
    EXPECT_EQ(find<QGroupBox>("fraStun")->title(), QString::fromStdString(ft[254]));
    EXPECT_EQ(find<QGroupBox>("fraEmbedMsg")->title(), QString::fromStdString(ft[206]));
    EXPECT_EQ(find<QLabel>("lblVoxCmpLevel(0)")->text(),
              GetParam() == 3 ? QString("1") : QString::fromUtf8(GetParam() == 1 ? "1级" : "1級"));
    EXPECT_EQ(find<QLabel>("lblVoxCmpLevel(9)")->text().left(2), "10");
    EXPECT_EQ(find<QLabel>("lblInfo2")->text(), QString::fromUtf8("信息2"));
    EXPECT_EQ(find<QPushButton>("cmdTwoWayVolSet")->text(), ">>");
    EXPECT_EQ(find<QPushButton>("cmdPttIdPauseChSet")->text(), QString::fromStdString(ft[387]));
    EXPECT_EQ(find<QLabel>("lblRdWrCode")->text(), QString::fromStdString(ft[362]));
    EXPECT_EQ(find<QCheckBox>("chkNewRdWrCode")->text(), QString::fromStdString(ft[364]));
    EXPECT_EQ(find<QLabel>("lblAutoMem(7)")->text(), "8");
    auto* grid = find<GridControl>("vsfgGridTwoTone(1)");
    EXPECT_EQ(grid->text(0, 1),
              QString::fromStdString(TwoToneHeaderFormat(GetParam())).split('|')[1]);
    EXPECT_EQ(grid->text(1, 0), "9");
    EXPECT_EQ(grid->text(8, 0), "16");
}

INSTANTIATE_TEST_SUITE_P(Languages, FunctionPagesInLanguage, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tarvos::ui::test
