// The windows laid out as people expect: captions whole and menu captions by the conventions
// in every language, the splitter below the channel grid and where the user left it, windows
// and dialogs centred over the main window, the main window where it was, a drop-down as wide
// as its entries, locked cells readable, the status notice cleared, and Tarvos in the About box.

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTabWidget>
#include <QTest>

#include "channels/auto_input_window.h"
#include "document/channel_editor.h"
#include "link/ui/comm_window.h"
#include "memview/memdat_window.h"
#include "shell/about_box.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class LayoutTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
    }
    // Closes the application as a user leaving it does, so it can start again.
    void stop() {
        app->exitWithoutPrompt = true;
        window->close();
        window.reset();
        services.reset();
        app.reset();
    }
    GridControl* grid() { return channels().grid(); }
    QSplitter* splitter() { return channels().findChild<QSplitter*>("splChannel"); }
    static void settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    // The main window in the middle of the (800 x 600) offscreen screen.
    void middle() {
        window->setGeometry(QRect(50, 40, 700, 520));
        settle();
    }
    void expectCentred(const QWidget* w) {
        const QPoint d = w->frameGeometry().center() - window->frameGeometry().center();
        EXPECT_LE(d.manhattanLength(), 2)
            << w->objectName().toStdString() << " off by " << d.x() << "," << d.y();
    }
    static int Contrast(const QColor& a, const QColor& b) {
        return std::abs(qGray(a.rgb()) - qGray(b.rgb()));
    }
};

TEST_F(LayoutTest, CaptionsAreWholeAndMenuItemsFollowTheConventionsInEveryLanguage) {
    const QStringList dialogs = {"mnuFileOpen",    "mnuFileSave",    "mnuFileSaveAs",
                                 "mnuCompareFile", "mnuImportCsv",   "mnuExportCsv",
                                 "mnuPrintFile",   "mnuCommunicate", "mnuAboutSoft"};
    for (int language : {1, 2, 3}) {
        settled(language);
        start();
        const QFontMetrics metrics(grid()->horizontalHeader()->font());
        for (int c = 1; c < grid()->cols(); ++c)
            EXPECT_GE(grid()->columnWidth(c - 1), metrics.horizontalAdvance(grid()->text(0, c)) + 4)
                << language << ": " << grid()->text(0, c).toStdString();
        std::function<void(QMenu*)> check = [&](QMenu* menu) {
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || !a->isVisible()) continue;
                const QString text = a->text();
                EXPECT_TRUE(QRegularExpression("&[^&]").match(text).hasMatch())
                    << language << ": " << text.toStdString();
                EXPECT_EQ(text.endsWith(QString::fromUtf8("…")), dialogs.contains(a->objectName()))
                    << language << ": " << text.toStdString();
                if (a->menu()) check(a->menu());
            }
        };
        check(window->findChild<QMenu*>("mnuFile"));
        check(window->findChild<QMenu*>("mnuSet"));
        EXPECT_TRUE(window->action("mnuAboutSoft")->text().endsWith(QString::fromUtf8("…")));
        stop();
    }
}

TEST_F(LayoutTest, TheSplitterShowsEveryChannelAndKeepsWhereTheUserLeftIt) {
    start();
    window->resize(1240, 780);  // the default size
    channels().moreFuncTabs()->show();
    settle();
    EXPECT_GE(grid()->viewport()->height(), grid()->verticalHeader()->length());
    EXPECT_GT(channels().moreFuncTabs()->height(), 100);

    QSplitterHandle* handle = splitter()->handle(1);
    const QPoint at = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, at);
    QTest::mouseMove(handle, at + QPoint(0, -80));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, at + QPoint(0, -80));
    const int top = splitter()->sizes()[0];
    EXPECT_EQ(readSetting("ChannelSplitter"), QString::number(top));
    stop();

    start();
    window->resize(1240, 780);
    channels().moreFuncTabs()->show();
    settle();
    EXPECT_EQ(splitter()->sizes()[0], top);
}

TEST_F(LayoutTest, WindowsAndDialogsOpenCentredOverTheMainWindow) {
    start();
    middle();
    channels().cmdAutoInput_Click();
    settle();
    ASSERT_NE(channels().autoInputWindow(), nullptr);
    expectCentred(channels().autoInputWindow());
    channels().autoInputWindow()->close();
    MemDatWindow* memory = window->memoryWindow();
    memory->show();
    settle();
    expectCentred(memory);
    memory->hide();
    bool seen = false;
    OnModal<AboutBox>([&](AboutBox* box) {
        seen = true;
        EXPECT_EQ(box->parentWidget(), window.get());
        expectCentred(box);
        box->accept();
    });
    window->ShowAbout();
    EXPECT_TRUE(seen);
}

TEST_F(LayoutTest, TheMainWindowComesBackWhereItWasWhenTheScreenHasRoom) {
    start();
    window->setGeometry(QRect(80, 60, 600, 450));
    settle();
    stop();
    EXPECT_EQ(readSetting("MainWindow"), "80,60,600,450,0");
    start();
    EXPECT_EQ(window->geometry(), QRect(80, 60, 600, 450));
    EXPECT_FALSE(window->isMaximized());
    stop();

    // Off every screen, or larger than it: the default place and size, the maximised state
    // all the same.
    for (const char* stored : {"5000,5000,600,450,1", "0,0,3000,2000,1"}) {
        setting("MainWindow", stored);
        start();
        EXPECT_EQ(window->normalGeometry().size(), QSize(1240, 780)) << stored;
        EXPECT_TRUE(window->isMaximized()) << stored;
        stop();
    }
}

TEST_F(LayoutTest, DropDownsShowTheirEntriesWholeAndLockedCellsStayReadable) {
    start();
    window->OpenFile(path("DefRadioSet.def"));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                      grid()->visualRect(grid()->model()->index(3, 5)).center());
    settle();
    auto* box = qobject_cast<QComboBox*>(grid()->indexWidget(grid()->currentIndex()));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), "Narrow");
    EXPECT_GE(box->width(), box->sizeHint().width());
    EXPECT_GT(box->width(), grid()->columnWidth(5));
    grid()->cancelEdit();

    window->mnuLockFace_Click(true);
    ASSERT_FALSE(grid()->isEnabled());
    const QPalette p = grid()->palette();
    // The current cell takes the background as its selection colour while locked.
    EXPECT_GT(Contrast(p.color(QPalette::Disabled, QPalette::HighlightedText),
                       ColorFromBgr(grid()->backColorSel())),
              128);
    const QPalette labels = grid()->verticalHeader()->palette();
    EXPECT_GT(Contrast(labels.color(QPalette::Disabled, QPalette::ButtonText),
                       ColorFromBgr(kClickedRowColour)),
              80);
}

TEST_F(LayoutTest, TheNoticeIsClearedWhenATransferStartsAndTheAboutBoxNamesTarvos) {
    defaultsRadio();
    start();
    window->SetStatusNotice("Read Failed");
    QString during;
    OnModal<CommWindow>([&](CommWindow*) { during = window->statusText(1); });
    window->StartRead();
    EXPECT_EQ(during, "Ready");
    EXPECT_EQ(window->statusText(1), ft(165));

    QProcess version;
    version.start(QStringLiteral(TARVOS_BINARY_DIR "/shell/tarvos"), {"--version"});
    ASSERT_TRUE(version.waitForFinished(30000));
    const QString printed = QString::fromUtf8(version.readAllStandardOutput()).trimmed();
    ASSERT_TRUE(printed.startsWith("tarvos ")) << printed.toStdString();
    QString product;
    OnModal<AboutBox>([&](AboutBox* box) {
        product = box->findChild<QLabel*>("lblProduct")->text();
        EXPECT_EQ(box->findChild<QLabel*>("lblTitle")->text(), "Radio Software");
        box->accept();
    });
    window->ShowAbout();
    EXPECT_EQ(product, "Tarvos " + printed.mid(7));
}

}  // namespace
}  // namespace tarvos::ui::test
