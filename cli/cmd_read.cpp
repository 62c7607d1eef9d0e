// tarvos-cli read: reads the radio on a port as the window's Read does (the code check
// included: the code given by --code, none without it) and saves the image as read, in the
// data-file layout: the bytes the radio holds, before any editor has looked at them. With
// --check the range is read twice (three times when the two differ) as the window's Settings >
// "Check each read" does. Ctrl-C or SIGTERM stops the read and no file is written.
#include <iostream>
#include <optional>

#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "cli/link_session.h"
#include "cli/stop_signals.h"
#include "document/link_host.h"
#include "memory/data_file.h"

namespace tarvos::cli {

namespace {
// The document's host, keeping the image the radio sent before the redisplay touches it.
struct ReadHost : DocumentLinkHost {
    using DocumentLinkHost::DocumentLinkHost;
    void softDisplay() override {
        asRead = document().image();
        DocumentLinkHost::softDisplay();
    }
    std::optional<ByteImage> asRead;
};
}  // namespace

int Read(const Args& args) {
    LinkOptions o;
    if (!ParseLinkOptions(args, false, o)) return 2;
    StopSignals stopSignals;

    ErrorLog log(&LogSink());
    auto doc = StartedDocument(log, kEnglish);
    // The code typed into the code box is stored in the image, and the check uses it.
    if (o.code) doc->functions().SetRdWrCodeText(doc->image(), *o.code);

    ReadHost host(*doc);
    LinkSession session(doc->image(), host);
    auto& ranges = session.link().ranges;
    ranges.load(CliSettings(), log, doc->image().DatNum());
    if (o.start) {
        ranges.ReadStartAddr = *o.start;
        ranges.ReadEndAddr = *o.end;
    } else {
        session.rangeOrigin = "ReadStartAddr and ReadEndAddr in tarvosk.def";
    }
    session.link().transfer.setCheckEachRead(o.check);

    // A range that cannot be transferred is the caller's mistake; nothing was sent.
    if (int failed = session.transfer(link::Direction::Read, o.port, 2)) return failed;
    if (StopSignals::caught()) {  // after the last frame, before the file
        std::cerr << "Read stopped; no file was written.\n";
        return StopSignals::exitCode();
    }
    FileError why;
    if (!host.asRead || !SaveDatFile(o.file, *host.asRead, log, nullptr, &why)) {
        std::cerr << "tarvos-cli read: "
                  << (why.message.empty() ? "cannot save " + o.file : why.message) << "\n";
        return 2;
    }
    return 0;
}

}  // namespace tarvos::cli
