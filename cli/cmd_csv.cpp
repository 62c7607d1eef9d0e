// tarvos-cli csv: channel lists in CHIRP's CSV form.
//
//   csv export FILE.dat [--out LIST.csv]         (standard output without --out)
//   csv import LIST.csv --in BASE.dat --out OUT.dat
//
// Export writes the channels in use of a data file as the window's Open shows them. Import
// opens BASE.dat as File > Open does, sets each listed channel as typing it into the grid
// would, and saves OUT.dat as File > Save does. Rows the radio cannot hold are named on
// standard error; the exit code is 0 when every row was imported, 1 when some were left out,
// 2 for a file that is not a data file or not a channel list (nothing written then). Export
// saves its list as data files are saved, and never over the data file it reads.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "base/file_reading.h"
#include "base/safe_save.h"
#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "document/chirp_csv.h"

namespace tarvos::cli {

namespace {

constexpr const char* kUsage =
    "usage: tarvos-cli csv export FILE.dat [--out LIST.csv]\n"
    "       tarvos-cli csv import LIST.csv --in BASE.dat --out OUT.dat\n";

int Usage(const std::string& why) {
    std::cerr << "tarvos-cli csv: " << why << "\n" << kUsage;
    return 2;
}

int Export(const Args& args) {
    std::string file, out;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--out") {
            if (!TakeValue(args, i, out)) return Usage("--out needs a value");
        } else if (file.empty()) {
            file = args[i];
        } else {
            return Usage("unknown argument '" + args[i] + "'");
        }
    }
    if (file.empty()) return Usage("the data file is missing");
    // The list never replaces the file it is made from.
    std::error_code ec;
    if (!out.empty() && std::filesystem::equivalent(file, out, ec)) {
        std::cerr << "tarvos-cli csv: " << out
                  << " is the data file being exported; nothing was "
                     "written\n";
        return 2;
    }
    ErrorLog log(&LogSink());  // what the window would only log
    auto doc = OpenedDocument(log, kEnglish, file, "csv");
    if (!doc) return 2;
    const std::string text = ChirpCsvText(ChirpChannelsOf(*doc));
    if (out.empty()) {
        std::cout << text << std::flush;
        return 0;
    }
    if (auto e = SaveFileSafely(out, text)) {
        std::cerr << "tarvos-cli csv: " << e->message << "\n";
        return 2;
    }
    return 0;
}

int Import(const Args& args) {
    std::string list, in, out;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--in") {
            if (!TakeValue(args, i, in)) return Usage("--in needs a value");
        } else if (args[i] == "--out") {
            if (!TakeValue(args, i, out)) return Usage("--out needs a value");
        } else if (list.empty()) {
            list = args[i];
        } else {
            return Usage("unknown argument '" + args[i] + "'");
        }
    }
    if (list.empty() || in.empty() || out.empty())
        return Usage("the list, --in and --out are needed");
    std::ifstream stream;
    if (auto e = OpenRegularFile(list, stream)) {
        std::cerr << "tarvos-cli csv: " << e->message << "\n";
        return 2;
    }

    ErrorLog log(&LogSink());
    auto doc = OpenedDocument(log, kEnglish, in, "csv");
    if (!doc) return 2;
    const ChirpImport found =
        ParseChirpCsv(stream, doc->bandLow(), doc->bandHigh(), doc->layout().channelCount);
    if (!found.isCsv) {
        std::cerr << "tarvos-cli csv: " << list
                  << " is no channel list (CSV with a Location and a Frequency column)\n";
        return 2;
    }
    ImportChirpChannels(*doc, found.channels);
    if (!doc->SaveAsFile(out)) return SaveFailed(*doc, "csv", out);
    for (const std::string& warning : found.warnings)
        std::cerr << "tarvos-cli csv: warning: " << warning << "\n";
    for (const std::string& row : found.skipped)
        std::cerr << "tarvos-cli csv: not imported: " << row << "\n";
    return found.skipped.empty() ? 0 : 1;
}

}  // namespace

int Csv(const Args& args) {
    if (!args.empty() && args[0] == "export") return Export(args);
    if (!args.empty() && args[0] == "import") return Import(args);
    return Usage(args.empty() ? "export or import?" : "unknown csv command '" + args[0] + "'");
}

}  // namespace tarvos::cli
