#include "document/difference_text.h"

#include <cstdio>

#include "functions/bindings.h"
#include "functions/two_tone.h"

namespace tarvos {

namespace {

// These words have no FaceText entry: Simplified, Traditional, English.
const char* const kAbsent[3] = {"空", "空", "empty"};
const char* const kOption[3] = {"选项", "選項", "Option"};
const char* const kCodeNone[3] = {"无", "無", "none"};
const char* const kCodeSet[3] = {"已设置", "已設置", "set"};
const char* const kCodeChanged[3] = {"已更改", "已更改", "changed"};

// FaceText entries the texts use.
constexpr int kModelCaption = 371, kBandCaption = 372, kCustomBand = 373, kChannelWord = 388;
constexpr int kTwoToneWord = 325, kVolumeCaption = 334, kUseTableCaption = 338;
constexpr int kCodeCaption = 362, kAutodialCaption = 257, kOn = 303, kOff = 302;

// 446.12500: MHz with five decimals, as frequencies are shown.
std::string Mhz5(long long tenHz) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld.%05lld", tenHz / 100000, tenHz % 100000);
    return buf;
}

// 136.125: MHz in the shortest decimal form.
std::string MhzShort(long long tenHz) {
    std::string s = Mhz5(tenHz);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::vector<std::string> SplitBars(const std::string& s) {
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == '|')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// k of a row named "name(k)".
int ArrayIndex(const std::string& name) {
    const size_t open = name.find('(');
    return open == std::string::npos ? -1 : std::atoi(name.c_str() + open + 1);
}

}  // namespace

std::string ByteRangeText(int start, int end) {
    char buf[16];
    if (start == end)
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(start));
    else
        std::snprintf(buf, sizeof buf, "%04X-%04X", static_cast<unsigned>(start),
                      static_cast<unsigned>(end));
    return buf;
}

std::string HexBytesText(const std::vector<int>& bytes) {
    std::string out;
    for (int b : bytes) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(b) & 0xFFu);
        if (!out.empty()) out += ' ';
        out += buf;
    }
    return out;
}

DifferenceWords::DifferenceWords(int language, const ChannelLayout& layout)
    : language_(NormalizeLanguage(language)), ft_(language_), layout_(layout) {}

DifferenceText DifferenceWords::describe(const Difference& d) const {
    return {where(d), value(d, d.oldValue), value(d, d.newValue)};
}

std::string DifferenceWords::line(const Difference& d) const {
    const DifferenceText t = describe(d);
    return t.where + ": " + t.oldText + " -> " + t.newText;
}

std::string DifferenceWords::where(const Difference& d) const {
    switch (d.kind) {
        case DumpKind::Model:
            return ft_[kModelCaption];
        case DumpKind::Band:
            return ft_[kBandCaption];
        case DumpKind::Channel:
            return channelWhere(d);
        case DumpKind::Setting:
            return settingWhere(d.index);
        case DumpKind::TwoTone: {
            const auto captions = SplitBars(TwoToneHeaderFormat(language_));
            int column = 0;
            for (int c = 0; c < 5; ++c)
                if (d.field == kTwoToneFieldNames[c]) column = c + 1;
            const std::string caption =
                column < static_cast<int>(captions.size()) ? captions[column] : d.field;
            return ft_[kTwoToneWord] + " " + std::to_string(d.index) + "  " + caption;
        }
        case DumpKind::Volume:
            return ft_[d.field == "codes" ? kVolumeCaption : kUseTableCaption];
        case DumpKind::RdWrCode:
            return ft_[kCodeCaption];
        case DumpKind::Bytes:
            return ByteRangeText(d.start, d.end);
    }
    return {};
}

std::string DifferenceWords::value(const Difference& d, const DumpValue& v) const {
    const int l = language_ - 1;
    if (v.type == DumpValue::Type::Null) return kAbsent[l];
    switch (d.kind) {
        case DumpKind::Band:
            return bandText(v.band);
        case DumpKind::Channel:
            return channelValue(d, v);
        case DumpKind::Setting:
            return settingValue(d.index, v);
        case DumpKind::RdWrCode:
            return v.text == "none"  ? kCodeNone[l]
                   : v.text == "set" ? kCodeSet[l]
                                     : kCodeChanged[l];
        case DumpKind::Bytes:
            return HexBytesText(v.numbers);
        default:
            break;
    }
    switch (v.type) {
        case DumpValue::Type::Flag:
            return ft_[v.number ? kOn : kOff];
        case DumpValue::Type::Text:
            return v.text.empty() ? kAbsent[l] : v.text;
        case DumpValue::Type::Numbers: {
            std::string out;
            for (int n : v.numbers) out += (out.empty() ? "" : " ") + std::to_string(n);
            return out;
        }
        default:
            return std::to_string(v.number);
    }
}

std::string DifferenceWords::channelWhere(const Difference& d) const {
    int column = 0;
    if (d.field == "rx") column = 1;
    if (d.field == "tx") column = 2;
    if (d.field == "decode") column = 3;
    if (d.field == "encode") column = 4;
    if (column == 0) column = std::atoi(d.field.c_str());
    const auto captions = layout_.captions();
    std::string caption;
    if (column <= layout_.columnCount && column < static_cast<int>(captions.size()))
        caption = captions[static_cast<size_t>(column)];
    if (caption.empty()) caption = kOption[language_ - 1] + std::string(" ") + d.field;
    return ft_[kChannelWord] + " " + std::to_string(d.index) + "  " + caption;
}

std::string DifferenceWords::channelValue(const Difference& d, const DumpValue& v) const {
    if (d.field == "rx" || d.field == "tx") return Mhz5(v.number);
    if (v.type == DumpValue::Type::Text) return v.text;
    // An option field shows the text of its grid column's value, where it has one.
    const int column = std::atoi(d.field.c_str());
    if (column <= layout_.columnCount && v.number >= 0) {
        const std::string text = layout_.item(column, static_cast<int>(v.number) + 3);
        if (!text.empty()) return text;
    }
    return std::to_string(v.number);
}

std::string DifferenceWords::settingWhere(int row) const {
    const Binding& b = FunctionBindings()[static_cast<size_t>(row)];
    const int k = ArrayIndex(b.name);
    if (b.name.starts_with("txtAutoMem(")) return ft_[kAutodialCaption] + " " + b.fixedCaption;
    std::string caption = b.caption >= 0 ? ft_[b.caption] : b.fixedCaption;
    if (b.voxIndex > 0) return caption + " " + VoxLevelCaption(ft_, b.voxIndex - 1);
    if (b.name.starts_with("cboRadioId(")) return caption + " " + std::to_string(k + 1);
    return caption;
}

std::string DifferenceWords::settingValue(int row, const DumpValue& v) const {
    const Binding& b = FunctionBindings()[static_cast<size_t>(row)];
    if (v.type == DumpValue::Type::Flag) return ft_[v.number ? kOn : kOff];
    if (v.type == DumpValue::Type::Text) return "\"" + v.text + "\"";
    if (b.entries) {
        const std::vector<std::string> entries = b.entries(ft_);
        if (v.number >= 0 && v.number < static_cast<long long>(entries.size()))
            return entries[static_cast<size_t>(v.number)];
    }
    return std::to_string(v.number);
}

std::string DifferenceWords::bandText(const Band& band) const {
    if (band.index >= 0 && band.index < kCustomBandIndex)
        return std::string(kBandTable[static_cast<size_t>(band.index)].text);
    return ft_[kCustomBand] + "  " + MhzShort(band.low) + " - " + MhzShort(band.high) + " MHz";
}

}  // namespace tarvos
