// Text typed into the window's boxes goes through the rule of the box, as typed: the tone box
// and the grid's drop-downs complete nothing on their own (the bytes are those `tarvos-cli
// edit` writes for the same text), the two-tone times take only their lists' entries, a
// two-tone frequency shows what is stored, and a cell left without typing stores nothing.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTest>

#include "document/channel_editor.h"
#include "functions/two_tone.h"
#include "memory/channel_codec.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class TypedEntryTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        start();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    GridControl* grid() { return channels().grid(); }
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    void click(int r, int c) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(grid()->model()->index(r - 1, c - 1)).center());
        settle();
    }
    QWidget* cellEditor(GridControl* g) { return g->indexWidget(g->currentIndex()); }
    QByteArray savedByCli(const QStringList& actions) {
        return UiFixture::savedByCli("edit", actions);
    }
    GridControl* twoToneGrid() {
        channels().moreFuncTabs()->show();
        channels().moreFuncTabs()->setCurrentIndex(2);
        settle();
        return window->findChild<GridControl*>("vsfgGridTwoTone(0)");
    }
};

TEST_F(TypedEntryTest, TypedTextIsTakenAsTypedLikeTheCommandLineTakesIt) {
    window->OpenFile(path("DefRadioSet.def"));
    struct Case {
        int row, col;
        const char* typed;
        const char* action;  // the same gesture for tarvos-cli edit
        const char* shown;   // the cell afterwards
    };
    // A tone box never turns 100 into 100.0 nor 67 into 67.0; a drop-down never turns "c" or
    // "carrier" into Carrier.
    const Case cases[] = {{1, 3, "100", "tone:1:3=100", "D100N"},
                          {2, 3, "67", "tone:2:3=67", "None"},
                          {5, 8, "c", "type:5:8=c", "Off"},
                          {6, 8, "carrier", "type:6:8=carrier", "Off"}};
    QStringList actions;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        click(c.row, c.col);
        if (c.col == 3) {
            QComboBox* box = channels().toneBox();
            ASSERT_TRUE(box->isVisible());
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), c.typed);
            click(16, 5);  // leaving the box
        } else {
            auto* box = qobject_cast<QComboBox*>(cellEditor(grid()));
            ASSERT_NE(box, nullptr);
            box->lineEdit()->setFocus();
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), c.typed);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            settle();
        }
        EXPECT_EQ(cell(c.row, c.col), c.shown);
        actions << c.action;
    }
    const QByteArray byWindow = savedByWindow();
    const QByteArray byCli = savedByCli(actions);
    ASSERT_EQ(byWindow.size(), 1040);
    EXPECT_EQ(byWindow.toHex(), byCli.toHex());
}

TEST_F(TypedEntryTest, TwoToneTimesTakeOnlyTheirEntriesAndFrequenciesShowWhatIsStored) {
    window->OpenFile(path("DefRadioSet.def"));
    GridControl* g = twoToneGrid();
    ASSERT_NE(g, nullptr);
    auto type = [&](int row, int col, const QString& text) {
        g->select(row, col);
        g->editCell();
        QWidget* editor = cellEditor(g);
        ASSERT_NE(editor, nullptr);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->selectAll();
            QTest::keyClicks(line, text);
        } else {
            auto* box = qobject_cast<QComboBox*>(editor);
            ASSERT_NE(box, nullptr);
            EXPECT_FALSE(box->isEditable()) << col;  // no text of its own: an entry only
            QTest::keyClicks(box, text);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    };
    const int r = TwoToneAddr(1);
    type(1, 1, "1234.56");
    type(1, 3, "2000");
    EXPECT_EQ(g->text(1, 1), "1234.6");  // what is stored, not the text typed
    EXPECT_EQ(g->text(1, 3), "2000.0");
    EXPECT_EQ(app->document.image().at(r) | app->document.image().at(r + 1) << 8, 12346);

    // Texts the lists do not hold, typed at the times: each cell ends on an entry of its list,
    // stored as it shows and shown so again when the file is opened.
    type(1, 2, "12");
    type(1, 4, "0.05");
    type(1, 5, "5");
    const struct {
        int col, offset;
        const std::vector<std::string>& list;
    } times[] = {{2, 2, TwoToneDurationList()},
                 {4, 5, TwoToneDurationList()},
                 {5, 6, TwoToneIntervalList()}};
    QStringList shown;
    for (const auto& t : times) {
        const QString text = g->text(1, t.col);
        EXPECT_NE(std::find(t.list.begin(), t.list.end(), text.toStdString()), t.list.end())
            << t.col << " " << text.toStdString();
        EXPECT_EQ(app->document.image().at(r + t.offset), qRound(text.toDouble() * 10)) << t.col;
        shown << text;
    }
    savedByWindow();
    window->OpenFile(path("window.dat"));
    for (size_t i = 0; i < std::size(times); ++i)
        EXPECT_EQ(g->text(1, times[i].col), shown[static_cast<int>(i)]) << times[i].col;
    EXPECT_EQ(g->text(1, 1), "1234.6");
}

TEST_F(TypedEntryTest, AFrequencyCellLeftWithoutTypingStoresNothing) {
    // Channel 1 receives on 136 MHz, outside the band 400 - 520 MHz of the file: the cell
    // shows "136", which the input layout opens as "136.".
    QByteArray file = fileBytes(path("DefRadioSet.def"));
    const int rx = 0x10 + ChannelRecordAddr(1, 0);
    const char bcd[4] = {0x00, 0x00, 0x60, 0x13};
    for (int i = 0; i < 4; ++i) file[rx + i] = bcd[i];
    QFile out(path("136.dat"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    window->OpenFile(path("136.dat"));
    ASSERT_EQ(cell(1, 1), "136");
    ASSERT_EQ(app->document.bandLow(), 40000000);
    const ByteImage before = app->document.image();

    click(1, 1);
    auto* line = qobject_cast<QLineEdit*>(cellEditor(grid()));
    ASSERT_NE(line, nullptr);
    QTest::keyClick(line, Qt::Key_Return);
    settle();
    EXPECT_EQ(cell(1, 1), "136");
    EXPECT_EQ(app->document.image(), before);
    EXPECT_FALSE(app->document.modified());

    // Another whole MHz typed is an edit: bounded to the band.
    click(1, 1);
    line = qobject_cast<QLineEdit*>(cellEditor(grid()));
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, "137");
    QTest::keyClick(line, Qt::Key_Return);
    settle();
    EXPECT_EQ(cell(1, 1), "400");
}

}  // namespace
}  // namespace tarvos::ui::test
