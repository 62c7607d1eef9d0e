#include "sim/radio_line.h"

#include <algorithm>

#include "link/hex_text.h"

namespace tarvos::sim {

namespace {
// A pause this long between bytes ends a half-received frame, as on the real line.
constexpr int64_t kFrameGapNs = 20'000'000;

bool Number(const std::string& text, int& value) {
    if (text.empty()) return false;
    try {
        size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size() && value >= 0;
    } catch (const std::exception&) {
        return false;
    }
}
}  // namespace

bool ParseFault(const std::string& faultText, Faults& faults, std::string* letters) {
    const auto colon = faultText.find(':');
    const std::string kind = faultText.substr(0, colon);
    const std::string arg = colon == std::string::npos ? "" : faultText.substr(colon + 1);
    if (kind == "echo") return faults.echo = true;
    if (kind == "silence" || kind == "silent") return faults.silent = true;
    if (kind == "letters") {
        if (arg.size() != 3 || !letters) return false;
        *letters = arg;
        return true;
    }
    if (kind == "weak") {
        const auto addr = link::ParseHex(arg);
        if (!addr || *addr >= static_cast<unsigned>(kRadioBytes)) return false;
        faults.weakCell = static_cast<int>(*addr);
        return true;
    }
    int n = 0;
    if (!Number(arg, n)) return false;
    if (kind == "delay") return faults.replyDelayMs = n, true;
    if (kind == "drop") return n > 0 && (faults.dropByte = n, true);
    if (kind == "corrupt") return n > 0 && (faults.corruptByte = n, true);
    if (kind == "unplug") return faults.unplugAfter = n, true;
    return false;
}

std::vector<TimedByte> RadioLine::receive(const uint8_t* data, int count, int64_t nowNs) {
    std::vector<TimedByte> back;
    if (unplugged_) return back;
    radio_.weakCell = faults.weakCell;
    const int64_t byteNs = paced ? kByteNs : 0;
    int64_t t = std::max(nowNs, rxFreeNs_);
    if (lastInNs_ >= 0 && t - lastInNs_ > kFrameGapNs) radio_.resetFrame();
    for (int i = 0; i < count && !unplugged_; ++i) {
        t += byteNs;
        ++bytesIn;
        if (faults.echo) back.push_back({t, data[i]});
        if (faults.silent) continue;
        std::vector<uint8_t> out;
        radio_.receive(data[i], out);
        if (out.empty()) continue;
        int64_t at = std::max(t + static_cast<int64_t>(faults.replyDelayMs) * 1'000'000, txFreeNs_);
        for (uint8_t b : out) {
            if (faults.unplugAfter >= 0 && bytesOut >= faults.unplugAfter) {
                unplugged_ = true;
                break;
            }
            at += byteNs;
            ++bytesOut;
            if (bytesOut == faults.dropByte) continue;
            if (bytesOut == faults.corruptByte) b = static_cast<uint8_t>(~b);
            back.push_back({at, b});
        }
        txFreeNs_ = at;
    }
    rxFreeNs_ = t;
    lastInNs_ = t;
    std::stable_sort(back.begin(), back.end(),
                     [](const TimedByte& a, const TimedByte& b) { return a.ns < b.ns; });
    return back;
}

}  // namespace tarvos::sim
