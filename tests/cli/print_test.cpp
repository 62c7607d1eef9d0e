// tarvos-cli print: the pages read back from the PDF with poppler's pdftotext hold every
// channel as the grid shows it, every setting's caption with the entry it shows, the cover,
// the page numbers, and never the read/write code, on at most four A4 pages in each language.
// Chinese text may come back in Unicode compatibility forms (a Kangxi radical for the
// ideograph it looks like): both sides are compared after NFKC.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "document/channel_editor.h"
#include "document/document_fixture.h"
#include "document/print_sheet.h"
#include "functions/function_model.h"
#include "pdf_text.h"

namespace tarvos::test {
namespace {

const QString& kCli = kCliProgram;

ProgramRun Start(const QString& program, const QStringList& args,
                 const QString& lcAll = "C.UTF-8") {
    return RunProgram(program, args, lcAll);
}

// A text as a pattern: its words in order, with blanks or none between them (pdftotext keeps
// no narrow blank between full-width characters, nor around a dash in "1 - 4").
QString Words(const std::string& text) {
    QStringList words;
    for (const QString& w : Nfkc(QString::fromStdString(text)).split(' ', Qt::SkipEmptyParts))
        words << QRegularExpression::escape(w);
    return words.join("\\s*");
}

// The texts follow one another on the page with nothing but blanks between them.
bool InSequence(const QString& page, const std::vector<std::string>& texts) {
    QStringList parts;
    for (const std::string& t : texts)
        if (!Words(t).isEmpty()) parts << Words(t);
    const QRegularExpression re("(?:^|\\s)" + parts.join("\\s+") + "(?=\\s|$)");
    return re.match(page).hasMatch();
}

class CliPrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The defaults file with what only some radios carry: DTMF codes, two-tone entries, a
        // message, and a read/write code that must never appear on paper.
        StartedDocument s;
        ASSERT_TRUE(s.doc.OpenFile(BuiltData(kDefaultsFileName)));
        FunctionModel& m = s.doc.functions();
        ByteImage& image = s.doc.image();
        m.SetText(image, m.indexOf("txtPttBot"), "12AB*#");
        m.SetText(image, m.indexOf("txtAutoMem(2)"), "5550123");
        m.SetTwoToneCell(image, 3, TwoToneColumn::AFre, "1000");
        m.SetTwoToneCell(image, 3, TwoToneColumn::BFre, "2250.5");
        m.SetText(image, m.indexOf("txtInfo(1)"), "FLEET 7");
        m.SetRdWrCodeText(image, "XQZ");
        ASSERT_TRUE(s.doc.SaveAsFile(path("fleet.dat").toStdString()));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(CliPrintTest, ThePdfHoldsEveryChannelAndSettingInEachLanguage) {
    for (int language : {1, 2, 3}) {
        SCOPED_TRACE(language);
        const QString pdf = path(QString("fleet-%1.pdf").arg(language));
        const ProgramRun r = Start(
            kCli, {"print", path("fleet.dat"), "--pdf", pdf, "--lang", QString::number(language)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const int pages = PdfInfo(pdf, "Pages").toInt();
        EXPECT_GE(pages, 2);
        EXPECT_LE(pages, 4);
        EXPECT_TRUE(PdfInfo(pdf, "Page size").contains("(A4)"));
        const QString page = PdfText(pdf);
        // Every ideograph comes back as itself, none as the CJK radical drawn with its glyph.
        EXPECT_FALSE(PdfText(pdf, false).contains(QRegularExpression("[\\x{2E80}-\\x{2FDF}]")));

        // What the window shows for the same file in the same language.
        StartedDocument s(language);
        ASSERT_TRUE(s.doc.OpenFile(path("fleet.dat").toStdString()));
        const PrintSheet sheet = BuildPrintSheet(
            s.doc, {"Tarvos " TARVOS_VERSION, std::stoll(kPrintedAt)}, PrintContent{});
        for (int p = 1; p <= pages; ++p)
            EXPECT_TRUE(
                InSequence(page, {sheet.fileName, PageNumberText(sheet.pagePattern, p, pages)}));
        for (const SheetLine& l : sheet.cover)
            EXPECT_TRUE(InSequence(page, {l.caption, l.value})) << l.caption << " " << l.value;
        EXPECT_TRUE(page.contains("Tarvos " TARVOS_VERSION));

        const ChannelEditor& grid = s.doc.channelEditor();
        std::vector<std::string> captions = s.doc.layout().captions();
        captions.resize(static_cast<size_t>(grid.cols()) + 1);
        EXPECT_TRUE(InSequence(page, captions));
        for (int row = 1; row <= grid.rows(); ++row) {
            std::vector<std::string> cells{std::to_string(row)};
            for (int c = 1; c <= grid.cols(); ++c) cells.push_back(grid.text(row, c));
            EXPECT_TRUE(InSequence(page, cells)) << "channel " << row;
        }
        EXPECT_TRUE(InSequence(page, {sheet.channelsInUse.caption, sheet.channelsInUse.value}));

        int checked = 0;
        for (const SheetFrame& f : sheet.frames) {
            EXPECT_TRUE(InSequence(page, {f.title})) << f.title;
            for (const SheetLine& l : f.lines) {
                EXPECT_TRUE(InSequence(page, {l.caption, l.value})) << l.caption << " " << l.value;
                ++checked;
            }
            for (const SheetTable& t : f.tables)
                for (const auto& row : t.rows) {
                    std::vector<std::string> cells;
                    for (const SheetCell& c : row) cells.push_back(c.text);
                    EXPECT_TRUE(InSequence(page, cells)) << "two-tone " << row[0].text;
                }
        }
        EXPECT_GT(checked, 90);
        // What the fixture put in shows as the page shows it; the code does not.
        EXPECT_TRUE(InSequence(page, {"12AB*#"}));
        EXPECT_TRUE(InSequence(page, {"3", "5550123"}));
        EXPECT_TRUE(InSequence(page, {"3", "1000.0"}));
        EXPECT_TRUE(InSequence(page, {"FLEET 7"}));
        EXPECT_FALSE(page.contains("XQZ"));
    }
}

TEST_F(CliPrintTest, PrintsTheItemsAskedForOnTheLocalesPaper) {
    struct Case {
        const char* content;
        const char* locale;
        const char* paper;
        int pages;
        bool cover, channels, settings;
    };
    const Case cases[] = {
        {"cover", "C.UTF-8", "(A4)", 1, true, false, false},
        {"channels", "en_US.UTF-8", "(letter)", 1, false, true, false},
        {"settings,cover", "de_DE.UTF-8", "(A4)", 2, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        const QString pdf = path("part.pdf");
        const ProgramRun r = Start(
            kCli, {"print", path("fleet.dat"), "--pdf", pdf, "--content", c.content}, c.locale);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(PdfInfo(pdf, "Page size").contains(c.paper));
        EXPECT_EQ(PdfInfo(pdf, "Pages").toInt(), c.pages);
        const QString page = PdfText(pdf);
        EXPECT_EQ(page.contains("Radio Programming Software"), c.cover);
        EXPECT_EQ(page.contains("Channel Information"), c.channels);
        EXPECT_EQ(page.contains("Radio Settings"), c.settings);
    }
}

TEST_F(CliPrintTest, RefusesWhatItCannotPrintAndWritesNothing) {
    QFile::copy(path("fleet.dat"), path("keep.pdf"));
    QFile notData(path("notes.dat"));
    ASSERT_TRUE(notData.open(QIODevice::WriteOnly));
    notData.write("not a data file");
    notData.close();
    QDir().mkdir(path("folder.pdf"));
    struct Case {
        const char* why;
        QStringList args;
    };
    const Case cases[] = {
        {"no data file", {"print", path("notes.dat"), "--pdf", path("keep.pdf")}},
        {"a missing data file", {"print", path("missing.dat"), "--pdf", path("keep.pdf")}},
        {"a folder as output", {"print", path("fleet.dat"), "--pdf", path("folder.pdf")}},
        {"a device as output", {"print", path("fleet.dat"), "--pdf", "/dev/null"}},
        {"a missing folder", {"print", path("fleet.dat"), "--pdf", path("none/out.pdf")}},
        {"no --pdf", {"print", path("fleet.dat")}},
        {"a bad language", {"print", path("fleet.dat"), "--pdf", path("keep.pdf"), "--lang", "4"}},
        {"bad content",
         {"print", path("fleet.dat"), "--pdf", path("keep.pdf"), "--content", "all"}},
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const ProgramRun r = Start(kCli, c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains("tarvos-cli print: ")) << r.err.toStdString();
    }
    // Nothing new, the earlier file untouched, the folder still empty.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QFile keep(path("keep.pdf")), fleet(path("fleet.dat"));
    ASSERT_TRUE(keep.open(QIODevice::ReadOnly) && fleet.open(QIODevice::ReadOnly));
    EXPECT_EQ(keep.readAll(), fleet.readAll());
    EXPECT_TRUE(QDir(path("folder.pdf")).isEmpty());
}

}  // namespace
}  // namespace tarvos::test
