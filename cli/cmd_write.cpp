// tarvos-cli write: opens a data file, prepares the image exactly as the communication
// window does before a write (channels decoded and encoded again, the function page's write
// values forced), writes it with every hand-built frame, and with --verify reads the written
// areas back and reports each byte that differs.
#include <cstdio>
#include <iostream>
#include <map>

#include "cli/commands.h"
#include "cli/decoded_channels.h"
#include "cli/link_session.h"
#include "functions/function_model.h"
#include "functions/radio_text.h"
#include "link/editor_state.h"
#include "memory/channel_codec.h"
#include "memory/data_file.h"

namespace tarvos::cli {

namespace {

// The editors the window would have open: the channel table decoded from the file and the
// function page loaded from it.
struct WriteHost : link::TransferHost {
    WriteHost(ByteImage& image, ErrorLog& log)
        : channels(image, log, ChannelLayout{}.columnCount), model(kEnglish, &log) {
        model.SoftDisplay(image);
    }

    link::FunctionPageState functionPage() override { return link::FunctionPageOf(model); }
    void prepareImageForWrite(ByteImage& image) override {
        link::PrepareEditorsForWrite(channels.codec, model, image);
    }

    DecodedChannels channels;
    FunctionModel model;
};

}  // namespace

int Write(const Args& args) {
    LinkOptions o;
    if (!ParseLinkOptions(args, true, o)) return 2;

    StderrSink sink;
    ErrorLog log(&sink);
    ByteImage image(kMinDatNum);
    if (!OpenDatFile(o.file, image, log)) {
        std::cerr << "tarvos-cli: " << o.file << ": Wrong file type!\n";
        return 2;
    }
    WriteHost host(image, log);
    if (o.code) host.model.SetRdWrCodeText(image, *o.code);
    if (o.newCode) {
        host.model.SetNewRdWrCodeChecked(true);
        host.model.SetNewRdWrCodeText(*o.newCode);
    }

    LinkSession session(image, host);
    auto& ranges = session.link().ranges;
    ranges.WriteStartAddr = o.start.value_or(0x0000);
    ranges.WriteEndAddr = o.end.value_or(kRadioMemorySize - 1);
    // A range the image cannot hold is the caller's mistake; nothing was sent.
    if (int failed = session.transfer(link::Direction::Write, o.port, 2)) return failed;
    if (!o.verify) return 0;

    // What the radio should now hold: the last value every acknowledged write put there.
    std::map<int, uint8_t> expected;
    for (const auto& area : session.link().transfer.written)
        for (size_t i = 0; i < area.bytes.size(); ++i)
            if (area.addr + static_cast<int>(i) < kRadioMemorySize)
                expected[area.addr + static_cast<int>(i)] = area.bytes[i];
    if (expected.empty()) return 0;

    ByteImage back = image;  // the code bytes for the check come along
    // The verification read: the same code boxes as the write, nothing else.
    CodeBoxHost verifyHost;
    verifyHost.page = host.functionPage();
    LinkSession verify(back, verifyHost);
    verify.link().ranges.ReadStartAddr = expected.begin()->first;
    verify.link().ranges.ReadEndAddr = expected.rbegin()->first;
    std::cerr << "Verifying...\n";
    if (int failed = verify.transfer(link::Direction::Read, o.port, 1)) return failed;
    int differences = 0;
    for (const auto& [addr, want] : expected) {
        if (back[addr] == want) continue;
        char line[64];
        std::snprintf(line, sizeof line, "%04X: wrote %02X, read %02X\n", addr, want, back[addr]);
        std::cerr << line;
        ++differences;
    }
    if (differences) {
        std::cerr << differences << " byte(s) differ\n";
        return 1;
    }
    std::cerr << "Verified " << expected.size() << " bytes\n";
    return 0;
}

}  // namespace tarvos::cli
