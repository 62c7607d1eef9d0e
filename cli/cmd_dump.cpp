// tarvos-cli dump FILE.dat: what the application shows for a data file, as JSON, in
// English. The file is only read.
#include <iostream>

#include "base/error_log.h"
#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "cli/dump_json.h"
#include "document/image_dump.h"

namespace tarvos::cli {

int Dump(const Args& args) {
    if (args.size() != 1) {
        std::cerr << "usage: tarvos-cli dump FILE.dat\n";
        return 2;
    }
    const auto image = OpenForReading(args[0], "dump");
    if (!image) return 2;
    // Failures while decoding are part of what the application would log, not of the
    // output: on standard error only with --verbose.
    ErrorLog log(&LogSink());
    // The file as the window opens it, right after start-up.
    const auto doc = StartedDocument(log, kEnglish);
    std::cout << DumpJson(DumpImage(*doc, *image));
    return 0;
}

}  // namespace tarvos::cli
