#include "cli/link_session.h"

#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <iostream>

#include "base/settings_file.h"
#include "cli/stop_signals.h"
#include "link/hex_text.h"
#include "link/qt/port_map.h"
#include "link/transfer_range.h"

namespace tarvos::cli {

std::optional<int> ParseAddress(const std::string& text) {
    std::string t = text;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) t = t.substr(2);
    auto v = link::ParseHex(t);
    if (!v || *v > 0xFFFF) return std::nullopt;
    return static_cast<int>(*v);
}

bool ParseLinkOptions(const Args& args, bool write, LinkOptions& o) {
    const char* usage =
        write ? "usage: tarvos-cli write --port PORT --in FILE.dat [--code TEXT] [--new-code TEXT] "
                "[--start HEX --end HEX] [--verify]\n"
              : "usage: tarvos-cli read --port PORT [--code TEXT] [--start HEX --end HEX] "
                "[--check] --out FILE.dat\n";
    auto fail = [&](const std::string& why) {
        std::cerr << "tarvos-cli: " << why << "\n" << usage;
        return false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) { return TakeValue(args, i, out); };
        std::string v;
        if (a == "--port") {
            if (!value(o.port)) return fail("--port needs a value");
        } else if (a == "--code") {
            if (!value(v)) return fail("--code needs a value");
            o.code = v;
        } else if (write && a == "--new-code") {
            if (!value(v)) return fail("--new-code needs a value");
            o.newCode = v;
        } else if (a == "--start" || a == "--end") {
            if (!value(v)) return fail(a + " needs a value");
            auto addr = ParseAddress(v);
            if (!addr) return fail("not a hexadecimal address: " + v);
            (a == "--start" ? o.start : o.end) = *addr;
        } else if ((!write && a == "--out") || (write && a == "--in")) {
            if (!value(o.file)) return fail(a + " needs a value");
        } else if (write && a == "--verify") {
            o.verify = true;
        } else if (!write && a == "--check") {
            o.check = true;
        } else {
            return fail("unknown argument '" + a + "'");
        }
    }
    if (o.port.empty()) return fail("--port is required");
    if (o.file.empty()) return fail(write ? "--in is required" : "--out is required");
    if (o.start.has_value() != o.end.has_value()) return fail("--start and --end go together");
    return true;
}

StderrProgress::StderrProgress(const FaceTextTable& text)
    : text_(text), tty_(::isatty(STDERR_FILENO) == 1) {}

void StderrProgress::progress(int percent) {
    // 0 only resets the bar at the start and end of a transfer.
    if (percent == shown_ || percent == 0) return;
    shown_ = percent;
    if (tty_) {
        const int width = 40, filled = percent * width / 100;
        std::cerr << "\r[" << std::string(static_cast<size_t>(filled), '#')
                  << std::string(static_cast<size_t>(width - filled), '-') << "] " << percent
                  << " %" << std::flush;
        barOpen_ = true;
    } else {
        std::cerr << percent << " %\n";
    }
}

void StderrProgress::statusText(const std::string& text) {
    // Percentages are drawn by the bar; a message box's text is the final message.
    if (text.empty() || text.ends_with(" %") || text == lastMessage) return;
    if (barOpen_) std::cerr << "\n";
    barOpen_ = false;
    std::cerr << text << "\n";
}

void StderrProgress::messageBox(int, const std::string& text, const std::string&) {
    lastMessage = text;
}

void StderrProgress::finished(link::Direction, link::Outcome, bool) {
    if (barOpen_) std::cerr << "\n";
    barOpen_ = false;
    shown_ = -1;
}

// QtSerialPort needs an application object for its notifiers.
void EnsureCoreApplication() {
    static int argc = 1;
    static char name[] = "tarvos-cli";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing it down among the other statics at exit is not safe.
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

LinkSession::LinkSession(ByteImage& image, link::TransferHost& host)
    : image_(image), link_(ports_, waiter_, errors_, nullptr, image, host, text_) {
    link_.setObserver(&progress_);
    waiter_.onDelay = CheckStopSignal;
    waiter_.onDelayContext = this;
}

// The transfer pauses before every frame it sends; a signal noted since then stops it there.
void LinkSession::CheckStopSignal(void* context) {
    if (StopSignals::caught()) static_cast<LinkSession*>(context)->link_.transfer.stopNow();
}

LinkSession::~LinkSession() = default;

bool LinkSession::usePort(const std::string& port, std::string* error) {
    int number = link::ComNumber(port);
    if (number != 0) {
        // COMn: the system's ports in the application's order, with the pins of the
        // settings file in TARVOS_HOME when there is one.
        std::unique_ptr<SettingsFile> settings;
        if (const char* home = std::getenv("TARVOS_HOME"))
            settings = std::make_unique<SettingsFile>(std::string(home) + "/tarvosk.def");
        ports_.map() = link::PortMap::FromSystem(settings.get());
    } else {
        number = 1;
        ports_.map() = link::PortMap();
        ports_.map().pin(1, port);
    }
    link_.ports.setComPort(number);
    link_.ports.VerdictCom(number);
    if (link_.ports.PortState(number) != link::PortStatus::Opened) {
        if (error) *error = link_.ports.PortReason(number);
        return false;
    }
    return true;
}

link::Outcome LinkSession::run(link::Direction d) {
    link_.lists.SetComCmdStd();
    return d == link::Direction::Read ? link_.transfer.Read() : link_.transfer.Write();
}

int LinkSession::transfer(link::Direction d, const std::string& port, int refusedExit) {
    const link::RangeCheck range = link::CheckTransferRange(link_.ranges, d, image_.DatNum());
    if (!range.ok()) {
        std::cerr << "tarvos-cli: " << link::RangeRefusalText(d, range, kEnglish);
        if (!rangeOrigin.empty()) std::cerr << " It comes from " << rangeOrigin << ".";
        std::cerr << "\n";
        return refusedExit;
    }
    std::string reason;
    if (!usePort(port, &reason)) {
        std::cerr << "tarvos-cli: " << reason << "\n";
        return 1;
    }
    const link::Outcome outcome = run(d);
    if (outcome == link::Outcome::Done) return 0;
    std::cerr << failureText(outcome) << "\n";
    if (outcome == link::Outcome::Stopped && StopSignals::caught()) return StopSignals::exitCode();
    return outcome == link::Outcome::Refused ? refusedExit : 1;
}

std::string LinkSession::failureText(link::Outcome outcome) const {
    switch (outcome) {
        case link::Outcome::Done:
            return {};
        case link::Outcome::Stopped:
            return StopSignals::caught() ? link::StopPointText(link_.transfer.stopPoint(), kEnglish)
                                         : "Transfer stopped.";
        case link::Outcome::NoPort: {
            const std::string& s = text_[79];
            const std::string reason = link_.ports.failureReason();
            return reason.empty() ? s : s + "\n" + reason;
        }
        case link::Outcome::Refused:
            return progress_.lastMessage;
        case link::Outcome::Failed:
            return progress_.lastMessage.empty() ? text_[79] : progress_.lastMessage;
    }
    return {};
}

}  // namespace tarvos::cli
