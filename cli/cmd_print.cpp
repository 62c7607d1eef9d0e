// tarvos-cli print FILE.dat --pdf OUT.pdf [--lang N] [--content cover,settings,channels]
//
// The pages the window's Print prints, as a PDF: the data file opened as File > Open opens it
// (in language N, English when not given), the items of --content (all three when not given)
// drawn as the print dialog's Export PDF… draws them. Exit code 0 when the PDF was written; 2
// for a file that is no data file, an output that cannot be written or is not a regular file,
// or a usage error, and nothing is written then.
#include <QGuiApplication>
#include <iostream>

#include "base/error_log.h"
#include "cli/cli_document.h"
#include "cli/commands.h"
#include "document/print_sheet.h"
#include "print/pdf_file.h"
#include "print/print_stamp.h"

namespace tarvos::cli {

namespace {

constexpr const char* kUsage =
    "usage: tarvos-cli print FILE.dat --pdf OUT.pdf [--lang N] "
    "[--content cover,settings,channels]\n";

int Usage(const std::string& why) {
    std::cerr << "tarvos-cli print: " << why << "\n" << kUsage;
    return 2;
}

}  // namespace

int Print(const Args& args) {
    std::string in, pdf, value;
    int language = kEnglish;
    PrintContent content;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pdf") {
            if (!TakeValue(args, i, pdf)) return Usage("--pdf needs a file name");
        } else if (args[i] == "--lang") {
            if (!TakeValue(args, i, value) || (value != "1" && value != "2" && value != "3"))
                return Usage("--lang takes 1, 2 or 3");
            language = value[0] - '0';
        } else if (args[i] == "--content") {
            const auto parsed = TakeValue(args, i, value) ? ParsePrintContent(value) : std::nullopt;
            if (!parsed)
                return Usage("--content takes cover, settings and channels, comma-separated");
            content = *parsed;
        } else if (in.empty()) {
            in = args[i];
        } else {
            return Usage("unknown argument '" + args[i] + "'");
        }
    }
    if (in.empty() || pdf.empty()) return Usage("the data file and --pdf are needed");

    RecordingSink quiet;  // what the window would only log
    ErrorLog log(&quiet);
    auto doc = OpenedDocument(log, language, in, "print");
    if (!doc) return 2;

    // Fonts and the PDF writer need a GUI application; it never shows a window, so it needs
    // no display either unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tarvos-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const PrintSheet sheet = BuildPrintSheet(*doc, print::CurrentPrintStamp(), content);
    const print::PdfOutcome outcome = print::WritePdf(sheet, QString::fromStdString(pdf));
    if (!outcome.written()) {
        std::cerr << "tarvos-cli print: cannot write " << outcome.error.toStdString() << "\n";
        return 2;
    }
    return 0;
}

}  // namespace tarvos::cli
