#pragma once
// Running the built tarvos-cli as a user would, and the files it reads and writes.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QString>

namespace tarvos::test {

inline const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
inline const QString kDefaults = QStringLiteral(TARVOS_BINARY_DIR "/data/DefRadioSet.def");

struct CliRun {
    int code = -1;
    QByteArray out, err;
};

inline CliRun Cli(const QStringList& args) {
    QProcess p;
    p.start(kCli, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

inline void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace tarvos::test
