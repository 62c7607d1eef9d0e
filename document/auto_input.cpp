#include "document/auto_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "base/error_log.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"

namespace tarvos {

namespace {

// The number a box holds, read the same under every locale; blanks do not count.
std::optional<double> BoxNumber(std::string_view text) {
    if (!IsNumericText(text)) return std::nullopt;
    std::string digits;
    for (char c : text)
        if (c != ' ' && c != '+') digits += c;
    double value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// "000.00000": 438.5 MHz shows as 438.50000.
std::string FixedMhz(int32_t tenHz) {
    char text[32];
    std::snprintf(text, sizeof text, "%03d.%05d", tenHz / 100000, tenHz % 100000);
    return text;
}

// A number of 10 Hz units as kHz in the shortest decimal form (12.5, 25).
std::string ShortKhz(int32_t tenHz) {
    std::string text = std::to_string(tenHz / 100);
    const int cents = tenHz % 100;
    if (cents != 0) {
        text += "." + std::to_string(cents / 10);
        if (cents % 10 != 0) text += std::to_string(cents % 10);
    }
    return text;
}

}  // namespace

AutoInput::AutoInput(ChannelEditor& editor, uint32_t seed) : editor_(editor), random_(seed) {}

template <class Body>
void AutoInput::fill(Body&& body) {
    Guard(editor_.document().log(), "frmAutoInput->cmdAutoInput_Click",
          [&] { editor_.Gesture(body); });
}

int32_t AutoInput::InputFreModify(std::string_view text) const {
    const std::optional<double> mhz = BoxNumber(text);
    if (!mhz) return 0;
    // Clamped before the rounding, so no text can overflow it.
    const double units = std::clamp(std::round(*mhz * 100000), -1e12, 1e12);
    int32_t v = ModifyTxRxFre(static_cast<int64_t>(units));
    v = std::clamp(v, kAutoLowest, kAutoHighest);
    const RadioDocument& doc = editor_.document();
    return std::clamp(v, doc.bandLow(), doc.bandHigh());
}

int32_t AutoInput::InputStepModify(std::string_view text) {
    const std::optional<double> khz = BoxNumber(text);
    if (!khz) return kFallbackStep;
    const double st = std::round(*khz * 100);
    return st < 100 || st > 10000000 ? kFallbackStep : static_cast<int32_t>(st);
}

void AutoInput::LeaveBox(int index) {
    std::string* box = index == 0   ? &controls.rxFirst
                       : index == 1 ? &controls.rxStep
                       : index == 2 ? &controls.txFirst
                       : index == 3 ? &controls.txStep
                                    : nullptr;
    if (!box) return;
    if (index == 0 || index == 2)
        *box = IsNumericText(*box) ? FixedMhz(InputFreModify(*box)) : std::string();
    else
        *box = ShortKhz(InputStepModify(*box));
}

void AutoInput::SetTxEqRx(bool ticked) {
    if (ticked == controls.txEqRx) return;
    controls.txEqRx = ticked;
    if (ticked) ReceiveFill();
}

void AutoInput::SetRandom(bool ticked) {
    controls.random = ticked;
}

void AutoInput::Set(int index) {
    switch (index) {
        case 0:
            return ReceiveFill();
        case 1:
            return TransmitFill();
        case 2:
            return ToneFill();
        case 3:
            return OptionFill(kPowerColumn, controls.power);
        case 4:
            return OptionFill(kBandwidthColumn, controls.bandwidth);
        case 5:
            return OptionFill(kScanColumn, controls.scan);
        case 6:
            return OptionFill(kBusyLockColumn, controls.busyLock);
        case 7:
            return OptionFill(kVoxColumn, controls.vox);
        case 9:
            return OptionFill(kPttIdColumn, controls.pttId);
        case kSetAllButton:
            return SetAll();
        default:
            return;  // button 8 has no group
    }
}

void AutoInput::frequencyFill(std::string& first, std::string& step, bool withTransmit,
                              int column) {
    const RadioDocument& doc = editor_.document();
    if (first.empty()) first = FixedMhz(doc.bandLow());
    if (!IsNumericText(first)) {
        first.clear();
        return;
    }
    const int32_t f = InputFreModify(first);
    if (f == 0) return;
    const int32_t st = InputStepModify(step);
    if (st == kFallbackStep) step = "25";
    fill([&] {
        int k = 0;
        for (int ch = controls.start; ch <= controls.end; ++ch, ++k) {
            if (ch < 1 || ch > editor_.rows()) continue;
            int64_t v = f + static_cast<int64_t>(k) * st;
            // From 1000 MHz a frequency no longer reads by position: a long range ends at
            // the top of the band, as one that stays below 1000 MHz does.
            if (v >= 100000000) v = doc.bandHigh();
            const std::string text = FrequencyText(static_cast<int32_t>(v));
            for (int c : {column, withTransmit ? 2 : 0}) {
                if (c < 1 || c > editor_.cols()) continue;
                editor_.SetCellText(ch, c, text);
                editor_.GridChAfterEdit(ch, c, -1);
            }
        }
    });
}

void AutoInput::ReceiveFill() {
    if (editor_.locked()) return;
    frequencyFill(controls.rxFirst, controls.rxStep, controls.txEqRx, 1);
}

void AutoInput::TransmitFill() {
    if (editor_.locked()) return;
    frequencyFill(controls.txFirst, controls.txStep, false, 2);
}

int AutoInput::randomEntry(int count) {
    // floor(random * count) with random uniform in [0, 1).
    return static_cast<int>((static_cast<uint64_t>(random_()) * static_cast<uint64_t>(count)) >>
                            32);
}

void AutoInput::ToneFill() {
    if (editor_.locked()) return;
    RadioDocument& doc = editor_.document();
    const int n = doc.toneList().size();
    fill([&] {
        int i = std::clamp(controls.toneFirst, 0, n - 1);
        for (int ch = controls.start; ch <= controls.end; ++ch) {
            int selected;
            if (controls.random) {
                i = randomEntry(n);
                selected = i;
            } else {
                selected = i;
                i += controls.toneStep;
            }
            if (i >= n - 1) i = 1;
            if (ch < 1 || ch > editor_.rows() || editor_.cols() < 4) continue;
            const std::string& tone = doc.toneList()[selected];
            const bool rx = IsNumericText(editor_.text(ch, 1));
            const bool tx = IsNumericText(editor_.text(ch, 2));
            auto put = [&](int c) {
                editor_.SetCellText(ch, c, tone);
                (c == 3 ? doc.toneText().decode(ch) : doc.toneText().encode(ch)) = tone;
                editor_.GridChAfterEdit(ch, c, -1);
            };
            if (controls.target != ToneTarget::Encode && rx) {
                put(3);
                if (controls.target == ToneTarget::Both && tx) put(4);
            }
            if (controls.target == ToneTarget::Encode && tx) put(4);
        }
    });
}

void AutoInput::OptionFill(int column, int value) {
    if (editor_.locked() || column > editor_.cols()) return;
    RadioDocument& doc = editor_.document();
    // Power is set on the channels that transmit, the other groups on the channels in use.
    const int tested = column == kPowerColumn ? 2 : 1;
    fill([&] {
        for (int ch = std::max(1, controls.start); ch <= std::min(controls.end, editor_.rows());
             ++ch) {
            if (!IsNumericText(editor_.text(ch, tested))) continue;
            doc.chInfo()(ch, column) = value;
            const std::string text =
                value >= 0 && value + 3 < kItemSlots ? doc.layout().item(column, value + 3) : "";
            editor_.SetCellText(ch, column, text);
            editor_.GridChAfterEdit(ch, column, value);
        }
    });
}

void AutoInput::SetAll() {
    if (editor_.locked()) return;
    fill([&] {
        ReceiveFill();
        if (!controls.txEqRx) TransmitFill();
        ToneFill();
        OptionFill(kPowerColumn, controls.power);
        OptionFill(kBandwidthColumn, controls.bandwidth);
        OptionFill(kScanColumn, controls.scan);
        OptionFill(kBusyLockColumn, controls.busyLock);
    });
}

}  // namespace tarvos
