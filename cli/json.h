#pragma once
// A small JSON helper for tarvos-cli output: string quoting with escapes, and a writer for
// one object's members that keeps the commas right.

#include <cstdio>
#include <string>
#include <string_view>

namespace tarvos::cli {

// The JSON text of a string: quotes added, '"', '\\' and control characters escaped.
// UTF-8 passes through unchanged.
inline std::string JsonQuote(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return out;
}

// Builds "{...}" one member at a time: JsonObject o; o.add("a", "1"); o.text() -> {"a": 1}.
// Values are JSON text already (numbers, JsonQuote(...), nested objects, "null").
class JsonObject {
  public:
    JsonObject& add(std::string_view name, std::string_view jsonValue) {
        if (!body_.empty()) body_ += ", ";
        body_ += JsonQuote(name);
        body_ += ": ";
        body_ += jsonValue;
        return *this;
    }
    JsonObject& add(std::string_view name, long long number) {
        return add(name, std::to_string(number));
    }
    std::string text() const { return "{" + body_ + "}"; }

  private:
    std::string body_;
};

}  // namespace tarvos::cli
