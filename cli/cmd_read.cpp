// tarvos-cli read: reads the radio on a port and saves the image as read, in the data-file
// layout (channels are not re-encoded).
#include <iostream>

#include "cli/commands.h"
#include "cli/link_session.h"
#include "functions/radio_text.h"
#include "memory/data_file.h"

namespace tarvos::cli {

namespace {
struct ReadHost : link::TransferHost {
    link::FunctionPageState page;
    link::FunctionPageState functionPage() override { return page; }
};
}  // namespace

int Read(const Args& args) {
    LinkOptions o;
    if (!ParseLinkOptions(args, false, o)) return 2;

    ByteImage image(kMinDatNum);
    ReadHost host;
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

    std::string reason;
    if (!session.usePort(o.port, &reason)) {
        std::cerr << "tarvos-cli: " << reason << "\n";
        return 1;
    }
    const link::Outcome outcome = session.run(link::Direction::Read);
    if (outcome != link::Outcome::Done) {
        std::cerr << session.failureText(outcome) << "\n";
        // A range the image cannot hold is the caller's mistake; nothing was sent.
        return outcome == link::Outcome::Refused ? 2 : 1;
    }
    StderrSink sink;
    ErrorLog log(&sink);
    if (!SaveDatFile(o.file, image, log)) {
        std::cerr << "tarvos-cli: cannot save " << o.file << "\n";
        return 2;
    }
    return 0;
}

}  // namespace tarvos::cli
