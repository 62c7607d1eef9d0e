// Asking the programs for their usage or version: the answer on standard output, success.
#include <gtest/gtest.h>

#include <QProcess>

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out, err;
};

Outcome Start(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
const QString kApp = QStringLiteral(TARVOS_BINARY_DIR "/shell/tarvos");

TEST(CliUsage, HelpPrintsTheUsageOnStandardOutput) {
    for (const char* ask : {"--help", "-h", "help"}) {
        SCOPED_TRACE(ask);
        const Outcome r = Start(kCli, {ask});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.out.startsWith("usage: tarvos-cli COMMAND")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("  read --port PORT"));
        EXPECT_TRUE(r.err.isEmpty());
    }
    // Without a command, or with an unknown one, the usage is an error.
    for (const QStringList& args : {QStringList{}, QStringList{"--halp"}}) {
        const Outcome r = Start(kCli, args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains("usage: tarvos-cli"));
    }
}

TEST(CliUsage, BothProgramsPrintTheirVersion) {
    const Outcome cli = Start(kCli, {"--version"});
    EXPECT_EQ(cli.exitCode, 0);
    EXPECT_EQ(cli.out, "tarvos-cli " TARVOS_VERSION "\n");
    const Outcome app = Start(kApp, {"--version"});
    EXPECT_EQ(app.exitCode, 0);
    EXPECT_EQ(app.out, "tarvos " TARVOS_VERSION "\n");
}

}  // namespace
