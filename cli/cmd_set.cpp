// tarvos-cli set IN.dat --out OUT.dat NAME=VALUE...
//
// Changes function settings of a data file as a user of the function page would: the file is
// opened as the window's Open does, then each assignment is applied in the order given as the
// user's pick, tick or typing on control NAME (with the couplings and normalisations that
// brings), and the result is saved as the window's Save does. Values: a list takes the position of
// its entry, a check box true or false, a text box its text; two-tone cells are twoTone(E).COLUMN
// with COLUMN one of aFre, aTime, bFre, bTime, interval; txtRdWrCode=TEXT stores a read/write code
// (empty: none). Any bad assignment stops the command before anything is written.
#include <iostream>
#include <optional>
#include <string>

#include "base/error_log.h"
#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "functions/function_model.h"

namespace tarvos::cli {

namespace {
constexpr const char* kUsage = "usage: tarvos-cli set IN.dat --out OUT.dat NAME=VALUE...\n";

struct BadAssignment {
    std::string message;
};

std::optional<int> Position(const std::string& value) {
    if (value.empty() || value.size() > 6) return std::nullopt;
    for (char c : value)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stoi(value);
}

std::optional<TwoToneColumn> ColumnNamed(const std::string& name) {
    if (name == "aFre") return TwoToneColumn::AFre;
    if (name == "aTime") return TwoToneColumn::ATime;
    if (name == "bFre") return TwoToneColumn::BFre;
    if (name == "bTime") return TwoToneColumn::BTime;
    if (name == "interval") return TwoToneColumn::Interval;
    return std::nullopt;
}

bool InList(const std::vector<std::string>& list, const std::string& value) {
    for (const auto& v : list)
        if (v == value) return true;
    return false;
}

// twoTone(E).COLUMN=TEXT. A time cell is chosen from its drop-down list, or left empty.
void ApplyTwoTone(FunctionModel& model, ByteImage& image, const std::string& name,
                  const std::string& value) {
    size_t close = name.find(").");
    std::optional<int> entry =
        close == std::string::npos ? std::nullopt : Position(name.substr(8, close - 8));
    std::optional<TwoToneColumn> column =
        close == std::string::npos ? std::nullopt : ColumnNamed(name.substr(close + 2));
    if (!entry || !column) throw BadAssignment{"unknown control '" + name + "'"};
    if (*entry < 1 || *entry > kTwoToneEntries)
        throw BadAssignment{name + ": no two-tone entry " + std::to_string(*entry) + " (1..16)"};
    if (*column == TwoToneColumn::ATime || *column == TwoToneColumn::BTime ||
        *column == TwoToneColumn::Interval) {
        const auto& list =
            *column == TwoToneColumn::Interval ? TwoToneIntervalList() : TwoToneDurationList();
        if (!value.empty() && !InList(list, value))
            throw BadAssignment{name + ": malformed value '" + value + "' (" + list.front() +
                                " .. " + list.back() + " in steps of the list)"};
    }
    model.SetTwoToneCell(image, *entry, *column, value);
}

void Apply(FunctionModel& model, ByteImage& image, const std::string& assignment) {
    size_t eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0)
        throw BadAssignment{"malformed assignment '" + assignment + "' (NAME=VALUE)"};
    std::string name = assignment.substr(0, eq), value = assignment.substr(eq + 1);
    if (name.rfind("twoTone(", 0) == 0) return ApplyTwoTone(model, image, name, value);
    if (name == "txtRdWrCode") return model.SetRdWrCodeText(image, value);

    int index = model.indexOf(name);
    if (index < 0 || model.bindings()[index].kind == ControlKind::Grid)
        throw BadAssignment{"unknown control '" + name + "'"};
    const Binding& b = model.bindings()[index];
    // The window shows such a control greyed out: nothing can be picked, ticked or typed there.
    if (!model.enabled(index))
        throw BadAssignment{name + " is disabled (as the window shows it with these settings)"};
    switch (b.kind) {
        case ControlKind::List: {
            std::optional<int> p = Position(value);
            int count = static_cast<int>(model.state(index).entries.size());
            if (!p)
                throw BadAssignment{name + ": malformed value '" + value + "' (an entry position)"};
            if (*p >= count)
                throw BadAssignment{name + ": position " + value + " outside the list (0.." +
                                    std::to_string(count - 1) + ")"};
            model.Pick(image, index, *p);
            break;
        }
        case ControlKind::Check:
            if (value != "true" && value != "false")
                throw BadAssignment{name + ": malformed value '" + value + "' (true or false)"};
            model.SetChecked(image, index, value == "true");
            break;
        case ControlKind::Text:
            model.SetText(image, index, value);
            break;
        case ControlKind::Grid:
            break;
    }
}
}  // namespace

int Set(const Args& args) {
    std::string in, out;
    std::vector<std::string> assignments;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size()) {
            out = args[++i];
        } else if (in.empty()) {
            // The first word that is no option is the input, whatever it holds ("=" too).
            in = args[i];
        } else {
            assignments.push_back(args[i]);
        }
    }
    if (in.empty() || out.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    ErrorLog log(&LogSink());
    auto doc = OpenedDocument(log, kEnglish, in, "set");
    if (!doc) return 2;
    try {
        for (const auto& a : assignments)
            doc->Edit(DocumentChange::Functions, [&] { Apply(doc->functions(), doc->image(), a); });
    } catch (const BadAssignment& bad) {
        std::cerr << "tarvos-cli set: " << bad.message << "\n";
        return 2;
    } catch (const Failure& f) {
        std::cerr << "tarvos-cli set: " << f.what() << "\n";
        return 2;
    }
    if (!doc->SaveAsFile(out)) return SaveFailed(*doc, "set", out);
    return 0;
}

}  // namespace tarvos::cli
