#pragma once
// Running the built tarvos-cli as a user would, and the files around it.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace tarvos::cli::test {

inline const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
inline const QString kDefaults = QStringLiteral(TARVOS_BINARY_DIR "/data/DefRadioSet.def");

struct CliRun {
    int code = -1;  // -1 when a signal ended it
    QByteArray out, err;
};

// Runs tarvos-cli, under a file-size limit of limitKiB when given (the shell's ulimit).
inline CliRun Cli(const QStringList& args, int limitKiB = 0) {
    QProcess p;
    if (limitKiB > 0)
        p.start("bash",
                QStringList{"-c", QString("ulimit -f %1; exec \"$0\" \"$@\"").arg(limitKiB), kCli} +
                    args);
    else
        p.start(kCli, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace tarvos::cli::test
