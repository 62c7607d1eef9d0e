#include "link/transfer.h"

#include <algorithm>

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
    lastStatus_ = s;
    if (observer_) observer_->statusText(s);
}

void Transfer::message(int faceText) {
    lastMessage_ = faceText;
    if (observer_) observer_->messageBox(faceText, text_[faceText], text_[text::Notice]);
}

void Transfer::message(const std::string& ownText) {
    lastMessage_ = 0;
    if (observer_) observer_->messageBox(0, ownText, text_[text::Notice]);
}

void Transfer::showStopBox(bool visible, bool ticked) {
    stopVisible_ = visible;
    stopTicked_ = ticked;
    if (observer_) observer_->stopBox(visible, ticked);
}

void Transfer::ShowComPercent(int percent) {
    if (observer_) observer_->progress(percent);
    status(std::to_string(percent) + " %");
}

bool Transfer::requestClose() {
    closeRequested_ = true;
    const bool busy = ports_.busy();
    if (busy) {
        if (observer_) observer_->progress(0);
        status("");
    }
    showStopBox(true, true);
    return !busy;
}

void Transfer::setStopTicked(bool ticked) {
    showStopBox(stopVisible_, ticked);
}

bool Transfer::AnalyseReply() {
    if (lists_.AnalyseReply(stepNo_, interp_) == StepLists::Reply::Unsupported) {
        message(text::Unsupported);
        retry_.stopAtOnce = true;
        return false;
    }
    return true;
}

// Read steps 1 to 3, shared by both transfers: reset, build the lists, find the port.
bool Transfer::begin(Direction d, Outcome& outcome) {
    lists_.setUseNewCode(false);
    retry_ = {};
    lastMessage_ = 0;
    stopped_ = false;
    interp_.log.clear();
    if (observer_) observer_->logChanged(interp_.log);
    showStopBox(false, false);
    if (observer_) observer_->running(d, true);
    ports_.setBusy(false);
    status("");
    lists_.SetComCmdAlt();
    closeRequested_ = false;

    if (const std::string refused = lists_.refusal(d, text_.language()); !refused.empty()) {
        // Nothing has been sent: the range cannot be transferred as it stands.
        if (observer_) observer_->running(d, false);
        message(refused);
        status(refused);
        outcome = Outcome::Refused;
        return false;
    }

    doneEnd_ = -1;
    if (d == Direction::Write) written_.clear();
    ports_.stopRequested = [this] { return stopTicked_ || stopNow_; };
    ports_.OpenCom(interp_);
    if (ports_.portFailed()) {
        if (observer_) observer_->running(d, false);
        if (stopNow_) {
            // The search gave up on the request; nothing was sent.
            halt(d, false);
            outcome = Outcome::Stopped;
            return false;
        }
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
        stepNo_ = 1;
        bool failed = false;
        int lastRun = 0;  // the last step that succeeded in this round
        while (stepNo_ <= lists_.StepNum(d)) {
            if (stopNow_) {
                halt(d, false);
                return false;
            }
            // Copies: the reply analysis may rebuild the lists while this step runs.
            const StepInfoRow info = lists_.StepInfo(d, stepNo_);
            const std::string script = lists_.ComScript(d, stepNo_);
            if (d == Direction::Write)
                for (int i = 1; i <= info.length; ++i)
                    interp_.VaDat(i) = image_.at(info.start + i - 1);
            interp_.ConvComCode(script);
            interp_.ProtocolCom();
            if (interp_.ComErr()) {
                failed = true;
                break;
            }
            ShowComPercent(info.progress);
            if (d == Direction::Write) {
                noteWritten(interp_.lastSent());
                if (info.length > 0) doneEnd_ = std::max(doneEnd_, info.start + info.length - 1);
            }
            if (d == Direction::Read) {
                for (int i = 1; i <= info.length; ++i) {
                    target.at(info.start + i - 1) = interp_.VaDat(i);
                    if (touched) (*touched)[static_cast<size_t>(info.start + i - 1)] = true;
                }
            }
            lastRun = stepNo_;
            ++stepNo_;
        }
        // The lists can be rebuilt while a round runs (the reply analysis, a range box edited
        // meanwhile). Only a round that ran the list's own last step, the closing exchange,
        // is a success; one that fell off a list made shorter under it runs again.
        if (!failed && lastRun >= 1 && lastRun == lists_.StepNum(d)) return true;

        if (retry_.stopAtOnce) return false;
        const int failures = ++retry_.failures;
        if (failures > 5) {
            showStopBox(true, stopTicked_);
            if (stopTicked_) {
                stopped_ = true;
                return false;
            }
        }
        if (failures > 8)
            status(text_[d == Direction::Read ? text::Reading : text::Writing] + " " +
                   std::to_string(failures));
        if (failures < kMaxRetries) continue;
        if (stepNo_ == 3 && lists_.RdWrCodeMode()) {
            if (!lists_.UseNewCode() && host_.functionPage().newRdWrCodeVisible) {
                // One more round with the new code; the count stays at 20, so the next
                // failure of any step ends the transfer.
                lists_.setUseNewCode(true);
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
    if (observer_) observer_->progress(0);
    status("");
    showStopBox(false, false);
    ports_.setBusy(false);
}

Outcome Transfer::Read() {
    return run(Direction::Read, "frmCommun->cmdRead_Click", [&] {
        status(text_[text::Reading]);

        // The read fills a staged copy; IicDat changes only when every step succeeded and,
        // checked, the reads agreed.
        ReadPass read(image_);
        bool ok = RunList(Direction::Read, read.bytes, &read.touched);
        if (ok && checkEachRead_) ok = checkRead(read);
        if (ok) {
            for (int a = 0; a < image_.size(); ++a)
                if (read.touched[static_cast<size_t>(a)]) image_.at(a) = read.bytes.at(a);
            ApplyReadBackRules(image_);
        }

        ports_.CloseCom();
        showStopBox(false, false);
        if (observer_) observer_->running(Direction::Read, false);
        waiter_.DelayNms(5);
        if (ok) {
            host_.softDisplay();
            status(text_[text::ReadOk]);
            if (observer_) observer_->progress(100);
            if (host_.showMemDat()) host_.tableFreDat();
        } else {
            status(text_[text::ReadFailed]);
        }
        waiter_.DelayNms(1);
        waiter_.sleep(1);
        if (observer_) observer_->progress(0);
        status("");
        showStopBox(false, false);
        ports_.setBusy(false);
        return ok;
    });
}

bool Transfer::checkRead(ReadPass& first) {
    const auto readAgain = [&](int pass, ReadPass& again) {
        retry_.failures = 0;  // each read has the retries of a read of its own
        status(ReadCheckPassText(pass, text_.language()));
        return RunList(Direction::Read, again.bytes, &again.touched);
    };
    ReadPass second(image_);
    if (!readAgain(2, second)) return false;
    const std::vector<int> differ = Disagreements(first, second);
    if (differ.empty()) return true;
    ReadPass third(image_);
    if (!readAgain(3, third)) return false;
    const std::vector<int> unsettled = SettleByMajority(first, second, third, differ, first.bytes);
    if (unsettled.empty()) return true;
    message(ReadCheckFailedText(unsettled, text_.language()));
    return false;
}

void Transfer::halt(Direction d, bool blocksDone) {
    stopped_ = true;
    stopPoint_ = {};
    stopPoint_.direction = d;
    const int steps = lists_.StepNum(d);
    if (steps > kFixedSteps + 1) {
        stopPoint_.rangeStart = lists_.StepInfo(d, kFixedSteps + 1).start;
        const StepInfoRow& last = lists_.StepInfo(d, steps - 1);
        stopPoint_.rangeEnd = last.start + last.length - 1;
    }
    stopPoint_.doneEnd = doneEnd_;
    stopPoint_.wroteAnything = !written_.empty();
    stopPoint_.blocksDone = blocksDone;
}

bool Transfer::exchange(const Frame& frame, std::vector<uint8_t>* reply,
                        const std::string& logEachAttempt) {
    const int port = ports_.PortInUse();
    for (int attempt = 0; attempt < kFrameAttempts; ++attempt) {
        if (stopNow_) {
            halt(Direction::Write, true);
            return false;
        }
        if (!logEachAttempt.empty()) {
            logLine(logEachAttempt);
            waiter_.DelayNms(5);
            waiter_.DelayNms(5);
        }
        port_.flush(port, kFlushInput);
        port_.write(port, frame.bytes.data(), static_cast<int>(frame.bytes.size()));
        const int echo = interp_.SingleWire() ? static_cast<int>(frame.bytes.size()) : 0;
        const int want = frame.replyLength + echo;
        std::vector<uint8_t> buf(static_cast<size_t>(want));
        const int got = port_.read(port, buf.data(), want);
        if (got < want) {
            waiter_.DelayNms(50);
            continue;
        }
        if (buf[static_cast<size_t>(echo)] == frame.ok) {
            if (reply) reply->assign(buf.begin() + echo, buf.end());
            if (frame.ok == kAck) noteWritten(frame.bytes);
            return true;
        }
    }
    return false;
}

void Transfer::noteWritten(const std::vector<uint8_t>& f) {
    WrittenArea area;
    if (WrittenAreaOf(f, lists_.WriteCmd(), area)) written_.push_back(std::move(area));
}

bool Transfer::codeAreaFrames() {
    const FunctionPageState page = host_.functionPage();
    auto step = [&](const char* log, const Frame& frame) {
        waiter_.DelayNms(2);
        waiter_.DelayNms(2);
        logLine(log);
        return exchange(frame);
    };
    if (page.newRdWrCodeTicked) {
        if (!step(kLogCode1, NewCodeFrame(page.NewCodeBuf, 1))) return false;
        if (!step(kLogCode2, NewCodeFrame(page.NewCodeBuf, 2))) return false;
    }
    if (!step(kLogSideKeys, SideKeyFrame(image_))) return false;
    if (!step(kLogAlarm, AlarmFrame(page.alarmSwitchTicked))) return false;
    if (page.jumpFreFuncVisible &&
        !step(kLogHopping, HoppingFrame(radioPara_[45], page.jumpFreFuncTicked)))
        return false;
    if (!step(kLogTiming1, TimingFrame(image_, 1))) return false;
    if (!step(kLogTiming2, TimingFrame(image_, 2))) return false;
    return true;
}

bool Transfer::writeFrames(WriteParamBits bits) {
    const uint8_t rd = lists_.ReadCmd(), wr = lists_.WriteCmd();
    waiter_.DelayNms(5);
    waiter_.DelayNms(5);
    logLine(kLogModelBand);
    if (!exchange(
            ModelBandFrame(wr, image_.at(0x0379), host_.bandLow(image_), host_.bandHigh(image_))))
        return false;
    for (int k = 0; k < 3; ++k) {
        waiter_.DelayNms(5);
        waiter_.DelayNms(5);
        logLine(kLogParaBlocks[k]);
        std::vector<uint8_t> reply;
        if (!exchange(ReadParameterBlockFrame(rd, wr, k), &reply)) return false;
        for (int i = 0; i < 16; ++i)
            radioPara_[static_cast<size_t>(k * 16 + i)] = reply[static_cast<size_t>(4 + i)];
    }

    const int p4 = radioPara_[4], p3 = radioPara_[3];
    if (p4 > 21 && p4 < 100 && p4 != 31 &&
        !exchange(ParameterFrame(wr, ParameterFrameData(radioPara_, image_, bits)), nullptr,
                  kLogParameter))
        return false;
    if (p4 >= 100 && p4 <= 149 && (p3 & 0x38) == 0x28 && !codeAreaFrames()) return false;

    waiter_.DelayNms(2);
    waiter_.DelayNms(2);
    waiter_.DelayNms(2);
    waiter_.DelayNms(5);
    port_.flush(ports_.PortInUse(), kFlushInput);
    port_.write(ports_.PortInUse(), kClosingFrame.data(), static_cast<int>(kClosingFrame.size()));
    waiter_.DelayNms(1);
    return true;
}

Outcome Transfer::Write() {
    return run(Direction::Write, "frmCommun->cmdWrite_Click", [&] {
        const WriteParamBits bits = host_.prepareImageForWrite(image_);
        if (host_.showMemDat()) host_.tableFreDat();
        logLine(kLogWriteFre);
        status(text_[text::Writing]);

        bool ok = RunList(Direction::Write, image_, nullptr);
        // Every hand-built frame that fails ends the write with the same notice.
        if (ok && !(ok = writeFrames(bits)) && !stopped_) message(text::CommFailed);

        ports_.CloseCom();
        if (observer_) observer_->running(Direction::Write, false);
        if (observer_) observer_->progress(0);
        status("");
        showStopBox(false, false);
        ports_.setBusy(false);
        waiter_.DelayNms(20);
        return ok;
    });
}

}  // namespace tarvos::link
