// The function pages on screen: every control of the binding table in its frame, what a
// user's change writes (the same bytes as `tarvos-cli set`), what a loaded image shows, the
// enabled states, the code boxes against a coded virtual radio, and the dialogs behind the
// page's buttons (the access dialog's timer fired by hand).

#include "functions/ui/function_pages.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include "functions/bindings.h"
#include "functions/ui/input_code_dialog.h"
#include "functions/ui/ptt_id_pause_dialog.h"
#include "functions/ui/volume_dialog.h"
#include "functions/volume.h"
#include "memory/char_table.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
constexpr int kFileImageOffset = 0x10;  // a data file holds the image after its header

// A timer the test fires.
struct FakeTimer : DialogTimer {
    void start(int ms) override {
        interval_ = ms;
        active_ = true;
        ++starts;
    }
    void stop() override { active_ = false; }
    bool active() const override { return active_; }
    int interval() const override { return interval_; }
    void elapse() {
        if (active_) fire();
    }
    int interval_ = 0;
    bool active_ = false;
    int starts = 0;
};

class FunctionPagesTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        setting("FirRun", "0");
        setting("COM", "1");
    }
    void startIn(int language) {
        setting("Language", QByteArray::number(language).constData());
        start();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    FunctionPages& pages() { return *window->functionPages(); }
    ByteImage& image() { return app->document.image(); }
    template <class W>
    W* find(const QString& name) {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // Brings the page holding w to the front (revealing the hidden tab control for it) and
    // scrolls w into view, as a user would before touching it.
    void showPageOf(QWidget* w) {
        if (channels().optionFrame()->isAncestorOf(w)) channels().setModeTabs()->setCurrentIndex(1);
        if (channels().codeArea()->isAncestorOf(w)) channels().setModeTabs()->setCurrentIndex(0);
        for (int t = 0; t < 4; ++t)
            if (channels().moreFuncPage(t)->isAncestorOf(w)) {
                channels().moreFuncTabs()->show();
                channels().moreFuncTabs()->setCurrentIndex(t);
            }
        QApplication::processEvents();
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (auto* scroll = qobject_cast<QScrollArea*>(p)) scroll->ensureWidgetVisible(w);
        QApplication::processEvents();
    }

    // Picks entry p of a drop-down list with the mouse, in its opened list.
    void pick(const QString& name, int p) {
        auto* box = find<QComboBox>(name);
        showPageOf(box);
        box->showPopup();
        QAbstractItemView* view = box->view();
        const QModelIndex index = box->model()->index(p, 0);
        view->scrollTo(index);
        view->setCurrentIndex(index);
        QTest::keyClick(view, Qt::Key_Return);
        ASSERT_EQ(box->currentIndex(), p) << name.toStdString();
    }
    void clickRow(const QString& name, int row) {
        auto* list = find<QListWidget>(name);
        showPageOf(list);
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void click(const QString& name) {
        auto* box = find<QAbstractButton>(name);
        showPageOf(box);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    void type(const QString& name, const QString& text, bool clear = true) {
        auto* box = find<QLineEdit>(name);
        showPageOf(box);
        box->setFocus();
        if (clear) {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
        }
        QTest::keyClicks(box, text);
    }
    // Text from an input method (Chinese characters, symbols a keyboard does not have).
    void compose(const QString& name, const QString& text) {
        auto* box = find<QLineEdit>(name);
        showPageOf(box);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    }
    // Types into a two-tone cell and commits it with Enter.
    void typeCell(int g, int row, int col, const QString& text) {
        auto* grid = find<GridControl>(QString("vsfgGridTwoTone(%1)").arg(g));
        showPageOf(grid);
        grid->select(row, col);
        grid->editCell();
        // The cell's editor: a line, or the line of a drop-down.
        auto* line = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QApplication::processEvents();  // the grid commits the edit after the key
    }

    QByteArray readFile(const QString& file) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll();
    }
    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The defaults file with some bytes of its image replaced, opened in the window.
    void openPatched(const std::vector<std::pair<int, uint8_t>>& bytes) {
        QByteArray file = readFile(path("DefRadioSet.def"));
        for (auto [address, value] : bytes)
            file[kFileImageOffset + address] = static_cast<char>(value);
        writeFile(path("patched.dat"), file);
        window->OpenFile(path("patched.dat"));
    }
    // The window's image saved as a data file.
    QByteArray savedByWindow() {
        host.saveResult = path("window.dat");
        window->SaveAsFile();
        return readFile(path("window.dat"));
    }
    // The same defaults file changed by tarvos-cli set (assignments one a line).
    QByteArray savedByCli(const QString& assignments) {
        QProcess p;
        p.start(kCli, QStringList{"set", path("DefRadioSet.def"), "--out", path("cli.dat")} +
                          assignments.split('\n'));
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return readFile(path("cli.dat"));
    }
};

// --- Every control, in its frame, captioned -------------------------------------------------

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

// --- A change on screen writes what tarvos-cli set writes ----------------------------------

TEST_F(FunctionPagesTest, ChangesOnScreenWriteTheBytesTheSetCommandWrites) {
    startIn(3);
    struct Case {
        const char* what;
        std::function<QString()> gesture;  // does it on screen, returns the set assignment
    };
    const std::vector<Case> cases = {
        {"list",
         [&] {
             pick("cboTot", 3);
             return QString("cboTot=3");
         }},
        {"list with an offset",
         [&] {
             pick("cboRadioSql", 5);
             return QString("cboRadioSql=5");
         }},
        {"list coupling the interval",
         [&] {
             pick("cboCodeContiTime", 20);
             return QString("cboCodeContiTime=20");
         }},
        {"one bit per entry",
         [&] {
             pick("cboTailDel", 7);
             return QString("cboTailDel=7");
         }},
        {"identity nibble",
         [&] {
             pick("cboRadioId(3)", 5);
             return QString("cboRadioId(3)=5");
         }},
        {"alarm channel bits",
         [&] {
             pick("cboAlarmCh", 16);
             return QString("cboAlarmCh=16");
         }},
        {"loudness step",
         [&] {
             pick("cboDtmf2ToneVol", 255);
             return QString("cboDtmf2ToneVol=255");
         }},
        {"group code",
         [&] {
             pick("cboStunGrpCode", 5);
             return QString("cboStunGrpCode=5");
         }},
        {"VOX comparison list",
         [&] {
             pick("cboVoxCmpDat(4)", 100);
             return QString("cboVoxCmpDat(4)=100");
         }},
        {"short side key",
         [&] {
             clickRow("listSk1Short", 9);
             return QString("listSk1Short=9");
         }},
        {"long side key",
         [&] {
             clickRow("listSk2Long", 18);
             return QString("listSk2Long=18");
         }},
        {"check",
         [&] {
             click("chkBeep");  // ticked in the defaults
             return QString("chkBeep=false");
         }},
        {"inverted check",
         [&] {
             click("chkAlarmSwitch");  // ticked in the defaults
             return QString("chkAlarmSwitch=false");
         }},
        {"check coupling the monitor tone",
         [&] {
             click("chkTxEndTone");  // not ticked in the defaults
             return QString("chkTxEndTone=true");
         }},
        {"code text",
         [&] {
             type("txtPttBot", "12ab*#x");
             return QString("txtPttBot=12ab*#x");
         }},
        {"code text with characters the box drops",
         [&] {
             type("txtPttBot", "x1x2x3x4x5x6x7x8x9x0");
             EXPECT_EQ(find<QLineEdit>("txtPttBot")->text(), "1234567890");
             return QString("txtPttBot=x1x2x3x4x5x6x7x8x9x0");
         }},
        {"code text past the box's length",
         [&] {
             type("txtDtmfIdCode", "a1b2c3d4e5f6g7h8i9j0k1");
             EXPECT_EQ(find<QLineEdit>("txtDtmfIdCode")->text(), "1234567890");
             return QString("txtDtmfIdCode=a1b2c3d4e5f6g7h8i9j0k1");
         }},
        {"a list enabled by an earlier pick",
         [&] {
             pick("cboScanPriChSort", 1);
             pick("cboPriCh", 5);
             return QString("cboScanPriChSort=1\ncboPriCh=5");
         }},
        {"split stun code",
         [&] {
             type("txtDtmfCloseCode", "0123456789");
             return QString("txtDtmfCloseCode=0123456789");
         }},
        {"message text with a space",
         [&] {
             type("txtInfo(1)", "Hi There");
             EXPECT_EQ(find<QLineEdit>("txtInfo(1)")->text(), "Hi There");
             return QString("txtInfo(1)=Hi There");
         }},
        {"two-tone frequency",
         [&] {
             typeCell(0, 1, 1, "2000");
             return QString("twoTone(1).aFre=2000");
         }},
        {"two-tone in the second grid",
         [&] {
             typeCell(1, 2, 3, "100");
             auto* grid = find<GridControl>("vsfgGridTwoTone(1)");
             EXPECT_EQ(grid->text(2, 3), "350.0");  // lifted to the lowest frequency
             EXPECT_EQ(grid->text(2, 4), "0.3");    // with the duration it needs
             return QString("twoTone(10).bFre=100");
         }},
        {"read/write code",
         [&] {
             type("txtRdWrCode", "5");
             return QString("txtRdWrCode=5");
         }},
    };
    window->OpenFile(path("DefRadioSet.def"));
    const QByteArray unchanged = savedByWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->OpenFile(path("DefRadioSet.def"));
        const QString assignment = c.gesture();
        const QByteArray byWindow = savedByWindow();
        const QByteArray byCli = savedByCli(assignment);
        ASSERT_EQ(byWindow.size(), 1040);
        EXPECT_NE(byWindow, unchanged);  // a gesture that changes nothing proves nothing
        ASSERT_EQ(byCli.size(), 1040);
        for (int i = 0; i < byWindow.size(); ++i)
            ASSERT_EQ(static_cast<uint8_t>(byWindow[i]), static_cast<uint8_t>(byCli[i]))
                << assignment.toStdString() << " at image byte 0x" << std::hex
                << (i - kFileImageOffset);
    }
}

TEST_F(FunctionPagesTest, CodeBoxesFilterAsTheUserTypes) {
    startIn(3);
    type("txtPttBot", "12ab*#x");
    EXPECT_EQ(find<QLineEdit>("txtPttBot")->text(), "12AB*#");
    EXPECT_EQ(find<QLineEdit>("txtPttBot")->cursorPosition(), 6);
    const uint8_t pttBot[16] = {0x31, 0x32, 0x41, 0x42, 0x2A, 0x23, 0xFF, 0xFF,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image().at(0x0140 + i), pttBot[i]) << i;
    type("txtDtmfIdCode", "A1");
    EXPECT_EQ(find<QLineEdit>("txtDtmfIdCode")->text(), "1");
    EXPECT_EQ(image().at(0x0120), 0x31);
    EXPECT_EQ(image().at(0x0121), 0xFF);
    // Leaving a message box shows it as stored, without the blanks at its end.
    type("txtInfo(2)", "AB ");
    EXPECT_EQ(find<QLineEdit>("txtInfo(2)")->text(), "AB ");
    find<QLineEdit>("txtInfo(1)")->setFocus();
    EXPECT_EQ(find<QLineEdit>("txtInfo(2)")->text(), "AB");
}

TEST_F(FunctionPagesTest, TwoToneCellsFollowTheirRules) {
    startIn(3);
    const int r = 0x0280 + 8 * 2;      // entry 3
    const int empty = 0x0280 + 8 * 3;  // entry 4: no tone, an interval byte left over
    openPatched({{empty + 6, 7}, {empty + 7, 0xFF}});
    typeCell(0, 3, 1, "2000");
    auto* grid = find<GridControl>("vsfgGridTwoTone(0)");
    EXPECT_EQ(grid->text(3, 2), "0.3");
    EXPECT_EQ(image().at(r), 0x20);
    EXPECT_EQ(image().at(r + 1), 0x4E);
    EXPECT_EQ(image().at(r + 7), 90);
    EXPECT_EQ(grid->text(3, 5), "");  // no interval without a B tone
    typeCell(0, 3, 3, "tone");
    EXPECT_EQ(grid->text(3, 3), "1500.0");
    EXPECT_EQ(grid->text(3, 5), "0.3");
    typeCell(0, 3, 1, "5000");
    EXPECT_EQ(grid->text(3, 1), "3000.0");
    EXPECT_EQ(image().at(r + 6), 3);
    typeCell(0, 3, 1, "");
    typeCell(0, 3, 3, "");
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(grid->text(3, c), "") << c;
    for (int i : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(image().at(r + i), 0xFF) << i;
    EXPECT_EQ(image().at(empty + 6), 7);  // an entry without tones keeps its interval byte
}

// --- Loading --------------------------------------------------------------------------------

TEST_F(FunctionPagesTest, ALoadedImageShowsInTheControls) {
    startIn(3);
    const int tt = 0x0280 + 8 * 9;  // two-tone entry 10
    openPatched({{0x0130, 200},
                 {0x036B, 0x80},
                 {0x036D, 0x00},
                 {0x0367, 0x10},
                 {0x0360, 9},
                 {0x0120, 0x31},
                 {0x0121, 0x32},
                 {0x0122, 0xFF},
                 {0x019E, 0},
                 {tt, 0x20},
                 {tt + 1, 0x4E},
                 {tt + 2, 150},
                 {tt + 7, 90},
                 {0x0385, static_cast<uint8_t>(RadioCharCode(U'A') & 0xFF)},
                 {0x0386, static_cast<uint8_t>(RadioCharCode(U'A') >> 8)}});
    EXPECT_TRUE(channels().moreFuncTabs()->isHidden());
    EXPECT_EQ(find<QComboBox>("cboTot")->currentIndex(), 4);
    EXPECT_EQ(find<QComboBox>("cboTot")->currentText(), "60s");
    EXPECT_EQ(image().at(0x0130), 4);
    EXPECT_EQ(find<QComboBox>("cboTailDel")->currentIndex(), 4);
    EXPECT_EQ(image().at(0x036B), 0x10);
    EXPECT_FALSE(find<QCheckBox>("chkTxEndTone")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkMoniTxEndTone")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkMoniTxEndTone")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("chkAlarmSwitch")->isChecked());  // inverted
    EXPECT_EQ(find<QListWidget>("listSk1Short")->currentRow(), 0);
    EXPECT_EQ(find<QListWidget>("listSk1Short")->selectedItems().size(), 1);
    EXPECT_EQ(image().at(0x0360), 0);
    EXPECT_EQ(find<QLineEdit>("txtDtmfIdCode")->text(), "12");
    for (int k = 1; k <= 10; ++k)  // the marker was missing: the default values
        EXPECT_EQ(find<QComboBox>(QString("cboVoxCmpDat(%1)").arg(k))->currentIndex(),
                  kVoxCmpDefaults[k - 1]);
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->toolTip(), "2200mv");
    auto* grid = find<GridControl>("vsfgGridTwoTone(1)");
    EXPECT_EQ(grid->text(2, 1), "2000.0");
    EXPECT_EQ(grid->text(2, 2), "1.0");
    EXPECT_EQ(image().at(tt + 2), 10);
    // A stored code turns the box dark red; the code itself is not shown.
    auto* code = find<QLineEdit>("txtRdWrCode");
    EXPECT_EQ(code->text(), "");
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(160, 32, 32));
    window->OpenFile(path("DefRadioSet.def"));
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->currentIndex(),
              image().at(0x0194));  // each list from its own byte again
}

TEST_F(FunctionPagesTest, NewAndRestoreDefaultsReloadThePages) {
    startIn(3);
    // cboSql as the template (New) and the defaults file (Restore Default Setting) hold it.
    constexpr int kSql = 0x0134;
    const int fromTemplate =
        static_cast<uint8_t>(readFile(path("dhcpqec.def"))[kFileImageOffset + kSql]);
    const int fromDefaults =
        static_cast<uint8_t>(readFile(path("DefRadioSet.def"))[kFileImageOffset + kSql]);
    ASSERT_NE(fromTemplate, 9);
    ASSERT_NE(fromDefaults, 9);
    // Should either command ask about the unsaved change: discard it.
    host.threeWay = {DesktopHost::Answer::No, DesktopHost::Answer::No};
    pick("cboSql", 9);
    window->action("mnuFileNew")->trigger();
    EXPECT_EQ(image().at(kSql), fromTemplate);
    EXPECT_EQ(find<QComboBox>("cboSql")->currentIndex(), fromTemplate);
    pick("cboSql", 9);
    find<QPushButton>("cmdDefSet")->click();
    EXPECT_EQ(image().at(kSql), fromDefaults);
    EXPECT_EQ(find<QComboBox>("cboSql")->currentIndex(), fromDefaults);
}

TEST_F(FunctionPagesTest, VoxComparisonListsShowTheirVoltageAndComeBackToTheDefaults) {
    startIn(3);
    pick("cboVoxCmpDat(1)", 100);
    EXPECT_EQ(image().at(0x0194), 100);
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->toolTip(), "1294mv");
    pick("cboVoxCmpDat(10)", 180);
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x019E) = 0; });
    click("cmdVoxCmpDefault");
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(find<QComboBox>(QString("cboVoxCmpDat(%1)").arg(k))->currentIndex(),
                  kVoxCmpDefaults[k - 1]);
        EXPECT_EQ(image().at(0x0193 + k), kVoxCmpDefaults[k - 1]);
    }
    EXPECT_EQ(image().at(0x019E), 90);
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->toolTip(), "2200mv");
}

TEST_F(FunctionPagesTest, TheWheelChangesOnlyAListThatHasTheFocus) {
    startIn(3);
    auto* box = find<QComboBox>("cboScanRxDly");
    showPageOf(box);
    const int before = box->currentIndex();
    auto wheel = [box] {
        const QPointF at(box->width() / 2.0, box->height() / 2.0);
        QWheelEvent e(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &e);
    };
    window->setFocus();
    wheel();
    EXPECT_EQ(box->currentIndex(), before);
    EXPECT_EQ(image().at(0x0165), before);
    box->setFocus();
    wheel();
    EXPECT_EQ(box->currentIndex(), before + 1);
    EXPECT_EQ(image().at(0x0165), before + 1);
}

// --- Enabled states -------------------------------------------------------------------------

TEST_F(FunctionPagesTest, EnabledStatesFollowTheirControls) {
    startIn(3);
    auto enabled = [this](const char* name) { return find<QWidget>(name)->isEnabled(); };
    pick("cboTailDel", 7);
    EXPECT_EQ(image().at(0x036B), 0x00);
    EXPECT_FALSE(enabled("chkNoCdEncRxFreTail"));
    EXPECT_FALSE(enabled("chkNoCdEncTxFreTail"));
    pick("cboTailDel", 2);
    EXPECT_EQ(image().at(0x036B), 0x04);
    EXPECT_TRUE(enabled("chkNoCdEncRxFreTail"));
    EXPECT_TRUE(enabled("chkNoCdEncTxFreTail"));

    if (!find<QCheckBox>("chkBatSave")->isChecked()) click("chkBatSave");
    EXPECT_TRUE(enabled("cboSaveMode"));
    click("chkBatSave");
    EXPECT_FALSE(enabled("cboSaveMode"));

    pick("cboScanPriChSort", 1);
    EXPECT_TRUE(enabled("cboPriCh"));
    pick("cboScanPriChSort", 2);
    EXPECT_FALSE(enabled("cboPriCh"));

    pick("cboLowBatAlarmTimer", 0);
    for (const char* name : {"cboLowPwrToneSort", "chkLowBatAn", "chkLowBatTone"})
        EXPECT_FALSE(enabled(name)) << name;
    pick("cboLowBatAlarmTimer", 3);
    for (const char* name : {"cboLowPwrToneSort", "chkLowBatAn", "chkLowBatTone"})
        EXPECT_TRUE(enabled(name)) << name;

    type("txtDtmfCloseCode", "12");
    EXPECT_FALSE(enabled("cboDtmfCloseSort"));
    type("txtDtmfCloseCode", "3", false);
    EXPECT_TRUE(enabled("cboDtmfCloseSort"));

    // The monitor end tone follows a tick of the end tone, its bit with it.
    if (find<QCheckBox>("chkTxEndTone")->isChecked()) click("chkTxEndTone");
    EXPECT_FALSE(enabled("chkMoniTxEndTone"));
    EXPECT_EQ(image().at(0x0367) & 0x10, 0);
    click("chkTxEndTone");
    EXPECT_TRUE(enabled("chkMoniTxEndTone"));
    EXPECT_TRUE(find<QCheckBox>("chkMoniTxEndTone")->isChecked());
    EXPECT_EQ(image().at(0x0367) & 0x10, 0x10);
}

// A control the window shows disabled takes nothing there, and tarvos-cli set refuses it,
// naming it, with nothing written.
TEST_F(FunctionPagesTest, ControlsShownDisabledAreRefusedBySetToo) {
    startIn(3);
    window->OpenFile(path("DefRadioSet.def"));
    for (const char* name : {"cboPriCh", "chkMoniTxEndTone", "cboDtmfCloseSort"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(find<QWidget>(name)->isEnabled());
        const QString value = QString(name).startsWith("chk") ? "true" : "1";
        QProcess p;
        p.start(kCli, {"set", path("DefRadioSet.def"), "--out", path("refused.dat"),
                       QString("%1=%2").arg(name, value)});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 2);
        EXPECT_EQ(p.readAllStandardError(),
                  QString("tarvos-cli set: %1 is disabled (as the window shows it with these "
                          "settings)\n")
                      .arg(name)
                      .toUtf8());
        EXPECT_FALSE(QFile::exists(path("refused.dat")));
    }
}

// --- The read/write code --------------------------------------------------------------------

TEST_F(FunctionPagesTest, TheCodeBoxIndicatesAStoredCodeWithoutShowingIt) {
    startIn(3);
    auto* code = find<QLineEdit>("txtRdWrCode");
    type("txtRdWrCode", "5");
    const int c5 = RadioCharCode(U'5');
    EXPECT_EQ(image().at(0x0385), c5 & 0xFF);
    EXPECT_EQ(image().at(0x0386), c5 >> 8);
    for (int a : {0x0387, 0x038B, 0x038C, 0x038D}) EXPECT_EQ(image().at(a), 0) << a;
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(160, 32, 32));
    EXPECT_EQ(code->text(), "5");
    type("txtRdWrCode", "  ");
    for (int a : {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D})
        EXPECT_EQ(image().at(a), 0xFF) << a;
    EXPECT_EQ(code->text(), "");
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(192, 192, 192));

    // The new-code controls show with their box and keep the new code when hidden.
    auto* newCode = find<QLineEdit>("txtNewRdWrCode");
    EXPECT_TRUE(newCode->isHidden());
    EXPECT_TRUE(find<QLabel>("lblNewRdWrCode")->isHidden());
    click("chkNewRdWrCode");
    EXPECT_FALSE(newCode->isHidden());
    EXPECT_FALSE(find<QLabel>("lblRdWrCodeHint(1)")->isHidden());
    compose("txtNewRdWrCode", QString::fromUtf8("1€2"));  // outside the character table: dropped
    EXPECT_EQ(newCode->text(), "12");
    const auto kept = app->document.functions().newCodeBuf();
    EXPECT_EQ(kept[5], '1');
    click("chkNewRdWrCode");
    EXPECT_TRUE(newCode->isHidden());
    EXPECT_EQ(app->document.functions().newCodeBuf(), kept);
}

TEST_F(FunctionPagesTest, ACodedRadioIsReadWithItsCodeAndWrittenWithANewOne) {
    radio.memory = memoryOf("DefRadioSet.def");
    radio.setCode("A1");
    // A radio that takes the code frames after the blocks of a write.
    radio.memory[0x03D3] = 0x28;
    radio.memory[0x03D4] = 120;
    startIn(3);
    // Without the code the check fails to the end.
    window->StartRead();
    EXPECT_EQ(window->statusText(1), "Read Failed");
    ASSERT_FALSE(host.told.isEmpty());
    EXPECT_EQ(host.told.last(), ft(97));

    type("txtRdWrCode", "A1");
    host.told.clear();
    window->StartRead();
    EXPECT_EQ(window->statusText(1), "Read Successful");
    EXPECT_TRUE(host.told.isEmpty());
    for (int a = 0; a < 0x0360; ++a)
        ASSERT_EQ(image().at(a), radio.memory[static_cast<size_t>(a)]) << a;
    EXPECT_EQ(find<QLineEdit>("txtRdWrCode")->text(), "A1");
    EXPECT_EQ(find<QLineEdit>("txtRdWrCode")->palette().color(QPalette::Base), QColor(160, 32, 32));

    // Writing with a new code set gives the radio that code.
    click("chkNewRdWrCode");
    type("txtNewRdWrCode", "B2");
    window->StartWrite();
    EXPECT_EQ(window->statusText(1), "Write Successful");
    sim::VirtualRadio expected;
    expected.setCode("B2");
    for (int a : {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D})
        EXPECT_EQ(radio.memory[static_cast<size_t>(a)], expected.memory[static_cast<size_t>(a)])
            << a;
}

// --- The dialogs ----------------------------------------------------------------------------

TEST_F(FunctionPagesTest, VolumeDialogInBothModes) {
    startIn(3);
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x01A5) = 227; });
    bool seen = false;
    OnModal<VolumeDialog>([&](VolumeDialog* d) {
        seen = true;
        auto box = [d](int i) {
            return d->findChild<QComboBox*>(QString("cboVolumeDat(%1)").arg(i));
        };
        EXPECT_FALSE(d->findChild<QCheckBox*>("chkVolMode")->isChecked());  // sequence mode
        EXPECT_EQ(box(5)->currentIndex(), 159);
        EXPECT_EQ(d->findChild<QLabel*>("lblVolumeLevel(3)")->text(), "Volume  3 Level");
        EXPECT_EQ(d->findChild<QLabel*>("lblVolumeLevel(10)")->text(), "Volume 10 Level");
        box(1)->setCurrentIndex(200);
        emit box(1)->activated(200);
        EXPECT_EQ(image().at(0x01A1), VoiceSeq()[200]);
        EXPECT_EQ(image().at(0x01A1), 110);
        // Switching the mode rewrites nothing and is stored at once.
        std::vector<uint8_t> levels;
        for (int a = 0x01A0; a <= 0x01AB; ++a) levels.push_back(image().at(a));
        d->findChild<QCheckBox*>("chkVolMode")->click();
        EXPECT_EQ(readSetting("VolumeMode"), "1");
        for (int a = 0x01A0; a <= 0x01AB; ++a) EXPECT_EQ(image().at(a), levels[a - 0x01A0]);
        emit box(1)->activated(200);
        EXPECT_EQ(image().at(0x01A1), 200);
        d->findChild<QPushButton*>("cmdDefault")->click();
        EXPECT_EQ(image().at(0x01A0), 108);
        EXPECT_EQ(image().at(0x01AA), 0);
        EXPECT_EQ(image().at(0x01AB), 90);
        EXPECT_EQ(box(1)->currentIndex(), 68);
        EXPECT_TRUE(d->findChild<QCheckBox*>("chkVolumeIic")->isChecked());
        d->findChild<QCheckBox*>("chkVolumeIic")->click();
        EXPECT_EQ(image().at(0x01AB), 255);
        d->findChild<QPushButton*>("cmdOk")->click();
    });
    click("cmdTwoWayVolSet");
    EXPECT_TRUE(seen);
    EXPECT_EQ(app->volumeMode, 1);
}

TEST_F(FunctionPagesTest, VolumeModeIsReadAtStartUp) {
    setting("VolumeMode", "1");
    startIn(3);
    EXPECT_EQ(app->volumeMode, 1);
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x01A5) = 227; });
    int shown = -1;
    OnModal<VolumeDialog>([&](VolumeDialog* d) {
        EXPECT_TRUE(d->findChild<QCheckBox*>("chkVolMode")->isChecked());
        shown = d->findChild<QComboBox*>("cboVolumeDat(5)")->currentIndex();
        d->close();
    });
    click("cmdTwoWayVolSet");
    EXPECT_EQ(shown, 227);  // the code itself
}

TEST_F(FunctionPagesTest, PttIdPauseDialogWritesTheSixteenFlags) {
    startIn(3);
    app->document.Edit(DocumentChange::Functions, [&] {
        for (int n = 1; n <= 16; ++n) image().at(0x001D + 16 * (n - 1)) = 0x25;  // bit 6 clear
    });
    OnModal<PttIdPauseDialog>([&](PttIdPauseDialog* d) {
        auto box = [d](int i) {
            return d->findChild<QCheckBox*>(QString("chkPttIdPauseChSet(%1)").arg(i));
        };
        EXPECT_EQ(box(2)->text(), "CH 3");
        box(2)->click();
        EXPECT_EQ(image().at(0x003D), 0x25 | 0x40);
        EXPECT_EQ(image().at(0x002D), 0x25);
        auto* all = d->findChild<QRadioButton*>("chkSelectAll");
        auto* none = d->findChild<QRadioButton*>("chkSelectNone");
        all->click();
        for (int n = 1; n <= 16; ++n) EXPECT_EQ(image().at(0x001D + 16 * (n - 1)), 0x65) << n;
        EXPECT_TRUE(all->isChecked());
        box(5)->click();
        EXPECT_FALSE(all->isChecked());
        EXPECT_EQ(image().at(0x006D), 0x25);
        none->click();
        for (int n = 1; n <= 16; ++n) EXPECT_EQ(image().at(0x001D + 16 * (n - 1)), 0x25) << n;
        EXPECT_FALSE(box(2)->isChecked());
        d->findChild<QPushButton*>("cmdOk")->click();
    });
    click("cmdPttIdPauseChSet");
    // The next opening shows the flags afresh.
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x004D) |= 0x40; });
    bool fourth = false;
    OnModal<PttIdPauseDialog>([&](PttIdPauseDialog* d) {
        fourth = d->findChild<QCheckBox*>("chkPttIdPauseChSet(3)")->isChecked();
        d->close();
    });
    click("cmdPttIdPauseChSet");
    EXPECT_TRUE(fourth);
}

TEST_F(FunctionPagesTest, TheAccessCodeTogglesTheHiddenPageAndTheDialogClosesByItself) {
    startIn(3);
    std::vector<FakeTimer*> timers;
    pages().setDialogTimerFactory([&timers] {
        auto t = std::make_unique<FakeTimer>();
        timers.push_back(t.get());
        return std::unique_ptr<DialogTimer>(std::move(t));
    });
    QTabWidget* more = channels().moreFuncTabs();
    auto* cmdMoreFunc = find<QPushButton>("cmdMoreFunc");

    // Nothing typed: the dialog goes after 4.5 s and nothing changes.
    OnModal<InputCodeDialog>([&](InputCodeDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Please Input Code");
        FakeTimer* t = timers.back();
        EXPECT_TRUE(t->active());
        EXPECT_EQ(t->interval(), 4500);
        t->elapse();
    });
    cmdMoreFunc->click();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(more->isHidden());

    // A wrong code, in lower case: compared in upper case, then the dialog goes 2 s after the
    // last key; no message.
    QString entered;
    OnModal<InputCodeDialog>([&](InputCodeDialog* d) {
        QTest::keyClicks(d->findChild<QLineEdit*>("txtInputCode"), "abc");
        FakeTimer* t = timers.back();
        EXPECT_EQ(t->interval(), 2000);
        EXPECT_EQ(t->starts, 4);  // the opening and each key
        entered = d->enteredCode();
        t->elapse();
    });
    cmdMoreFunc->click();
    EXPECT_EQ(entered, "ABC");
    EXPECT_TRUE(more->isHidden());
    EXPECT_TRUE(host.told.isEmpty());

    // The access code the README gives, confirmed with OK, shows the page; again, hides it.
    for (bool shown : {true, false}) {
        OnModal<InputCodeDialog>([&](InputCodeDialog* d) {
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8("塔沃斯"));
            QApplication::sendEvent(d->findChild<QLineEdit*>("txtInputCode"), &commit);
            d->findChild<QPushButton*>("cmdOk")->click();
        });
        cmdMoreFunc->click();
        EXPECT_EQ(more->isHidden(), !shown);
    }
}

TEST_F(FunctionPagesTest, InputCodeDialogCaptionsInEachLanguage) {
    struct Case {
        int language;
        const char* title;
        const char* label;
        const char* ok;
    };
    for (const Case& c :
         {Case{1, "请输入密码", "密码：", "确定"}, Case{2, "請輸入密碼", "密碼：", "確定"},
          Case{3, "Please Input Code", "Code:", "OK"}}) {
        auto timer = std::make_unique<FakeTimer>();
        InputCodeDialog d(c.language, std::move(timer));
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(d.findChild<QLabel*>("lblInputCode")->text(), QString::fromUtf8(c.label));
        EXPECT_EQ(d.findChild<QPushButton*>("cmdOk")->text(), QString::fromUtf8(c.ok));
        EXPECT_EQ(d.enteredCode(), "");
    }
}

}  // namespace
}  // namespace tarvos::ui::test
