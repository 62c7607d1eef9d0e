#include "sim/virtual_radio.h"

#include "link/hex_text.h"
#include "memory/char_table.h"

namespace tarvos::sim {

namespace {
const uint8_t kProgram[7] = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
const uint8_t kClosing[7] = {0x45, 0x5A, 0xA5, 0x32, 0x23, 0x45, 0xF2};
constexpr uint8_t kAck = 0x06, kCmd75 = 0x75;
constexpr uint8_t kAltRead = 0x53, kAltWrite = 0x58;  // "S" "X"

}  // namespace

RadioMemory BlankRadioMemory() {
    RadioMemory m;
    m.fill(0xFF);
    return m;
}

uint8_t VirtualRadio::readLetter() const {
    return memory[0x0388] == 0x5A ? memory[0x0389] : 0x52;
}

uint8_t VirtualRadio::writeLetter() const {
    return memory[0x0388] == 0x5A ? memory[0x038A] : 0x57;
}

void VirtualRadio::setLetters(const std::string& zrw) {
    if (zrw.empty()) {
        memory[0x0388] = 0xFF;
        return;
    }
    for (size_t i = 0; i < 3 && i < zrw.size(); ++i)
        memory[0x0388 + i] = static_cast<uint8_t>(zrw[i]);
}

void VirtualRadio::setCode(const std::string& code) {
    static const int kAt[6] = {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D};
    std::u32string text = Utf8ToU32(code);
    if (text.find_first_not_of(U' ') == std::u32string::npos) {
        for (int a : kAt) memory[static_cast<size_t>(a)] = 0xFF;
        return;
    }
    text += U"   ";
    for (int i = 0; i < 3; ++i) {
        int c = RadioCharCode(text[static_cast<size_t>(i)]);
        memory[static_cast<size_t>(kAt[2 * i])] = static_cast<uint8_t>(c & 0xFF);
        memory[static_cast<size_t>(kAt[2 * i + 1])] = static_cast<uint8_t>(c >> 8);
    }
}

// "R" is always taken as a read; so is the radio's own read letter, and for a radio without
// the marker the alternative "S". A letter that is both a read and a write letter (a radio
// set up with clashing letters) reads.
bool VirtualRadio::isReadLetter(uint8_t first) const {
    return first == 0x52 || first == readLetter() || (!marked() && first == kAltRead);
}

bool VirtualRadio::isWriteLetter(uint8_t first) const {
    return first == writeLetter() || (!marked() && first == kAltWrite);
}

// A read is answered with the write letter of its pair: the radio's own, or for a radio
// without the marker "X" after an "S" read.
uint8_t VirtualRadio::replyLetter(uint8_t readCmd) const {
    return !marked() && readCmd == kAltRead ? kAltWrite : writeLetter();
}

size_t VirtualRadio::frameLength() const {
    const uint8_t first = frame_[0];
    if (first == kProgram[0] || first == kClosing[0]) return 7;
    if (first == kAck) return 1;
    if (isReadLetter(first)) return 4;
    if (isWriteLetter(first) || first == kCmd75) return frame_.size() < 4 ? 4 : 4 + frame_[3];
    return 0;  // not a frame the radio knows
}

void VirtualRadio::receive(uint8_t byte, std::vector<uint8_t>& out) {
    if (!programming) {
        // Waiting for the handshake: everything else on the line is ignored.
        idle_.push_back(static_cast<char>(byte));
        if (idle_.size() > 7) idle_.erase(0, idle_.size() - 7);
        if (idle_ == std::string(reinterpret_cast<const char*>(kProgram), 7)) {
            idle_.clear();
            programming = true;
            journal.push_back("PROGRAM");
            out.push_back(kAck);
        }
        return;
    }
    frame_.push_back(byte);
    const size_t need = frameLength();
    if (need == 0) {
        journal.push_back("?" + link::Hex2(byte));
        frame_.clear();
        return;
    }
    if (frame_.size() < need) return;
    complete(out);
    frame_.clear();
}

void VirtualRadio::complete(std::vector<uint8_t>& out) {
    const uint8_t first = frame_[0];
    auto same = [&](const uint8_t* want) {
        return std::equal(frame_.begin(), frame_.end(), want, want + 7);
    };
    if (first == kProgram[0]) {
        if (!same(kProgram)) {
            journal.push_back("?50");
            return;
        }
        journal.push_back("PROGRAM");
        out.push_back(kAck);
    } else if (first == kClosing[0]) {
        if (!same(kClosing)) {
            journal.push_back("?45");
            return;
        }
        journal.push_back("CLOSE");
        programming = false;
        ++closings;
    } else if (first == kAck) {
        journal.push_back("06");
        out.push_back(kAck);
    } else {
        const int addr = frame_[1] << 8 | frame_[2];
        const int len = frame_[3];
        journal.push_back(link::Hex2(first) + " " + link::Hex4(static_cast<unsigned>(addr)) + " " +
                          link::Hex2(static_cast<unsigned>(len)));
        // The same decision as frameLength(), so a write never reads past the frame.
        if (isReadLetter(first)) {
            out.insert(out.end(), {replyLetter(first), frame_[1], frame_[2], frame_[3]});
            for (int i = 0; i < len; ++i) {
                uint8_t b = addr + i < kRadioBytes ? memory[static_cast<size_t>(addr + i)] : 0xFF;
                if (addr + i == weakCell) b ^= static_cast<uint8_t>(++weakReads_);
                out.push_back(b);
            }
        } else {
            for (int i = 0; i < len; ++i)
                if (addr + i < kRadioBytes)
                    memory[static_cast<size_t>(addr + i)] = frame_[static_cast<size_t>(4 + i)];
            out.push_back(kAck);
        }
    }
}

}  // namespace tarvos::sim
