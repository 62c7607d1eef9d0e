#include "cli/dump_json.h"

#include <sstream>

#include "cli/dump_settings.h"
#include "cli/json.h"
#include "document/difference_text.h"

namespace tarvos::cli {

namespace {

std::string NumberOrNull(int32_t v) {
    return v == -1 ? "null" : std::to_string(v);
}

std::string BandJson(const Band& band) {
    JsonObject o;
    o.add("low", band.low).add("high", band.high).add("index", band.index);
    return o.text();
}

// The channels as the grid shows them after an open.
std::string ChannelsJson(const ImageDump& dump) {
    std::ostringstream out;
    out << "[\n";
    for (int n = 1; n <= kMaxChannelCount; ++n) {
        const ChannelDump& c = dump.channels[static_cast<size_t>(n - 1)];
        JsonObject ch;
        ch.add("channel", n);
        if (c.empty) {
            ch.add("rx", "null");
        } else {
            ch.add("rx", NumberOrNull(c.rx));
            ch.add("tx", NumberOrNull(c.tx));
            ch.add("decode", JsonQuote(c.decode));
            ch.add("encode", c.tx == -1 ? std::string("null") : JsonQuote(c.encode));
            JsonObject fields;
            for (int j = chf::FirstOption; j <= chf::LastStored; ++j)
                fields.add(std::to_string(j), c.field(j));
            ch.add("fields", fields.text());
        }
        out << "    " << ch.text() << (n < kMaxChannelCount ? ",\n" : "\n");
    }
    out << "  ]";
    return out.str();
}

}  // namespace

std::string JsonOf(const DumpValue& v) {
    switch (v.type) {
        case DumpValue::Type::Null:
            return "null";
        case DumpValue::Type::Number:
            return std::to_string(v.number);
        case DumpValue::Type::Flag:
            return v.number ? "true" : "false";
        case DumpValue::Type::Text:
            return JsonQuote(v.text);
        case DumpValue::Type::Numbers: {
            std::string out = "[";
            for (size_t i = 0; i < v.numbers.size(); ++i)
                out += (i ? ", " : "") + std::to_string(v.numbers[i]);
            return out + "]";
        }
        case DumpValue::Type::Band:
            return BandJson(v.band);
        case DumpValue::Type::Bytes:
            return JsonQuote(HexBytesText(v.numbers));
    }
    return "null";
}

std::string DumpJson(const ImageDump& dump) {
    std::ostringstream out;
    out << "{\n";
    out << "  \"model\": " << dump.model << ",\n";
    out << "  \"band\": " << BandJson(dump.band) << ",\n";
    out << "  \"channels\": " << ChannelsJson(dump) << ",\n";
    out << "  " << FunctionSettingsJsonMembers(dump.page) << "\n";
    out << "}\n";
    return out.str();
}

}  // namespace tarvos::cli
