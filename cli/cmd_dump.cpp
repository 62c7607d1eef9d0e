// tarvos-cli dump FILE.dat: what the application shows for a data file, as JSON, in
// English. The file is only read.
#include <iostream>

#include "base/error_log.h"
#include "cli/cli_document.h"
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
    RecordingSink sink;
    ErrorLog log(&sink);
    // The file as the window opens it, right after start-up.
    const auto doc = StartedDocument(log, kEnglish);
    std::cout << DumpJson(DumpImage(*doc, *image));
    return 0;
}

}  // namespace tarvos::cli
