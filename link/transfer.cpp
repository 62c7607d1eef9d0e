#include "link/transfer.h"

#include <cmath>

namespace tarvos::link {

namespace {
const char kLogWriteFre[] = "写入:频率";
const char kLogModelBand[] = "写入:机型和频段";
const char* const kLogParaBlocks[3] = {
    "读取:对讲机的机型和参数  0x3D0 -- 0x3DF",
    "读取:对讲机的机型和参数  0x3E0 -- 0x3EF",
    "读取:对讲机的机型和参数  0x3F0 -- 0x3FF",
};
const char kLogParameter[] = "写入:收音机的SQL和音量及对讲机的参数";
const char kLogCode1[] = "写入:0x0385 -- 0x0387的数据";
const char kLogCode2[] = "写入:0x038B -- 0x038D的数据";
const char kLogSideKeys[] = "写入:0x0360 -- 0x036F的数据";
const char kLogAlarm[] = "写入:报警功能的参数";
const char kLogHopping[] = "写入:跳频功能的参数";
const char kLogTiming1[] = "写入:0x03D9 -- 0x03DF的数据";
const char kLogTiming2[] = "写入:0x03E0 -- 0x03EB的数据";
}  // namespace

std::array<uint8_t, 2> BandBcd(int limit10Hz) {
    // 100 kHz units, halves to even like the rest of the link's rounding.
    int units = static_cast<int>(std::nearbyint(limit10Hz / 10000.0));
    if (units < 0) units = 0;
    units %= 10000;
    int d3 = units / 1000, d2 = units / 100 % 10, d1 = units / 10 % 10, d0 = units % 10;
    return {static_cast<uint8_t>(d3 * 16 + d2), static_cast<uint8_t>(d1 * 16 + d0)};
}

Transfer::Transfer(PortLayer& ports, Interpreter& interp, StepLists& lists, SerialPort& port,
                   Waiter& waiter, ErrorLog& errors, ByteImage& image, TransferHost& host,
                   const FaceTextTable& text)
    : ports_(ports),
      interp_(interp),
      lists_(lists),
      port_(port),
      waiter_(waiter),
      errors_(errors),
      image_(image),
      host_(host),
      text_(text) {}

void Transfer::status(const std::string& s) {
    lastStatus = s;
    if (observer) observer->statusText(s);
}

void Transfer::message(int faceText) {
    lastMessage = faceText;
    if (observer) observer->messageBox(faceText, text_[faceText], text_[text::Notice]);
}

void Transfer::showStopBox(bool visible, bool ticked) {
    stopVisible = visible;
    stopTicked = ticked;
    if (observer) observer->stopBox(visible, ticked);
}

void Transfer::ShowComPercent(int percent) {
    if (observer) observer->progress(percent);
    status(std::to_string(percent) + " %");
}

bool Transfer::requestClose() {
    ComFormClosing = -1;
    const bool busy = ports_.ComBusy == -1;
    if (busy) {
        if (observer) observer->progress(0);
        status("");
    }
    showStopBox(true, true);
    return !busy;
}

void Transfer::setStopTicked(bool ticked) {
    showStopBox(stopVisible, ticked);
}

bool Transfer::AnalyseReply() {
    if (lists_.AnalyseReply(StepNo, interp_) == StepLists::Reply::Unsupported) {
        message(text::Unsupported);
        RetryNum = kRetryStop;
        return false;
    }
    return true;
}

// Read steps 1 to 3, shared by both transfers: reset, build the lists, find the port.
bool Transfer::begin(Direction d, Outcome& outcome) {
    lists_.UseNewCode = 0;
    RetryNum = 0;
    lastMessage = 0;
    stopped_ = false;
    interp_.log.clear();
    if (observer) observer->logChanged(interp_.log);
    showStopBox(false, false);
    if (observer) observer->running(d, true);
    ports_.ComBusy = 0;
    status("");
    lists_.SetComCmdAlt();
    ComFormClosing = 0;

    if (const std::string refused = lists_.refusal(d, text_.language()); !refused.empty()) {
        // Nothing has been sent: the range cannot be transferred as it stands.
        if (observer) observer->running(d, false);
        lastMessage = 0;
        if (observer) observer->messageBox(0, refused, text_[text::Notice]);
        status(refused);
        outcome = Outcome::Refused;
        return false;
    }

    ports_.stopRequested = [this] { return stopTicked; };
    ports_.OpenCom(interp_);
    if (ports_.PortFail == -1) {
        if (observer) observer->running(d, false);
        std::string s = text_[text::CommFailed];
        const std::string reason = ports_.failureReason();
        if (!reason.empty()) s += (s.empty() ? "" : "\n") + reason;
        status(s);
        outcome = Outcome::NoPort;
        return false;
    }
    return true;
}

bool Transfer::RunList(Direction d, ByteImage& target, std::vector<bool>* touched) {
    for (;;) {
        StepNo = 1;
        bool failed = false;
        while (StepNo <= lists_.StepNum(d)) {
            // Copies: the reply analysis may rebuild the lists while this step runs.
            const StepInfoRow info = lists_.StepInfo(d, StepNo);
            const std::string script = lists_.ComScript(d, StepNo);
            if (d == Direction::Write)
                for (int i = 1; i <= info.length; ++i)
                    interp_.VaDat(i) = image_.at(info.start + i - 1);
            interp_.ConvComCode(script);
            interp_.ProtocolCom();
            if (interp_.ComErr == -1) {
                failed = true;
                break;
            }
            ShowComPercent(info.progress);
            if (d == Direction::Write) noteWritten(interp_.lastSent());
            if (d == Direction::Read) {
                for (int i = 1; i <= info.length; ++i) {
                    target.at(info.start + i - 1) = interp_.VaDat(i);
                    if (touched) (*touched)[static_cast<size_t>(info.start + i - 1)] = true;
                }
            }
            ++StepNo;
        }
        if (!failed) return true;

        if (RetryNum == kRetryStop) return false;
        ++RetryNum;
        if (RetryNum > 5) {
            showStopBox(true, stopTicked);
            if (stopTicked) {
                stopped_ = true;
                return false;
            }
        }
        if (RetryNum > 8)
            status(text_[d == Direction::Read ? text::Reading : text::Writing] + " " +
                   std::to_string(RetryNum));
        if (RetryNum < kMaxRetries) continue;
        if (StepNo == 3 && lists_.RdWrCodeMode == -1) {
            if (lists_.UseNewCode == 0 && host_.functionPage().newRdWrCodeVisible) {
                // One more round with the new code; RetryNum stays at 20, so the next
                // failure of any step ends the transfer.
                lists_.UseNewCode = 1;
                lists_.SetComCmdAlt();
                continue;
            }
            message(text::CodeError);
            return false;
        }
        message(text::CommFailed);
        return false;
    }
}

void Transfer::cleanUp() {
    ports_.CloseCom();
    if (observer) observer->progress(0);
    status("");
    showStopBox(false, false);
    ports_.ComBusy = 0;
}

Outcome Transfer::Read() {
    return run(Direction::Read, "frmCommun->cmdRead_Click", [&] {
        status(text_[text::Reading]);

        // The read fills a staged copy; IicDat changes only when every step succeeded.
        ByteImage staged = image_;
        std::vector<bool> touched(static_cast<size_t>(image_.size()), false);
        const bool ok = RunList(Direction::Read, staged, &touched);
        if (ok) {
            for (int a = 0; a < image_.size(); ++a)
                if (touched[static_cast<size_t>(a)]) image_.at(a) = staged.at(a);
            if (image_.at(0x03D0) == 0x20 && image_.at(0x03D1) == 0xE9 && image_.at(0x03D2) == 0x17)
                for (int i = 0; i < 16; ++i) image_.at(0x0360 + i) = image_.at(0x0260 + i);
        }

        ports_.CloseCom();
        showStopBox(false, false);
        if (observer) observer->running(Direction::Read, false);
        waiter_.DelayNms(5);
        if (ok) {
            host_.softDisplay();
            status(text_[text::ReadOk]);
            if (observer) observer->progress(100);
            if (host_.showMemDat()) host_.tableFreDat();
        } else {
            status(text_[text::ReadFailed]);
        }
        waiter_.DelayNms(1);
        waiter_.sleep(1);
        if (observer) observer->progress(0);
        status("");
        showStopBox(false, false);
        ports_.ComBusy = 0;
        return ok;
    });
}

bool Transfer::exchange(const Frame& frame, std::vector<uint8_t>* reply,
                        const std::string& logEachAttempt) {
    const int port = ports_.PortInUse;
    for (int attempt = 0; attempt < kFrameAttempts; ++attempt) {
        if (!logEachAttempt.empty()) {
            logLine(logEachAttempt);
            waiter_.DelayNms(5);
            waiter_.DelayNms(5);
        }
        port_.flush(port, kFlushInput);
        port_.write(port, frame.bytes.data(), static_cast<int>(frame.bytes.size()));
        const int echo = interp_.SingleWire == 1 ? static_cast<int>(frame.bytes.size()) : 0;
        const int want = frame.replyLength + echo;
        std::vector<uint8_t> buf(static_cast<size_t>(want));
        const int got = port_.read(port, buf.data(), want);
        if (got < want) {
            waiter_.DelayNms(50);
            continue;
        }
        if (buf[static_cast<size_t>(echo)] == frame.ok) {
            if (reply) reply->assign(buf.begin() + echo, buf.end());
            if (frame.ok == 0x06) noteWritten(frame.bytes);
            return true;
        }
    }
    return false;
}

void Transfer::noteWritten(const std::vector<uint8_t>& f) {
    if (f.size() < 4 || (f[0] != lists_.WriteCmd && f[0] != kCmd75)) return;
    if (f.size() != 4u + f[3]) return;
    written.push_back({f[1] << 8 | f[2], std::vector<uint8_t>(f.begin() + 4, f.end())});
}

bool Transfer::codeAreaFrames() {
    const FunctionPageState page = host_.functionPage();
    auto step = [&](const char* log, std::vector<uint8_t> bytes) {
        waiter_.DelayNms(2);
        waiter_.DelayNms(2);
        logLine(log);
        return exchange({std::move(bytes), 1, 0x06});
    };
    auto image = [&](int from, int to) {
        std::vector<uint8_t> v;
        for (int a = from; a <= to; ++a) v.push_back(image_.at(a));
        return v;
    };
    auto frame = [](std::initializer_list<uint8_t> head, const std::vector<uint8_t>& data) {
        std::vector<uint8_t> v(head);
        v.insert(v.end(), data.begin(), data.end());
        return v;
    };
    const auto& code = page.NewCodeBuf;
    if (page.newRdWrCodeTicked) {
        if (!step(kLogCode1, {kCmd75, 0x03, 0x85, 0x03, code[5], code[6], code[7]})) return false;
        if (!step(kLogCode2, {kCmd75, 0x03, 0x8B, 0x03, code[11], code[12], code[13]}))
            return false;
    }
    if (!step(kLogSideKeys, frame({kCmd75, 0x03, 0x64, 0x0C}, image(0x0364, 0x036F)))) return false;
    const bool alarm = page.alarmSwitchTicked;
    if (!step(kLogAlarm, {kCmd75, 0x03, 0x60, 0x02, static_cast<uint8_t>(alarm ? 0x08 : 0x00),
                          static_cast<uint8_t>(alarm ? 0x0F : 0x09)}))
        return false;
    if (page.jumpFreFuncVisible) {
        uint8_t hop = page.jumpFreFuncTicked ? (RadioPara[45] | 0x40) : (RadioPara[45] & ~0x40);
        if (!step(kLogHopping, {kCmd75, 0x03, 0xFD, 0x01, hop})) return false;
    }
    if (!step(kLogTiming1, frame({kCmd75, 0x03, 0xD9, 0x07}, image(0x03D9, 0x03DF)))) return false;
    if (!step(kLogTiming2, frame({kCmd75, 0x03, 0xE0, 0x0C}, image(0x03E0, 0x03EB)))) return false;
    return true;
}

bool Transfer::writeFrames(bool paramBit7, bool paramBit2) {
    const uint8_t rd = lists_.ReadCmd, wr = lists_.WriteCmd;
    waiter_.DelayNms(5);
    waiter_.DelayNms(5);
    logLine(kLogModelBand);
    const auto low = BandBcd(host_.bandLow(image_)), high = BandBcd(host_.bandHigh(image_));
    if (!exchange({{wr, 0x03, 0x79, 0x05, image_.at(0x0379), low[0], low[1], high[0], high[1]},
                   1,
                   0x06})) {
        return false;
    }
    for (int k = 0; k < 3; ++k) {
        waiter_.DelayNms(5);
        waiter_.DelayNms(5);
        logLine(kLogParaBlocks[k]);
        std::vector<uint8_t> reply;
        if (!exchange({{rd, 0x03, static_cast<uint8_t>(0xD0 + 0x10 * k), 0x10}, 20, wr}, &reply)) {
            return false;
        }
        for (int i = 0; i < 16; ++i)
            RadioPara[static_cast<size_t>(k * 16 + i)] = reply[static_cast<size_t>(4 + i)];
    }

    const int p4 = RadioPara[4], p3 = RadioPara[3];
    if (p4 > 21 && p4 < 100 && p4 != 31) {
        std::vector<uint8_t> bytes{wr, 0x03, 0xF0, 0x10};
        for (int i = 0; i < 16; ++i) bytes.push_back(RadioPara[static_cast<size_t>(32 + i)]);
        uint8_t* data = bytes.data() + 4;
        data[6] = image_.at(0x03F6);
        data[7] = image_.at(0x03F7);
        data[12] = static_cast<uint8_t>((data[12] & 0x7F) | (paramBit7 ? 0x80 : 0));
        data[14] = static_cast<uint8_t>((data[14] & ~0x04) | (paramBit2 ? 0x04 : 0));
        if (!exchange({bytes, 1, 0x06}, nullptr, kLogParameter)) {
            return false;
        }
    }
    if (p4 >= 100 && p4 <= 149 && (p3 & 0x38) == 0x28 && !codeAreaFrames()) return false;

    waiter_.DelayNms(2);
    waiter_.DelayNms(2);
    waiter_.DelayNms(2);
    waiter_.DelayNms(5);
    port_.flush(ports_.PortInUse, kFlushInput);
    port_.write(ports_.PortInUse, kClosingFrame.data(), static_cast<int>(kClosingFrame.size()));
    waiter_.DelayNms(1);
    return true;
}

Outcome Transfer::Write() {
    return run(Direction::Write, "frmCommun->cmdWrite_Click", [&] {
        written.clear();
        host_.prepareImageForWrite(image_);
        const bool bit7 = (image_.at(0x03FC) & 0x80) != 0;
        const bool bit2 = (image_.at(0x03FE) & 0x04) != 0;
        if (host_.showMemDat()) host_.tableFreDat();
        logLine(kLogWriteFre);
        status(text_[text::Writing]);

        bool ok = RunList(Direction::Write, image_, nullptr);
        // Every hand-built frame that fails ends the write with the same notice.
        if (ok && !(ok = writeFrames(bit7, bit2))) message(text::CommFailed);

        ports_.CloseCom();
        if (observer) observer->running(Direction::Write, false);
        if (observer) observer->progress(0);
        status("");
        showStopBox(false, false);
        ports_.ComBusy = 0;
        waiter_.DelayNms(20);
        return ok;
    });
}

}  // namespace tarvos::link
