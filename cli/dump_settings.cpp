// The function-settings part of `tarvos-cli dump`: what the function page shows for an
// image once the load rules have run (on a copy: dumping never changes the file's image).
#include "cli/dump_settings.h"

#include "cli/commands.h"
#include "cli/json.h"
#include "functions/function_model.h"
#include "functions/volume.h"

namespace tarvos::cli {

namespace {

std::string SettingsObject(const FunctionModel& model) {
    JsonObject o;
    for (int i = 0; i < static_cast<int>(model.bindings().size()); ++i) {
        const Binding& b = model.bindings()[i];
        const ControlState& s = model.state(i);
        switch (b.kind) {
            case ControlKind::List:
                o.add(b.name, s.selected);
                break;
            case ControlKind::Check:
                o.add(b.name, s.checked ? "true" : "false");
                break;
            case ControlKind::Text:
                o.add(b.name, JsonQuote(s.text));
                break;
            case ControlKind::Grid:
                break;  // shown under "twoTone"
        }
    }
    return o.text();
}

std::string EnabledObject(const FunctionModel& model) {
    JsonObject o;
    for (int i = 0; i < static_cast<int>(model.bindings().size()); ++i)
        if (model.hasEnabler(i))
            o.add(model.bindings()[i].name, model.enabled(i) ? "true" : "false");
    return o.text();
}

std::string TwoToneArray(const FunctionModel& model) {
    std::string out = "[";
    for (int e = 1; e <= kTwoToneEntries; ++e) {
        const TwoToneCells& c = model.twoTone()[e - 1];
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

std::string VolumeObject(const ByteImage& image) {
    std::string codes = "[";
    for (int i = 0; i <= 10; ++i) {
        if (i) codes += ", ";
        codes += std::to_string(image.at(kVolumeLevel0Addr + i));
    }
    codes += "]";
    JsonObject o;
    o.add("codes", codes).add("useTable", VolumeUseTable(image) ? "true" : "false");
    return o.text();
}
}  // namespace

std::string FunctionSettingsJsonMembers(const ByteImage& image) {
    ByteImage copy = image;
    ErrorLog log;  // a load failure leaves the controls not reached as they started
    FunctionModel model(kEnglish, &log);
    model.SoftDisplay(copy);
    std::string out;
    out += "\"settings\": " + SettingsObject(model) + ",\n  ";
    out += "\"enabled\": " + EnabledObject(model) + ",\n  ";
    out += "\"twoTone\": " + TwoToneArray(model) + ",\n  ";
    out += "\"volume\": " + VolumeObject(copy) + ",\n  ";
    out += "\"rdWrCode\": " + std::string(model.rdWrCodeStored() ? "true" : "false");
    return out;
}

}  // namespace tarvos::cli
