#pragma once
// Reading printed pages back: tarvos-cli and poppler's pdftotext and pdfinfo run with a fixed
// time of printing, and the text compared after NFKC (Chinese may come back in Unicode
// compatibility forms, a Kangxi radical for the ideograph it looks like).
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QString>

namespace tarvos::test {

inline const QString kCliProgram = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
inline constexpr const char* kPrintedAt = "1700000000";  // SOURCE_DATE_EPOCH of every run

struct ProgramRun {
    int exitCode = -1;
    QByteArray out, err;
};

// Runs program with the fixed time of printing and the locale lcAll (empty: as inherited).
inline ProgramRun RunProgram(const QString& program, const QStringList& args,
                             const QString& lcAll = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOURCE_DATE_EPOCH", kPrintedAt);
    if (!lcAll.isEmpty()) env.insert("LC_ALL", lcAll);
    p.setProcessEnvironment(env);
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

inline QString Nfkc(const QString& s) {
    return s.normalized(QString::NormalizationForm_KC);
}

// The text of a PDF as its pages lay it out, after NFKC unless asked for as it comes.
inline QString PdfText(const QString& pdf, bool nfkc = true) {
    const ProgramRun r = RunProgram("pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString text = QString::fromUtf8(r.out);
    return nfkc ? Nfkc(text) : text;
}

// A line of pdfinfo ("Pages", "Page size").
inline QString PdfInfo(const QString& pdf, const QString& key) {
    const ProgramRun r = RunProgram("pdfinfo", {pdf});
    const QRegularExpression line("^" + key + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(r.out)).captured(1).trimmed();
}

}  // namespace tarvos::test
