#include "link/interpreter.h"

#include <algorithm>

#include "link/hex_text.h"

namespace tarvos::link {

namespace {
const std::vector<uint8_t> kProgram{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
constexpr int kNoReceiveText = 175;

// A token's byte; a token that is not hexadecimal counts as 0 (scripts never hold one).
uint8_t TokenByte(const std::string& token) {
    auto v = ParseHex(token);
    return v ? static_cast<uint8_t>(*v & 0xFF) : 0;
}
}  // namespace

Interpreter::Interpreter(SerialPort& port, Waiter& waiter, ErrorLog& errors,
                         const FaceTextTable& text, const int& portInUse)
    : port_(port), waiter_(waiter), errors_(errors), text_(text), portInUse_(portInUse) {}

uint8_t& Interpreter::VaDat(int i) {
    if (i < 1 || i > kVaDatSize) Raise(err::IndexOutOfRange, "VaDat index out of range");
    return vaDat_[static_cast<size_t>(i - 1)];
}

uint8_t Interpreter::VaDat(int i) const {
    if (i < 1 || i > kVaDatSize) Raise(err::IndexOutOfRange, "VaDat index out of range");
    return vaDat_[static_cast<size_t>(i - 1)];
}

const std::string& Interpreter::token(int pos) const {
    if (pos < 1 || pos > kTokenCapacity) Raise(err::IndexOutOfRange, "script runs past its end");
    return ComToken_[static_cast<size_t>(pos - 1)];
}

void Interpreter::ConvComCode(std::string_view script) {
    Guard(errors_, "modCommun->ConvComCode", [&] {
        for (size_t i = 0; i < script.size(); i += 2) {
            size_t entry = i / 2;  // 0-based
            if (entry >= ComToken_.size())
                Raise(err::IndexOutOfRange, "script longer than 200 tokens");
            ComToken_[entry] = std::string(script.substr(i, 2));
        }
    });
}

bool Interpreter::Run(std::string_view script) {
    ConvComCode(script);
    ProtocolCom();
    return !comErr_;
}

void Interpreter::ProtocolCom() {
    bool finished = Guard(errors_, "modCommun->ProtocolCom", [&] {
        vaPos_ = 1;
        TokenPos_ = 1;
        for (;;) {
            txDat_.clear();
            rxExpect_.clear();
            waiter_.DelayNms(5);
            const std::string& t = token(TokenPos_);
            if (t == "TX") {
                bool receiving = false;
                ++TokenPos_;
                for (;;) {
                    const std::string& k = token(TokenPos_);
                    if (!receiving) {
                        if (k == "RX") {
                            receiving = true;
                        } else if (k == "EN" || k == "TX") {
                            break;  // a segment without a reply part
                        } else {
                            if (static_cast<int>(txDat_.size()) >= kSegmentCapacity)
                                Raise(err::IndexOutOfRange, "send part too long");
                            txDat_.push_back(k == "VA" ? VaDat(vaPos_++) : TokenByte(k));
                        }
                    } else {
                        if (k == "TX" || k == "EN" || k == "RF" || k == "WF") break;
                        if (static_cast<int>(rxExpect_.size()) >= kSegmentCapacity)
                            Raise(err::IndexOutOfRange, "reply part too long");
                        rxExpect_.push_back(k);
                    }
                    ++TokenPos_;
                }
                comErr_ = false;
                if (!txDat_.empty()) {
                    port_.flush(portInUse_, kFlushInput);
                    port_.write(portInUse_, txDat_.data(), static_cast<int>(txDat_.size()));
                    lastSent_ = txDat_;
                }
                if (!rxExpect_.empty()) RxComDat(static_cast<int>(rxExpect_.size()));
            } else if (t == "RF" || t == "WF") {
                std::string name = t;
                unsigned a = TokenByte(token(TokenPos_ + 1));
                unsigned b = TokenByte(token(TokenPos_ + 2));
                unsigned c = TokenByte(token(TokenPos_ + 3));
                TokenPos_ += 4;
                ReadWriteFre(name, a, b, c);
            } else {
                break;  // "EN", or anything a script should not hold
            }
            if (comErr_) break;
        }
    });
    // A run that broke off must not look like one that ran through.
    if (!finished) comErr_ = true;
}

void Interpreter::ReadWriteFre(const std::string&, unsigned, unsigned, unsigned) {}

void Interpreter::logLine(const std::string& text) {
    log.insert(text);
    if (observer) observer->logChanged(log);
}

void Interpreter::failReceive(bool clearUnlessSelected) {
    if (clearUnlessSelected && log.selected < 0) log.clear();
    logLine(text_[kNoReceiveText]);
    comErr_ = true;
}

void Interpreter::setSingleWire(bool on) {
    singleWire_ = on;
    if (observer) observer->singleWire(on);
}

void Interpreter::RxComDat(int n) {
    bool finished = Guard(errors_, "modCommun->RxComDat", [&] {
        vaPos_ = 1;
        const int txNum = static_cast<int>(txDat_.size());
        const int total = n + (singleWire_ ? txNum : 0);
        if (port_.setReadTimeouts(portInUse_, total + 100, 0) != 0) waiter_.DelayNms(3);
        // The buffer is sized for what is asked, and the count read is clamped to it, so no
        // radio can make the interpreter write past it.
        std::vector<uint8_t> rx(static_cast<size_t>(total));
        int got = std::clamp(port_.read(portInUse_, rx.data(), total), 0, total);
        const bool handshake = n == 1 && rxExpect_[0] == "06" && txDat_ == kProgram;

        if (got < total) {
            // The radio answered 0x06 without the echo: the cable no longer echoes.
            if (singleWire_ && handshake && got >= 1 && rx[0] == 0x06) setSingleWire(false);
            failReceive(true);
            return;
        }
        if (!singleWire_ && handshake && rx[0] == 0x50) {
            // "P" where 0x06 was due: the line may be echoing what we sent.
            rx.resize(8);
            waiter_.DelayNms(15);
            int more = std::clamp(port_.read(portInUse_, rx.data() + 1, 7), 0, 7);
            std::vector<uint8_t> echoed = kProgram;
            echoed.push_back(0x06);
            if (more == 7 && rx == echoed) setSingleWire(true);
        }
        if (singleWire_) {
            if (static_cast<int>(rx.size()) < txNum + n) {
                failReceive(false);
                return;
            }
            rx.erase(rx.begin(), rx.begin() + txNum);
            rx.resize(static_cast<size_t>(n));
        }
        for (int i = 0; i < n; ++i) {
            const std::string& expect = rxExpect_[static_cast<size_t>(i)];
            if (expect == "VA") {
                VaDat(vaPos_) = rx[static_cast<size_t>(i)];
                ++vaPos_;
            } else if (TokenByte(expect) != rx[static_cast<size_t>(i)]) {
                failReceive(false);
                return;
            }
        }
        if (replyAnalysis && !replyAnalysis()) comErr_ = true;
    });
    if (!finished) comErr_ = true;
}

}  // namespace tarvos::link
