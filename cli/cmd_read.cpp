// tarvos-cli read: reads the radio on a port and saves the image as read, in the data-file
// layout (channels are not re-encoded).
#include <iostream>

#include "cli/commands.h"
#include "cli/link_session.h"
#include "functions/radio_text.h"
#include "memory/data_file.h"

namespace tarvos::cli {

int Read(const Args& args) {
    LinkOptions o;
    if (!ParseLinkOptions(args, false, o)) return 2;

    ByteImage image(kMinDatNum);
    CodeBoxHost host;
    if (o.code) {
        // The code typed into the code box is stored in the image, and the check uses it.
        host.page.rdWrCodeVisible = true;
        host.page.rdWrCodeText = *o.code;
        WriteStoredRdWrCode(image, *o.code);
    }
    LinkSession session(image, host);
    auto& ranges = session.link().ranges;
    ranges.ReadStartAddr = o.start.value_or(0x0000);
    ranges.ReadEndAddr = o.end.value_or(kRadioMemorySize - 1);

    // A range the image cannot hold is the caller's mistake; nothing was sent.
    if (int failed = session.transfer(link::Direction::Read, o.port, 2)) return failed;
    StderrSink sink;
    ErrorLog log(&sink);
    if (!SaveDatFile(o.file, image, log)) {
        std::cerr << "tarvos-cli: cannot save " << o.file << "\n";
        return 2;
    }
    return 0;
}

}  // namespace tarvos::cli
