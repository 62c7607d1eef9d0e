// A soak of the real transfer engine against the in-process virtual radio on the virtual
// clock: reads and writes of the whole range, each with one random fault at a random point,
// from a fixed seed so every run is the same. After each transfer the outcome must be one of
// the two sound ones:
//   - success, with the image (read) or the radio's memory (write) exactly as the same
//     transfer leaves it without the fault;
//   - a failure the user is told of (a message box, or the stop box they ticked), with the
//     image exactly as it was before (a read; a write leaves the radio partly written, as
//     the radio's protocol has no way back, but never touches the image).
// Anything else is a silent corruption; a transfer that does not end is a hang.
//
// The stop box is honoured at the sixth failure of a step, and only then (the port search
// aside): ticked on a healthy line it changes nothing, ticked as the line goes dead it ends
// the transfer at the sixth failure, without a message. Either category must show its effect.
//
// One kind of silent change the engine cannot see: the protocol carries no check of data
// bytes, so a byte inverted on the line inside the data of a block reply (or of the radio's
// parameter blocks a write reads back and returns) arrives as data. Such a transfer is
// counted apart, and only when the whole difference is that one inverted byte. Half the reads
// run with "Check each read", which must leave no such byte: for them it is a corruption.
//
// TARVOS_SOAK_TRANSFERS (default 1000 of each direction) and TARVOS_SOAK_SEED change the run.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "link_fixture.h"
#include "memory/read_back.h"

namespace tarvos::link {
namespace {

using testing::LinkBench;

enum class Fault { Drop, Corrupt, Delay, Silence, Unplug, Echo, Stop, StopDeadLine, Count };
const char* const kFaultNames[] = {"dropped byte",    "corrupted byte", "delay",
                                   "silence",         "unplug",         "echo switched",
                                   "stop box ticked", "stop, line dead"};

// What makes one transfer: the radio, the image, the cable and the fault.
struct Scenario {
    Direction direction = Direction::Read;
    std::string letters;       // "" (standard), "ZIM", "ZHN"
    bool codeModel = false;    // the model has a read/write code (the radio has none)
    bool echoCable = false;    // the cable echoes from the start
    bool checked = false;      // a read with "Check each read"
    uint32_t contentSeed = 0;  // radio memory and image bytes
    Fault fault = Fault::Drop;
    int64_t at = 0;      // the radio byte (drop, corrupt, unplug) or the wait the fault starts at
    int64_t length = 0;  // waits a delay or a silence lasts (0: to the end)
    int delayMs = 0;
};

struct TransferRun {
    Outcome outcome = Outcome::Failed;
    ByteImage start;  // the image before the transfer
    ByteImage image;
    sim::RadioMemory radio{};
    std::vector<int> messages;
    std::vector<std::string> statuses;
    bool stopTicked = false;
    int failures = 0;  // failed rounds of the step list
    bool hung = false;
    int64_t radioBytes = 0;  // bytes the radio sent
    int64_t waits = 0;       // DelayNms calls
};

// Waits beyond this much virtual time mean the transfer does not end.
constexpr int64_t kHangUs = 3600LL * 1000 * 1000;

struct Hung {};

TransferRun RunScenario(const Scenario& s, bool withFault) {
    LinkBench b;
    std::mt19937 content(s.contentSeed);
    for (auto& byte : b.radio.memory) byte = static_cast<uint8_t>(content());
    for (int a = 0; a < b.image.size(); ++a) b.image[a] = static_cast<uint8_t>(content());
    b.radio.setLetters(s.letters);
    b.radio.setCode("");
    // The code and the letters are the radio's own: the image holds them as a read brought
    // them, so a write gives them back unchanged.
    for (int a = 0x0385; a <= 0x038D; ++a) b.image[a] = b.radio.memory[static_cast<size_t>(a)];
    b.host.page.rdWrCodeVisible = s.codeModel;
    b.line.faults.echo = s.echoCable;
    b.link.transfer.setCheckEachRead(s.checked);

    TransferRun r;
    r.start = b.image;
    int64_t waits = 0;
    if (withFault) {
        switch (s.fault) {
            case Fault::Drop:
                b.line.faults.dropByte = static_cast<int>(s.at);
                break;
            case Fault::Corrupt:
                b.line.faults.corruptByte = static_cast<int>(s.at);
                break;
            case Fault::Unplug:
                b.line.faults.unplugAfter = static_cast<int>(s.at);
                break;
            default:
                break;
        }
    }
    b.clock.onDelay = [&] {
        ++waits;
        if (b.clock.nowUs() > kHangUs) throw Hung{};
        if (!withFault) return;
        const bool started = waits == s.at;
        const bool ended = s.length > 0 && waits == s.at + s.length;
        switch (s.fault) {
            case Fault::Delay:
                if (started) b.line.faults.replyDelayMs = s.delayMs;
                if (ended) b.line.faults.replyDelayMs = 0;
                break;
            case Fault::Silence:
                if (started) b.line.faults.silent = true;
                if (ended) b.line.faults.silent = false;
                break;
            case Fault::Echo:
                if (started) b.line.faults.echo = !b.line.faults.echo;
                break;
            case Fault::StopDeadLine:
                if (started) b.line.faults.silent = true;
                [[fallthrough]];
            case Fault::Stop:
                if (started) {
                    b.link.transfer.setStopTicked(true);
                    r.stopTicked = true;
                }
                break;
            default:
                break;
        }
    };
    try {
        r.outcome =
            s.direction == Direction::Read ? b.link.transfer.Read() : b.link.transfer.Write();
    } catch (const Hung&) {
        r.hung = true;
    }
    r.image = b.image;
    r.radio = b.radio.memory;
    r.messages = b.rec.messages;
    r.statuses = b.rec.statuses;
    r.failures = b.link.transfer.retry().failures;
    r.radioBytes = b.line.bytesOut;
    r.waits = waits;
    return r;
}

// Where two images or memories differ.
template <class A>
std::vector<int> Differences(const A& x, const A& y, int size) {
    std::vector<int> at;
    for (int i = 0; i < size; ++i)
        if (x[i] != y[i]) at.push_back(i);
    return at;
}

enum class Verdict {
    Success,
    ReportedFailure,
    StoppedAsAsked,
    ProtocolBlind,
    SilentCorruption,
    Unreported,
    StopMishandled,
    Hang
};
const char* const kVerdictNames[] = {
    "success",           "reported failure",   "stopped at the 6th failure", "blind data byte",
    "SILENT CORRUPTION", "UNREPORTED FAILURE", "STOP BOX MISHANDLED",        "HANG"};

Verdict Judge(const Scenario& s, const TransferRun& clean, const TransferRun& faulted,
              std::string* why) {
    if (faulted.hung) return Verdict::Hang;
    const std::string ended = "outcome " + std::to_string(static_cast<int>(faulted.outcome)) +
                              " after " + std::to_string(faulted.failures) + " failures";
    if (s.fault == Fault::Stop && faulted.outcome != Outcome::Done &&
        faulted.outcome != Outcome::NoPort) {
        *why = "a ticked stop box ended a transfer that kept succeeding: " + ended;
        return Verdict::StopMishandled;
    }
    if (s.fault == Fault::StopDeadLine) {
        const bool stopped = faulted.outcome == Outcome::Stopped;
        if (faulted.failures > 6 || (faulted.failures == 6) != stopped ||
            (stopped && !faulted.messages.empty())) {
            *why = "the ticked stop box was not honoured at the sixth failure: " + ended;
            return Verdict::StopMishandled;
        }
    }
    const bool read = s.direction == Direction::Read;
    if (faulted.outcome == Outcome::Done) {
        const std::vector<int> diff =
            read ? Differences(faulted.image, clean.image, clean.image.size())
                 : Differences(faulted.radio, clean.radio, sim::kRadioBytes);
        if (diff.empty() && (read || faulted.image == faulted.start)) return Verdict::Success;
        if (s.fault == Fault::Corrupt && diff.size() == 1 && !s.checked) {
            const int a = diff[0];
            const uint8_t got = read ? faulted.image[a] : faulted.radio[static_cast<size_t>(a)];
            const uint8_t want = read ? clean.image[a] : clean.radio[static_cast<size_t>(a)];
            if (got == static_cast<uint8_t>(~want)) return Verdict::ProtocolBlind;
        }
        *why = std::to_string(diff.size()) + " bytes differ, first at " +
               (diff.empty() ? std::string("-") : std::to_string(diff[0]));
        return Verdict::SilentCorruption;
    }
    // A failure: told, and the image as it was (a write never changes the image either).
    if (faulted.image != faulted.start) {
        *why = "the image changed on a failure";
        return Verdict::SilentCorruption;
    }
    // No port answered: the window stays open with the notice in its status line.
    const FaceTextTable text(3);
    const bool noPortShown = faulted.outcome == Outcome::NoPort && !faulted.statuses.empty() &&
                             faulted.statuses.back().rfind(text[text::CommFailed], 0) == 0;
    if (faulted.outcome == Outcome::Stopped && faulted.stopTicked) return Verdict::StoppedAsAsked;
    if (faulted.messages.empty() && !noPortShown) {
        *why = ended + ", no message";
        return Verdict::Unreported;
    }
    return Verdict::ReportedFailure;
}

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

TEST(TransferSoak, EveryFaultEndsInSuccessOrAToldFailure) {
    const int perDirection = EnvInt("TARVOS_SOAK_TRANSFERS", 1000);
    const uint32_t seed = static_cast<uint32_t>(EnvInt("TARVOS_SOAK_SEED", 20240917));
    std::mt19937 rng(seed);
    auto pick = [&](int64_t lo, int64_t hi) {  // inclusive
        return std::uniform_int_distribution<int64_t>(lo, hi)(rng);
    };
    const char* const kLetters[] = {"", "ZIM", "ZHN"};

    // counts[reads, writes, checked reads][fault][verdict]
    std::map<int, std::map<int, int>> counts[3];
    int bad = 0;
    for (int n = 0; n < 2 * perDirection; ++n) {
        Scenario s;
        s.direction = n % 2 ? Direction::Write : Direction::Read;
        s.letters = kLetters[pick(0, 2)];
        s.codeModel = pick(0, 1) == 1;
        s.echoCable = pick(0, 3) == 0;
        s.checked = s.direction == Direction::Read && pick(0, 1) == 1;
        s.contentSeed = static_cast<uint32_t>(rng());
        s.fault = static_cast<Fault>(pick(0, static_cast<int>(Fault::Count) - 1));

        // The clean run tells the transfer's size: the bytes the radio sends and the waits.
        const TransferRun clean = RunScenario(s, false);
        ASSERT_EQ(clean.outcome, Outcome::Done)
            << "clean run " << n << " " << (s.direction == Direction::Read ? "read" : "write")
            << " letters '" << s.letters << "' code " << s.codeModel << " echo " << s.echoCable
            << " messages " << clean.messages.size()
            << (clean.messages.empty() ? 0 : clean.messages[0]);
        switch (s.fault) {
            case Fault::Drop:
            case Fault::Corrupt:
                s.at = pick(1, clean.radioBytes);
                break;
            case Fault::Unplug:
                s.at = pick(0, clean.radioBytes);
                break;
            default:
                s.at = pick(1, clean.waits);
                break;
        }
        if (s.fault == Fault::Delay) {
            s.delayMs = static_cast<int>(pick(10, 400));
            s.length = pick(1, 60);
        }
        if (s.fault == Fault::Silence) s.length = pick(0, 1) ? pick(1, 400) : 0;

        const TransferRun faulted = RunScenario(s, true);
        std::string why;
        const Verdict v = Judge(s, clean, faulted, &why);
        const int kind = s.checked ? 2 : s.direction == Direction::Write;
        ++counts[kind][static_cast<int>(s.fault)][static_cast<int>(v)];
        if (v == Verdict::SilentCorruption || v == Verdict::Unreported ||
            v == Verdict::StopMishandled || v == Verdict::Hang) {
            ++bad;
            ADD_FAILURE() << "transfer " << n << " ("
                          << (s.direction == Direction::Read ? "read" : "write") << ", "
                          << kFaultNames[static_cast<int>(s.fault)] << " at " << s.at
                          << ", letters '" << s.letters << "', code model " << s.codeModel
                          << ", echo cable " << s.echoCable << ", checked " << s.checked
                          << "): " << kVerdictNames[static_cast<int>(v)] << ": " << why;
        }
    }

    // The figures: transfers by fault and outcome, per direction.
    const char* const kKinds[3] = {"reads", "writes", "checked reads"};
    for (int w = 0; w < 3; ++w) {
        std::printf("%s, seed %u:\n", kKinds[w], seed);
        for (const auto& [fault, byVerdict] : counts[w]) {
            std::printf("  %-16s", kFaultNames[fault]);
            for (const auto& [verdict, count] : byVerdict)
                std::printf("  %s %d", kVerdictNames[verdict], count);
            std::printf("\n");
        }
    }
    EXPECT_EQ(bad, 0);
    // Each stop category showed its effect in both directions.
    for (int w = 0; w < 2; ++w) {
        auto& stop = counts[w][static_cast<int>(Fault::Stop)];
        auto& dead = counts[w][static_cast<int>(Fault::StopDeadLine)];
        EXPECT_GT(stop[static_cast<int>(Verdict::Success)], 0) << w;
        EXPECT_GT(dead[static_cast<int>(Verdict::StoppedAsAsked)], 0) << w;
    }
}

}  // namespace
}  // namespace tarvos::link
