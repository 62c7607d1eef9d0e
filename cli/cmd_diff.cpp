// tarvos-cli diff OLD.dat NEW.dat [--lang N] [--json]
//
// Where the two data files differ as the application shows them (what `tarvos-cli dump`
// prints, plus the bytes no dump entry shows). Exit code as diff(1): 0 no difference, 1
// differences, 2 trouble. Without --json, one line per difference in the words the window
// uses, in the language of --lang (English when not given); with --json the differences with
// dump's names and values, whatever --lang says.
#include <iostream>

#include "base/error_log.h"
#include "cli/cli_document.h"
#include "cli/commands.h"
#include "cli/dump_json.h"
#include "cli/json.h"
#include "document/difference_text.h"
#include "document/image_compare.h"

namespace tarvos::cli {

namespace {

constexpr const char* kUsage = "usage: tarvos-cli diff OLD.dat NEW.dat [--lang N] [--json]\n";

// The JSON name of each DumpKind, in the enum's order.
constexpr const char* kKindNames[] = {"model",   "band",   "channel",  "setting",
                                      "twoTone", "volume", "rdWrCode", "bytes"};

std::string DifferenceJson(const Difference& d) {
    JsonObject o;
    o.add("kind", JsonQuote(kKindNames[static_cast<int>(d.kind)]));
    switch (d.kind) {
        case DumpKind::Channel:
            o.add("channel", d.index).add("field", JsonQuote(d.field));
            break;
        case DumpKind::Setting:
            o.add("name", JsonQuote(d.field));
            break;
        case DumpKind::TwoTone:
            o.add("entry", d.index).add("field", JsonQuote(d.field));
            break;
        case DumpKind::Volume:
            o.add("field", JsonQuote(d.field));
            break;
        case DumpKind::Bytes:
            o.add("start", JsonQuote(ByteRangeText(d.start, d.start)))
                .add("end", JsonQuote(ByteRangeText(d.end, d.end)));
            break;
        default:
            break;
    }
    o.add("old", JsonOf(d.oldValue)).add("new", JsonOf(d.newValue));
    return o.text();
}

std::string DifferencesJson(const std::vector<Difference>& diffs) {
    std::string out = "{\"same\": ";
    out += diffs.empty() ? "true" : "false";
    out += ", \"differences\": [";
    for (size_t i = 0; i < diffs.size(); ++i)
        out += (i ? ",\n  " : "\n  ") + DifferenceJson(diffs[i]);
    out += diffs.empty() ? "]}\n" : "\n]}\n";
    return out;
}

}  // namespace

int Diff(const Args& args) {
    std::vector<std::string> files;
    int language = kEnglish;
    bool json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string lang;
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--lang") {
            if (!TakeValue(args, i, lang) || (lang != "1" && lang != "2" && lang != "3")) {
                std::cerr << "tarvos-cli diff: --lang takes 1, 2 or 3\n";
                return 2;
            }
            language = lang[0] - '0';
        } else if (args[i].starts_with("--")) {
            std::cerr << "tarvos-cli diff: unknown option '" << args[i] << "'\n";
            return 2;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        std::cerr << kUsage;
        return 2;
    }
    const auto before = OpenForReading(files[0], "diff");
    if (!before) return 2;
    const auto after = OpenForReading(files[1], "diff");
    if (!after) return 2;

    RecordingSink sink;
    ErrorLog log(&sink);
    // Both files as the window would open them; JSON keeps dump's values, which are English.
    const auto doc = StartedDocument(log, json ? kEnglish : language);
    const std::vector<Difference> diffs = CompareImages(*doc, *before, *after);
    if (json) {
        std::cout << DifferencesJson(diffs);
    } else {
        const DifferenceWords words(doc->language(), doc->layout());
        for (const Difference& d : diffs) std::cout << words.line(d) << "\n";
    }
    return diffs.empty() ? 0 : 1;
}

}  // namespace tarvos::cli
