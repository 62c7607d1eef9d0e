#include "memory/channel_layout.h"

#include <charconv>

#include "base/error_log.h"
#include "base/face_text.h"
#include "base/settings_file.h"
#include "base/split.h"
#include "memory/bit_masks.h"

namespace tarvos {

namespace {

constexpr const char* kSection = "ChInfo";

// A whole decimal number, optionally signed, with nothing else; raises 13 otherwise.
int WholeNumber(const std::string& text) {
    int value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || ptr != last)
        Raise(err::TypeMismatch, "not a number: " + text);
    return value;
}

std::string Read(const SettingsFile& s, int key, const char* def, int readLength) {
    return s.read(kSection, std::to_string(key), def, readLength);
}

}  // namespace

int LanguageBase(int language) {
    return NormalizeLanguage(language) * 1000;
}

std::string ChannelLayout::item(int column, int slot) const {
    if (column < 1 || column > kMaxColumnCount || slot < 0) return {};
    const auto& items = columnItems[static_cast<size_t>(column)];
    return static_cast<size_t>(slot) < items.size() ? items[static_cast<size_t>(slot)]
                                                    : std::string();
}

int ChannelLayout::columnDefault(int column) const {
    const std::string text = item(column, 2);
    return text.empty() ? 0 : WholeNumber(text);
}

std::vector<std::string> ChannelLayout::captions() const {
    return SplitAt(header, '|');
}

ChannelLayout ReadChInfo(const SettingsFile& file, int language, ErrorLog& log) {
    // Some forty keys: the file is read once for all of them.
    const SettingsFile settings = file.snapshot();
    ChannelLayout layout;
    const int base = LanguageBase(language);
    Guard(log, "modChMem->ReadChInfo", [&] {
        int count = WholeNumber(Read(settings, base + 0, "16", 5));
        if (count < 0 || count > kMaxChannelCount)
            Raise(err::InvalidPropertyValue, "channel count out of range");
        layout.channelCount = count;
        layout.rowHeight = WholeNumber(Read(settings, base + 1, "240", 5));
        int columns = WholeNumber(Read(settings, base + 2, "9", 5));
        if (columns < 0 || columns > kMaxColumnCount)
            Raise(err::InvalidPropertyValue, "column count out of range");
        layout.columnCount = columns;
        layout.header = Read(settings, base + 3, "0|0|0|0|0|0|0|0|0|0", 200);
        for (int c = 0; c <= columns; ++c)
            layout.widths[static_cast<size_t>(c)] =
                WholeNumber(Read(settings, base + 100 + c, "1000", 10));
        for (int c = 1; c <= columns; ++c) {
            auto& items = layout.columnItems[static_cast<size_t>(c)];
            items.clear();
            bool ended = false;
            for (int k = 0; k < kItemSlots; ++k) {
                std::string slot = Read(settings, base + 200 + (c - 1) * 50 + k, "0", 100);
                if (slot == kEndOfThisItem) {
                    ended = true;
                    break;
                }
                items.push_back(std::move(slot));
            }
            if (!ended) Raise(err::IndexOutOfRange, "item list without end marker");
        }
    });
    return layout;
}

}  // namespace tarvos
