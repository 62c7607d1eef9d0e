// File > Print and the toolbar's Print: the dialog "Select Print Content" made on first use,
// its remembered ticks and its texts in three languages; Export PDF… writes the pages tarvos-cli
// print writes for the same file; Print and Preview draw the same pages; status panel 1 says
// "printing" while the pages are drawn and names a failure, which is logged.
#include <QCheckBox>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>

#include "cli/pdf_text.h"
#include "print/ui/print_command.h"
#include "print/ui/print_content_dialog.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

using tarvos::test::PdfInfo;
using tarvos::test::PdfText;
using Choice = PrintContentDialog::Choice;

class PrintMenuTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        qputenv("SOURCE_DATE_EPOCH", tarvos::test::kPrintedAt);
        settled();
        start();
        ASSERT_TRUE(QFile::copy(path("DefRadioSet.def"), path("fleet.dat")));
        window->OpenFile(path("fleet.dat"));
    }
    void TearDown() override {
        qunsetenv("SOURCE_DATE_EPOCH");
        UiFixture::TearDown();
    }
    // The next print dialog answers with button c.
    static void Answer(Choice c) {
        OnModal<PrintContentDialog>([c](PrintContentDialog* d) { d->button(c)->click(); });
    }
};

TEST_F(PrintMenuTest, TheDialogIsMadeOnFirstUseWithEveryItemTicked) {
    EXPECT_EQ(window->printCommand(), nullptr);  // nothing of it at start-up
    QStringList shown;
    OnModal<PrintContentDialog>([&](PrintContentDialog* d) {
        shown << d->windowTitle();
        for (int k = 0; k < 3; ++k)
            shown << d->item(k)->text() + (d->item(k)->isChecked() ? "+" : "-");
        for (Choice c : {Choice::Print, Choice::Preview, Choice::ExportPdf, Choice::Cancel})
            shown << d->button(c)->text();
        d->button(Choice::Cancel)->click();
    });
    window->action("tlbPrint")->trigger();
    EXPECT_EQ(shown.join(","),
              "Select Print Content,Cover+,Radio Settings+,Channel Information+,Print,Preview,"
              "Export PDF…,Cancel");
    EXPECT_NE(window->printCommand(), nullptr);
    EXPECT_TRUE(window->action("mnuPrintFile")->isVisible());
}

TEST_F(PrintMenuTest, ExportPdfGivesThePagesTarvosCliPrints) {
    host.saveResult = path("window.pdf");
    Answer(Choice::ExportPdf);
    window->action("mnuPrintFile")->trigger();
    ASSERT_TRUE(QFile::exists(path("window.pdf")));
    EXPECT_EQ(window->statusText(1), ft(94));
    EXPECT_TRUE(errors.lines.empty());

    const auto cli = tarvos::test::RunProgram(
        tarvos::test::kCliProgram, {"print", path("fleet.dat"), "--pdf", path("cli.pdf")});
    ASSERT_EQ(cli.exitCode, 0) << cli.err.toStdString();
    EXPECT_EQ(PdfInfo(path("window.pdf"), "Pages"), PdfInfo(path("cli.pdf"), "Pages"));
    EXPECT_EQ(PdfInfo(path("window.pdf"), "Page size"), PdfInfo(path("cli.pdf"), "Page size"));
    const QString text = PdfText(path("window.pdf"));
    EXPECT_TRUE(text.contains("fleet.dat"));
    EXPECT_EQ(text, PdfText(path("cli.pdf")));
}

TEST_F(PrintMenuTest, StatusSaysPrintingThenWhatItSaidOrTheFailure) {
    QStringList shown;
    PrintCommand command(*app, app->document, window.get(),
                         {[] { return QString("before"); }, [&](const QString& t) { shown << t; }});
    host.saveResult = path("a.pdf");
    command.exportPdf();
    EXPECT_EQ(shown, (QStringList{ft(105), "before"}));

    // A folder where the file should go: nothing written, the failure shown and logged.
    shown.clear();
    QDir().mkdir(path("b.pdf"));
    host.saveResult = path("b.pdf");
    command.exportPdf();
    EXPECT_EQ(shown, (QStringList{ft(105), ft(106)}));
    EXPECT_EQ(errors.locations(), std::vector<std::string>{"frmPrint->cmdExportPdf_Click"});
    EXPECT_TRUE(QDir(path("b.pdf")).isEmpty());
}

TEST_F(PrintMenuTest, PrintAndPreviewDrawTheSamePages) {
    PrintCommand command(*app, app->document, window.get(), {});
    command.setPrintDialog([&](QPrinter& printer, QWidget*) {
        printer.setOutputFileName(path("printed.pdf"));
        return true;
    });
    command.print();
    const int pages = PdfInfo(path("printed.pdf"), "Pages").toInt();
    EXPECT_EQ(pages, 3);
    EXPECT_TRUE(PdfText(path("printed.pdf")).contains("Channel Information"));

    int previewed = -1;
    OnModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        if (auto* w = d->findChild<QPrintPreviewWidget*>()) previewed = w->pageCount();
        d->reject();
    });
    command.preview();
    EXPECT_EQ(previewed, pages);
}

TEST_F(PrintMenuTest, TheTickedItemsAreRemembered) {
    bool emptyRefused = false;
    OnModal<PrintContentDialog>([&](PrintContentDialog* d) {
        for (int k = 0; k < 3; ++k) d->item(k)->click();  // nothing ticked: nothing to print
        emptyRefused = !d->button(Choice::Print)->isEnabled() &&
                       !d->button(Choice::Preview)->isEnabled() &&
                       !d->button(Choice::ExportPdf)->isEnabled();
        d->item(2)->click();
        d->button(Choice::Cancel)->click();
    });
    window->PrintFile();
    EXPECT_TRUE(emptyRefused);
    EXPECT_EQ(readSetting("PrintContent"), "channels");
    // The next start's dialog shows the same ticks.
    PrintContentDialog again(*app);
    EXPECT_FALSE(again.item(0)->isChecked());
    EXPECT_FALSE(again.item(1)->isChecked());
    EXPECT_TRUE(again.item(2)->isChecked());
}

TEST(PrintDialogTexts, TheDialogSpeaksEachLanguage) {
    App();
    QTemporaryDir folder;
    struct Case {
        int language;
        const char* texts;
    };
    const Case cases[] = {
        {1, "选择打印内容,封面,对讲机设置,信道信息,打印,打印预览,导出PDF…,取消"},
        {2, "選擇列印內容,封面,對講機設置,信道資訊,列印,列印預覽,匯出PDF…,取消"},
        {3,
         "Select Print Content,Cover,Radio Settings,Channel Information,Print,Preview,"
         "Export PDF…,Cancel"},
    };
    for (const Case& c : cases) {
        WindowContext ctx(folder.path());
        ctx.language = c.language;
        ctx.faceText = FaceTextTable(c.language);
        PrintContentDialog d(ctx);
        QStringList texts{d.windowTitle()};
        for (int k = 0; k < 3; ++k) texts << d.item(k)->text();
        for (Choice b : {Choice::Print, Choice::Preview, Choice::ExportPdf, Choice::Cancel})
            texts << d.button(b)->text();
        EXPECT_EQ(texts.join(","), QString::fromUtf8(c.texts));
    }
}

}  // namespace
}  // namespace tarvos::ui::test
