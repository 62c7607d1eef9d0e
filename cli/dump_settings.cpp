// The function-settings part of `tarvos-cli dump`: what the function page shows for an
// image once the load rules have run.
#include "cli/dump_settings.h"

#include "cli/commands.h"
#include "cli/json.h"
#include "functions/bindings.h"

namespace tarvos::cli {

namespace {

std::string SettingsObject(const PageDump& page) {
    const auto& rows = FunctionBindings();
    JsonObject o;
    for (const SettingDump& s : page.settings) {
        const Binding& b = rows[static_cast<size_t>(s.row)];
        switch (b.kind) {
            case ControlKind::Check:
                o.add(b.name, s.checked ? "true" : "false");
                break;
            case ControlKind::Text:
                o.add(b.name, JsonQuote(s.text));
                break;
            default:
                o.add(b.name, s.selected);
        }
    }
    return o.text();
}

std::string EnabledObject(const PageDump& page) {
    JsonObject o;
    for (const auto& [row, on] : page.enabled)
        o.add(FunctionBindings()[static_cast<size_t>(row)].name, on ? "true" : "false");
    return o.text();
}

std::string TwoToneArray(const PageDump& page) {
    std::string out = "[";
    for (int e = 1; e <= kTwoToneEntries; ++e) {
        const TwoToneCells& c = page.twoTone[static_cast<size_t>(e - 1)];
        JsonObject o;
        o.add("entry", e)
            .add("aFre", JsonQuote(c.aFre))
            .add("aTime", JsonQuote(c.aTime))
            .add("bFre", JsonQuote(c.bFre))
            .add("bTime", JsonQuote(c.bTime))
            .add("interval", JsonQuote(c.interval));
        if (e > 1) out += ", ";
        out += o.text();
    }
    return out + "]";
}

std::string VolumeObject(const PageDump& page) {
    std::string codes = "[";
    for (size_t i = 0; i < page.volumeCodes.size(); ++i)
        codes += (i ? ", " : "") + std::to_string(page.volumeCodes[i]);
    codes += "]";
    JsonObject o;
    o.add("codes", codes).add("useTable", page.volumeUseTable ? "true" : "false");
    return o.text();
}
}  // namespace

std::string FunctionSettingsJsonMembers(const PageDump& page) {
    std::string out;
    out += "\"settings\": " + SettingsObject(page) + ",\n  ";
    out += "\"enabled\": " + EnabledObject(page) + ",\n  ";
    out += "\"twoTone\": " + TwoToneArray(page) + ",\n  ";
    out += "\"volume\": " + VolumeObject(page) + ",\n  ";
    out += "\"rdWrCode\": " + std::string(page.rdWrCodeStored ? "true" : "false");
    return out;
}

std::string FunctionSettingsJsonMembers(const ByteImage& image) {
    ByteImage copy = image;
    return FunctionSettingsJsonMembers(DumpFunctionPage(kEnglish, copy));
}

}  // namespace tarvos::cli
