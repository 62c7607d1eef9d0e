// tarvos-cli write: opens a data file as the window's Open does, prepares the image exactly as
// the communication window does before a write (channels encoded, the function page's write
// values forced), writes it with every hand-built frame and the code check (the code stored
// in the file, or the one --code gives), and with --verify reads the written areas back and
// reports each byte that differs. Without --start/--end the settings file's write range
// applies, as in the window. Ctrl-C or SIGTERM stops the write after the frame in progress and
// says how far it got.
#include <iostream>

#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "cli/link_session.h"
#include "cli/stop_signals.h"
#include "document/link_host.h"
#include "link/verify.h"

namespace tarvos::cli {

int Write(const Args& args) {
    LinkOptions o;
    if (!ParseLinkOptions(args, true, o)) return 2;
    StopSignals stopSignals;

    ErrorLog log(&LogSink());
    auto doc = OpenedDocument(log, kEnglish, o.file, "write");
    if (!doc) return 2;
    ByteImage& image = doc->image();
    FunctionModel& page = doc->functions();
    if (o.code) page.SetRdWrCodeText(image, *o.code);
    if (o.newCode) {
        page.SetNewRdWrCodeChecked(true);
        page.SetNewRdWrCodeText(*o.newCode);
    }

    DocumentLinkHost host(*doc);
    LinkSession session(image, host);
    auto& ranges = session.link().ranges;
    ranges.load(CliSettings(), log, image.DatNum());
    if (o.start) {
        ranges.WriteStartAddr = *o.start;
        ranges.WriteEndAddr = *o.end;
    } else {
        session.rangeOrigin = "WriteStartAddr and WriteEndAddr in tarvosk.def";
    }
    // A range that cannot be transferred is the caller's mistake; nothing was sent.
    if (int failed = session.transfer(link::Direction::Write, o.port, 2)) return failed;
    if (!o.verify) return 0;
    if (StopSignals::caught()) {
        std::cerr << "The write is complete; stopped before verifying it.\n";
        return StopSignals::exitCode();
    }

    // What the radio should now hold: the last value every acknowledged write put there.
    const link::VerifyPlan plan = link::PlanVerification(session.link().transfer.written());
    if (plan.empty()) return 0;

    ByteImage back = image;  // the code bytes for the check come along
    // The verification read: the same code boxes as the write, nothing else.
    link::ReadBackHost verifyHost;
    verifyHost.page = host.functionPage();
    LinkSession verify(back, verifyHost);
    verify.link().ranges.ReadStartAddr = plan.start;
    verify.link().ranges.ReadEndAddr = plan.end;
    std::cerr << "Verifying...\n";
    if (int failed = verify.transfer(link::Direction::Read, o.port, 1)) return failed;
    const link::VerifyResult result = link::CompareReadBack(plan, back);
    for (const link::ByteDifference& d : result.differences)
        std::cerr << link::DifferenceLine(d) << "\n";
    if (!result.matched()) {
        std::cerr << result.differences.size() << " byte(s) differ\n";
        return 1;
    }
    std::cerr << "Verified " << result.checked << " bytes\n";
    return 0;
}

}  // namespace tarvos::cli
