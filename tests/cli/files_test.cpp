// The files tarvos-cli reads and writes, as a hostile or unlucky user meets them: a link
// planted beside the output, a FIFO or device as the output, a file-size limit, a list
// exported over its own data file; and what it says when an input cannot be used.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "cli_run.h"

namespace tarvos::cli::test {
namespace {

class CliFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(kDefaults, at("in.dat")));
        Write(at("list.csv"), "Location,Frequency\r\n1,446.00625\r\n");
    }
    QString at(const QString& name) const { return dir.filePath(name); }
    QStringList names() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
};

// Every command that saves a data file (read and simulate save through the same Save), and
// csv export: a link planted under the name earlier versions wrote first is never followed.
TEST_F(CliFiles, APlantedLinkBesideTheOutputRedirectsNothing) {
    const QList<QStringList> commands = {
        {"set", at("in.dat"), "--out", at("o.dat"), "cboTot=3"},
        {"edit", at("in.dat"), "--out", at("o.dat"), "delete:1"},
        {"csv", "import", at("list.csv"), "--in", at("in.dat"), "--out", at("o.dat")},
        {"csv", "export", at("in.dat"), "--out", at("o.dat")}};
    for (const QStringList& args : commands) {
        SCOPED_TRACE(args.join(' ').toStdString());
        Write(at("victim"), "keep me");
        QFile::remove(at("o.dat.saving"));
        ASSERT_TRUE(QFile::link(at("victim"), at("o.dat.saving")));
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(ReadAll(at("victim")), "keep me");
        EXPECT_FALSE(QFileInfo(at("o.dat")).isSymLink());
        EXPECT_GT(ReadAll(at("o.dat")).size(), 100);
        QFile::remove(at("o.dat"));
    }
}

// An output that is no regular file is refused with one line naming it, nothing written: a
// FIFO (export would otherwise wait for a reader), a device, a link to either.
TEST_F(CliFiles, AnOutputThatIsNoRegularFileIsRefused) {
    ASSERT_EQ(::mkfifo(at("fifo").toLocal8Bit().constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/null", at("null")));
    for (const QString& out : {at("fifo"), at("null"), QString("/dev/null")}) {
        for (const QStringList& args : {QStringList{"set", at("in.dat"), "--out", out, "cboTot=3"},
                                        QStringList{"csv", "export", at("in.dat"), "--out", out}}) {
            SCOPED_TRACE(args.join(' ').toStdString());
            const CliRun r = Cli(args);
            EXPECT_EQ(r.code, 2);
            EXPECT_TRUE(r.err.contains("not a regular file")) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(out.toLocal8Bit())) << r.err.toStdString();
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo(at("fifo")).exists());
    EXPECT_FALSE(QFileInfo(at("fifo")).isFile());
    EXPECT_TRUE(QFileInfo(at("null")).isSymLink());
}

// Under a file-size limit a save fails with the system's reason, the old file stays whole and
// nothing is left beside it.
TEST_F(CliFiles, AFileSizeLimitLeavesTheOldFileAndNothingElse) {
    Write(at("o.dat"), "old data file");
    Write(at("o.csv"), "old list");
    const QStringList before = names();
    for (const QStringList& args :
         {QStringList{"set", at("in.dat"), "--out", at("o.dat"), "cboTot=3"},
          QStringList{"csv", "import", at("list.csv"), "--in", at("in.dat"), "--out", at("o.dat")},
          QStringList{"csv", "export", at("in.dat"), "--out", at("o.csv")}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliRun r = Cli(args, 1);  // 1 KiB: less than a data file, less than the list
        EXPECT_EQ(r.code, 2) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("File too large")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_EQ(ReadAll(at("o.dat")), "old data file");
    EXPECT_EQ(ReadAll(at("o.csv")), "old list");
    EXPECT_EQ(names(), before);
}

// A list is never exported over the data file it is made from, by its name or through a link.
TEST_F(CliFiles, ExportRefusesToWriteOverItsInput) {
    const QByteArray data = ReadAll(at("in.dat"));
    ASSERT_TRUE(QFile::link(at("in.dat"), at("same.dat")));
    for (const QString& out : {at("in.dat"), at("same.dat")}) {
        const CliRun r = Cli({"csv", "export", at("in.dat"), "--out", out});
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains("is the data file being exported")) << r.err.toStdString();
    }
    EXPECT_EQ(ReadAll(at("in.dat")), data);
}

// An input that cannot be used is told in one English line: the system's reason for a file
// that cannot be opened, "Wrong file type!" for one that is no data file. The error log's
// entries (Chinese, naming procedures) come only with --verbose.
TEST_F(CliFiles, AnInputThatCannotBeUsedIsToldInOneLine) {
    Write(at("short.dat"), QByteArray(1039, '\0'));
    const QString missing = at("missing.dat");
    const QByteArray noSuchFile =
        "cannot open " + missing.toLocal8Bit() + ": No such file or directory";
    struct Case {
        QStringList args;
        QByteArray line;
        bool logged = true;  // the document logs the failure (the list is read before it)
    };
    const QList<Case> cases = {
        {{"set", missing, "--out", at("o.dat"), "cboTot=3"}, "tarvos-cli set: " + noSuchFile},
        {{"edit", missing, "--out", at("o.dat")}, "tarvos-cli edit: " + noSuchFile},
        {{"dump", missing}, "tarvos-cli dump: " + noSuchFile},
        {{"write", "--port", "/dev/null", "--in", missing}, "tarvos-cli write: " + noSuchFile},
        {{"csv", "export", missing}, "tarvos-cli csv: " + noSuchFile},
        {{"csv", "import", missing, "--in", at("in.dat"), "--out", at("o.dat")},
         "tarvos-cli csv: " + noSuchFile,
         false},
        {{"csv", "import", at("list.csv"), "--in", missing, "--out", at("o.dat")},
         "tarvos-cli csv: " + noSuchFile},
        {{"set", at("short.dat"), "--out", at("o.dat")},
         "tarvos-cli set: " + at("short.dat").toLocal8Bit() +
             ": Wrong file type! (1039 bytes; a data file has 1040)"},
        {{"set", at("in.dat"), "--out", at("no/such/folder/o.dat")},
         "tarvos-cli set: cannot save " + at("no/such/folder/o.dat").toLocal8Bit() +
             ": No such file or directory"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun quiet = Cli(c.args);
        EXPECT_EQ(quiet.code, 2);
        EXPECT_EQ(quiet.err, c.line + "\n");
        const CliRun verbose = Cli(QStringList{"--verbose"} + c.args);
        EXPECT_EQ(verbose.code, 2);
        EXPECT_TRUE(verbose.err.endsWith(c.line + "\n")) << verbose.err.toStdString();
        EXPECT_EQ(verbose.err.contains("错误:  mdifrmMain->"), c.logged)
            << verbose.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(at("o.dat")));
}

// The first word after set that is no option is its input, "=" in its name or not.
TEST_F(CliFiles, SetTakesAnInputWhoseNameHoldsAnEqualsSign) {
    ASSERT_TRUE(QFile::copy(at("in.dat"), at("a=b.dat")));
    const CliRun r = Cli({"set", at("a=b.dat"), "--out", at("o.dat"), "cboTot=3"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(static_cast<uint8_t>(ReadAll(at("o.dat")).at(0x0130 + 0x10)), 3);
}

}  // namespace
}  // namespace tarvos::cli::test
