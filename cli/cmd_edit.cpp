// tarvos-cli edit IN.dat --out OUT.dat [--lang N] [--seed N] ACTION...
//
// Edits a data file with the gestures a user makes in the channel window and the memory data
// view: the file is opened as File > Open does (the channel layout of language N, 3 when not
// given) and the memory view refreshed from it once, as a read does with "show memory data"
// ticked; each action is played in order, and the result is saved as File > Save does. Any
// bad action stops the command before anything is written.
//
//   type:R:C=TEXT    start editing cell (R, C) and commit TEXT as typed
//   pick:R:C=I       start editing option cell (R, C) and choose item I of its drop-down
//   tone:R:C=TEXT    click tone cell (R, C) and, if the tone box opens, type TEXT and leave it
//   dblclick:R:C     double-click cell (R, C)
//   delete:R         the channel menu's "Delete channel" on row R
//   deleteall        "Delete all channels"
//   copy:R1-R2       Copy of rows R1..R2 (whole channels, kept for paste:R)
//   paste:R          Paste of that copy at row R, the next rows following
//   pastetext:R=TEXT Paste of text from outside at row R (\t between cells, \n between rows)
//   swap:R1:R2       channels R1 and R2 exchange places (Move Up / Down of one channel)
//   lock             Settings > Lock Face
//   auto.NAME=VALUE  a control of the Auto Input window; auto:GROUP one of its Set buttons
//   hex:ADDR=TEXT    TEXT typed into the memory view's cell of address ADDR (hexadecimal)
//   refresh          the memory view's "Fill Gird": channels encoded, the view refreshed
//   fill:BASE:VALUE:START:END   "Part Fill" with base H, D or B, then "Fill"
#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/error_log.h"
#include "base/split.h"
#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "document/auto_input.h"
#include "document/channel_clipboard.h"
#include "document/channel_editor.h"
#include "document/channel_moves.h"
#include "document/memory_editor.h"
#include "link/range_settings.h"

namespace tarvos::cli {

namespace {

constexpr const char* kUsage =
    "usage: tarvos-cli edit IN.dat --out OUT.dat [--lang N] [--seed N] ACTION...\n";

struct BadAction {
    std::string message;
};

std::optional<long> Number(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stol(text);
}

// The Auto Input option groups: action name, Set button, values by name.
struct OptionGroup {
    const char* name;
    int button;
    int AutoInputControls::*field;
    std::vector<std::pair<const char*, int>> values;
};

const std::vector<OptionGroup>& OptionGroups() {
    static const std::vector<OptionGroup> groups = {
        {"power", 3, &AutoInputControls::power, {{"high", 1}, {"low", 0}}},
        {"bw", 4, &AutoInputControls::bandwidth, {{"wide", 1}, {"narrow", 0}}},
        {"scan", 5, &AutoInputControls::scan, {{"on", 1}, {"off", 0}}},
        {"bcl", 6, &AutoInputControls::busyLock, {{"tone", 2}, {"carrier", 1}, {"off", 0}}},
        {"vox", 7, &AutoInputControls::vox, {{"off", 0}, {"on", 1}}},
        {"pttid", 9, &AutoInputControls::pttId, {{"off", 0}, {"bot", 1}, {"eot", 2}, {"both", 3}}},
    };
    return groups;
}

class Player {
  public:
    // tableMaxAddr: the memory view's last address, from the settings file.
    Player(RadioDocument& doc, uint32_t seed, int tableMaxAddr)
        : editor_(doc.channelEditor()),
          auto_(editor_, seed),
          memory_(doc, tableMaxAddr),
          tableMaxAddr_(tableMaxAddr) {
        // The view as a read leaves it with "show memory data" ticked.
        memory_.TableFreDat(tableMaxAddr_);
    }

    void play(const std::string& action) {
        const size_t eq = action.find('=');
        const std::string head = action.substr(0, eq);
        const bool hasValue = eq != std::string::npos;
        const std::string value = hasValue ? action.substr(eq + 1) : std::string();
        if (head.rfind("auto.", 0) == 0) {
            if (!hasValue) throw BadAction{"malformed action (auto.NAME=VALUE)"};
            return autoControl(head.substr(5), value);
        }
        if (head.rfind("auto:", 0) == 0 && !hasValue) return autoButton(head.substr(5));
        if (head == "deleteall" && !hasValue) return editor_.DeleteAll();
        if (head == "lock" && !hasValue) return editor_.SetLocked(!editor_.locked());
        if (head == "refresh" && !hasValue) return memory_.FillGrid(tableMaxAddr_);

        const std::vector<std::string> parts = SplitAt(head, ':');
        const std::string& verb = parts[0];
        if (verb == "hex" && parts.size() == 2 && hasValue) {
            memory_.AfterEdit(address(parts[1]), value);
            return;
        }
        if (verb == "fill" && parts.size() == 5 && !hasValue) {
            memory_.PartFill({base(parts[1]), parts[2], parts[3], parts[4]});
            return;
        }
        if (verb == "delete" && parts.size() == 2 && !hasValue)
            return editor_.DeleteOne(row(parts[1]));
        if (verb == "copy" && parts.size() == 2 && !hasValue) return copy(parts[1]);
        if (verb == "paste" && parts.size() == 2 && !hasValue) {
            if (!clip_) throw BadAction{"nothing copied yet (copy:R1-R2 first)"};
            return tellLeftOut(PasteChannels(editor_, row(parts[1]), *clip_));
        }
        if (verb == "pastetext" && parts.size() == 2 && hasValue)
            return tellLeftOut(PasteText(editor_, row(parts[1]), Unescaped(value)));
        if (verb == "swap" && parts.size() == 3 && !hasValue) {
            SwapChannels(editor_, row(parts[1]), row(parts[2]));
            return;
        }
        if (verb == "dblclick" && parts.size() == 3 && !hasValue) {
            const int r = row(parts[1]), c = column(parts[2]);
            editor_.Click(r, c);
            return editor_.DblClick(editor_.current().row, editor_.current().col);
        }
        if (parts.size() != 3 || !hasValue) throw BadAction{"unknown or malformed action"};
        const int r = row(parts[1]), c = column(parts[2]);
        if (verb == "type") {
            const BeforeEditResult before = editor_.BeforeEdit(r, c);
            if (before.cancel) return;
            return editor_.AfterEdit(r, c, value, itemIndex(c, value));
        }
        if (verb == "pick") {
            const std::vector<std::string> items = editor_.dropDownItems(c);
            if (items.empty()) throw BadAction{"column " + parts[2] + " has no drop-down list"};
            const std::optional<long> i = Number(value);
            if (!i) throw BadAction{"malformed item index '" + value + "'"};
            if (*i >= static_cast<long>(items.size()))
                throw BadAction{"item " + value + " outside the list (0.." +
                                std::to_string(items.size() - 1) + ")"};
            const BeforeEditResult before = editor_.BeforeEdit(r, c);
            if (before.cancel) return;
            return editor_.AfterEdit(r, c, items[static_cast<size_t>(*i)], static_cast<int>(*i));
        }
        if (verb == "tone") {
            if (c != 3 && c != 4) throw BadAction{"column " + parts[2] + " is no tone column"};
            editor_.Click(r, c);
            if (editor_.openToneCell().col == 0) return;
            editor_.SetToneBoxText(value);
            return editor_.LeaveToneBox();
        }
        throw BadAction{"unknown action"};
    }

    // Save commits a tone entry still open (a double-click that left the box open).
    void beforeSave() { editor_.LeaveToneBox(); }
    // Rows a paste left out below the last channel, to be told (0: none).
    int takeLeftOut() { return std::exchange(leftOut_, 0); }

  private:
    void copy(const std::string& range) {
        const size_t dash = range.find('-');
        if (dash == std::string::npos) throw BadAction{"malformed range (copy:R1-R2)"};
        const int first = row(range.substr(0, dash)), last = row(range.substr(dash + 1));
        if (first > last) throw BadAction{"range " + range + " runs backwards"};
        clip_ = CopyChannels(editor_, RowRange(first, last));
    }

    void tellLeftOut(const PasteOutcome& outcome) { leftOut_ = outcome.leftOut; }

    // "\t" is a tab, "\n" a line feed and "\\" a backslash; every other character is itself.
    static std::string Unescaped(const std::string& text) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\\' && i + 1 < text.size()) {
                const char next = text[i + 1];
                if (next == 't' || next == 'n' || next == '\\') {
                    out += next == 't' ? '\t' : next == 'n' ? '\n' : '\\';
                    ++i;
                    continue;
                }
            }
            out += text[i];
        }
        return out;
    }

    int row(const std::string& text) const {
        const std::optional<long> r = Number(text);
        if (!r || *r < 1 || *r > editor_.rows())
            throw BadAction{"row '" + text + "' outside 1.." + std::to_string(editor_.rows())};
        return static_cast<int>(*r);
    }

    // A cell of the memory view by its hexadecimal address.
    int address(const std::string& text) const {
        const int cells = memory_.view().rows() * 16;
        long a = -1;
        if (!text.empty() && text.size() <= 8) {
            a = 0;
            for (char ch : text) {
                const int d = ch >= '0' && ch <= '9'   ? ch - '0'
                              : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                              : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                                                       : -1;
                if (d < 0) {
                    a = -1;
                    break;
                }
                a = a * 16 + d;
            }
        }
        if (a < 0 || a >= cells)
            throw BadAction{"address '" + text + "' outside the memory view 0000.." +
                            AddressText(cells - 1)};
        return static_cast<int>(a);
    }

    static FillBase base(const std::string& text) {
        if (text == "H") return FillBase::Hex;
        if (text == "D") return FillBase::Decimal;
        if (text == "B") return FillBase::Binary;
        throw BadAction{"bad base '" + text + "' (H, D or B)"};
    }

    int column(const std::string& text) const {
        const std::optional<long> c = Number(text);
        if (!c || *c < 1 || *c > editor_.cols())
            throw BadAction{"column '" + text + "' outside 1.." + std::to_string(editor_.cols())};
        return static_cast<int>(*c);
    }

    // The drop-down entry a typed text matches exactly, as the grid's editor finds it.
    int itemIndex(int c, const std::string& text) const {
        const std::vector<std::string> items = editor_.dropDownItems(c);
        const auto it = std::find(items.begin(), items.end(), text);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    }

    static bool Flag(const std::string& value) {
        if (value == "true") return true;
        if (value == "false") return false;
        throw BadAction{"bad value '" + value + "' (true or false)"};
    }

    static int Within(const std::string& value, int low, int high) {
        const std::optional<long> n = Number(value);
        if (!n || *n < low || *n > high)
            throw BadAction{"bad value '" + value + "' (" + std::to_string(low) + ".." +
                            std::to_string(high) + ")"};
        return static_cast<int>(*n);
    }

    void autoControl(const std::string& name, const std::string& value) {
        AutoInputControls& k = auto_.controls;
        // The transmit frame is disabled while TX EQU RX is ticked, the tone lists while
        // Random is: a user cannot change them then.
        const bool txFrame = !k.txEqRx;
        const bool toneLists = !k.random;
        if (name == "start") {
            k.start = Within(value, 1, 16);
        } else if (name == "end") {
            k.end = Within(value, 1, 16);
        } else if (name == "rxfirst" || name == "rxstep" || name == "txfirst" || name == "txstep") {
            const int box = name == "rxfirst"   ? 0
                            : name == "rxstep"  ? 1
                            : name == "txfirst" ? 2
                                                : 3;
            if (box >= 2 && !txFrame) return;
            std::string& text = box == 0   ? k.rxFirst
                                : box == 1 ? k.rxStep
                                : box == 2 ? k.txFirst
                                           : k.txStep;
            text = value;
            auto_.LeaveBox(box);
        } else if (name == "txeqrx") {
            auto_.SetTxEqRx(Flag(value));
        } else if (name == "random") {
            auto_.SetRandom(Flag(value));
        } else if (name == "target") {
            if (value == "dec")
                k.target = ToneTarget::Decode;
            else if (value == "enc")
                k.target = ToneTarget::Encode;
            else if (value == "both")
                k.target = ToneTarget::Both;
            else
                throw BadAction{"bad value '" + value + "' (dec, enc or both)"};
        } else if (name == "tonefirst") {
            const int entry = Within(value, 0, kToneCount - 1);
            if (toneLists) k.toneFirst = entry;
        } else if (name == "tonestep") {
            const int step = Within(value, 0, 25);
            if (toneLists) k.toneStep = step;
        } else {
            for (const OptionGroup& g : OptionGroups()) {
                if (name != g.name) continue;
                for (const auto& [text, v] : g.values)
                    if (value == text) {
                        k.*g.field = v;
                        return;
                    }
                std::string names;
                for (const auto& [text, v] : g.values)
                    names += (names.empty() ? "" : ", ") + std::string(text);
                throw BadAction{"bad value '" + value + "' (" + names + ")"};
            }
            throw BadAction{"unknown Auto Input control '" + name + "'"};
        }
    }

    void autoButton(const std::string& group) {
        if (group == "rx") return auto_.Set(0);
        if (group == "tx") {
            if (auto_.controls.txEqRx) return;  // its frame is disabled
            return auto_.Set(1);
        }
        if (group == "tone") return auto_.Set(2);
        if (group == "all") return auto_.Set(kSetAllButton);
        for (const OptionGroup& g : OptionGroups())
            if (group == g.name) return auto_.Set(g.button);
        throw BadAction{"unknown Auto Input button '" + group + "'"};
    }

    ChannelEditor& editor_;
    AutoInput auto_;
    MemoryEditor memory_;
    int tableMaxAddr_;
    std::optional<ChannelClip> clip_;
    int leftOut_ = 0;
};

}  // namespace

int Edit(const Args& args) {
    std::string in, out;
    int language = kEnglish;
    uint32_t seed =
        static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::vector<std::string> actions;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--out") {
            if (!TakeValue(args, i, out)) {
                std::cerr << kUsage;
                return 2;
            }
        } else if (args[i] == "--lang") {
            const std::optional<long> n = TakeValue(args, i, value) ? Number(value) : std::nullopt;
            if (!n || *n < 1 || *n > 3) {
                std::cerr << "tarvos-cli edit: --lang takes 1, 2 or 3\n";
                return 2;
            }
            language = static_cast<int>(*n);
        } else if (args[i] == "--seed") {
            const std::optional<long> n = TakeValue(args, i, value) ? Number(value) : std::nullopt;
            if (!n) {
                std::cerr << "tarvos-cli edit: --seed takes a whole number\n";
                return 2;
            }
            seed = static_cast<uint32_t>(*n);
        } else if (in.empty()) {
            in = args[i];
        } else {
            actions.push_back(args[i]);
        }
    }
    if (in.empty() || out.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    ErrorLog log(&LogSink());
    auto doc = OpenedDocument(log, language, in, "edit");
    if (!doc) return 2;
    link::RangeSettings ranges;
    ranges.load(CliSettings(), log, doc->image().DatNum());
    Player player(*doc, seed, ranges.TableMaxAddr);
    for (const std::string& action : actions) {
        try {
            player.play(action);
            if (const int leftOut = player.takeLeftOut())
                std::cerr << "tarvos-cli edit: " << action << ": " << leftOut
                          << " row(s) past the last channel left out\n";
        } catch (const BadAction& bad) {
            std::cerr << "tarvos-cli edit: " << action << ": " << bad.message << "\n";
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "tarvos-cli edit: " << action << ": " << e.what() << "\n";
            return 2;
        }
    }
    player.beforeSave();
    if (!doc->SaveAsFile(out)) return SaveFailed(*doc, "edit", out);
    return 0;
}

}  // namespace tarvos::cli
