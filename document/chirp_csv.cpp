#include "document/chirp_csv.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>

#include "base/printable_text.h"
#include "document/channel_editor.h"
#include "document/csv_reader.h"
#include "document/radio_document.h"

namespace tarvos {

namespace {

constexpr const char* kEol = "\r\n";

// --- Text helpers -------------------------------------------------------------------------

std::string_view Trim(std::string_view s) {
    const char* blanks = " \t\r\n";
    const auto b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    return Lower(Trim(a)) == Lower(Trim(b));
}

// MHz with six decimals from 10 Hz units: 44612500 -> "446.125000".
std::string Mhz6(int64_t tenHz) {
    std::string frac = std::to_string(tenHz % 100000);
    frac.insert(0, 5 - frac.size(), '0');
    return std::to_string(tenHz / 100000) + "." + frac + "0";
}

// The highest frequency of eight digits, 999.99999 MHz.
constexpr int64_t kLargestFrequency = 99999999;

// A decimal number of MHz as 10 Hz units, rounded to the nearest unit (halves up). Exact:
// the digits are read as digits, so no binary fraction creeps in. A number of more than
// kTooManyMhz MHz is read as kTooManyMhz MHz, which fits no radio's eight frequency digits
// either. nullopt for anything that is not a plain non-negative decimal number.
constexpr int64_t kTooManyMhz = 100000;
std::optional<int64_t> TenHzOfMhz(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return std::nullopt;
    int64_t whole = 0;
    size_t i = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        whole = std::min(whole * 10 + (text[i] - '0'), kTooManyMhz);
        digits = true;
    }
    int64_t frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            digits = true;
            if (fracDigits < 5) {
                frac = frac * 10 + (text[i] - '0');
                ++fracDigits;
            } else if (fracDigits == 5) {
                roundUp = text[i] >= '5';
                ++fracDigits;
            }
        }
    }
    if (!digits || i != text.size()) return std::nullopt;
    for (; fracDigits < 5; ++fracDigits) frac *= 10;
    return whole * 100000 + frac + (roundUp ? 1 : 0);
}

// A tone in hertz as tenths ("88.5", "88.50" -> 885); nullopt when it is not a number.
std::optional<int> TenthsOfHz(std::string_view text) {
    const auto v = TenHzOfMhz(text);  // the same decimal reading, 5 places
    if (!v) return std::nullopt;
    return static_cast<int>((*v + 5000) / 10000);
}

// --- Tones ------------------------------------------------------------------------------------

bool IsCtcss(const std::string& name) {
    return name.find('.') != std::string::npos;
}
bool IsDcs(const std::string& name) {
    return name.size() == 5 && name[0] == 'D';
}
std::string DcsCode(const std::string& name) {
    return name.substr(1, 3);
}
char DcsPolarity(const std::string& name) {
    return name[4] == 'I' ? 'R' : 'N';
}

// The tone list's CTCSS name for a value in hertz; "" when the list has none.
std::string CtcssNamed(std::string_view value) {
    const auto tenths = TenthsOfHz(value);
    if (!tenths) return {};
    for (std::string_view t : kCtcssTones)
        if (TenthsOfHz(t) == tenths) return std::string(t);
    return {};
}

// The tone list's DCS name for a code ("23", "023") and polarity ('N' or 'R'); "" when the
// list has none.
std::string DcsNamed(std::string_view code, char polarity) {
    code = Trim(code);
    if (code.empty() || code.size() > 3) return {};
    for (char c : code)
        if (c < '0' || c > '9') return {};
    std::string digits(3 - code.size(), '0');
    digits += code;
    if (std::find(kDcsCodes.begin(), kDcsCodes.end(), digits) == kDcsCodes.end()) return {};
    return "D" + digits + (polarity == 'R' ? "I" : "N");
}

// --- CSV --------------------------------------------------------------------------------------

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

// --- Export -----------------------------------------------------------------------------------

std::vector<ChirpChannel> ChirpChannelsOf(const RadioDocument& doc) {
    std::vector<ChirpChannel> out;
    const std::string& none = doc.toneList().NoneText();
    auto tone = [&](const std::string& t) { return t == none ? std::string() : t; };
    const int count = std::min(doc.layout().channelCount, kMaxChannelCount);
    for (int n = 1; n <= count; ++n) {
        if (doc.chInfo().empty(n)) continue;
        ChirpChannel c;
        c.location = n;
        c.rx = doc.chInfo()(n, chf::RxFre);
        c.tx = doc.chInfo()(n, chf::TxFre);
        c.decodeTone = tone(doc.toneText().decode(n));
        // A channel without transmit sends no tone.
        c.encodeTone = c.tx == -1 ? std::string() : tone(doc.toneText().encode(n));
        c.wide = doc.chInfo()(n, chf::Wide) == 1;
        c.scan = doc.chInfo()(n, chf::Scan) == 1;
        c.high = doc.chInfo()(n, chf::Power) == 1;
        out.push_back(c);
    }
    return out;
}

std::string ChirpCsvText(const std::vector<ChirpChannel>& channels) {
    std::string out;
    for (size_t i = 0; i < kChirpColumns.size(); ++i)
        out += (i ? "," : "") + std::string(kChirpColumns[i]);
    out += kEol;
    for (const ChirpChannel& c : channels) {
        std::map<std::string_view, std::string> f{
            {"rToneFreq", "88.5"},  {"cToneFreq", "88.5"}, {"DtcsCode", "023"},
            {"DtcsPolarity", "NN"}, {"RxDtcsCode", "023"}, {"CrossMode", "Tone->Tone"},
            {"TStep", "5.00"}};
        f["Location"] = std::to_string(c.location);
        f["Frequency"] = Mhz6(c.rx);
        if (c.tx == -1) {
            f["Duplex"] = "off";
            f["Offset"] = Mhz6(0);
        } else {
            f["Duplex"] = c.tx == c.rx ? "" : c.tx > c.rx ? "+" : "-";
            f["Offset"] = Mhz6(c.tx > c.rx ? c.tx - c.rx : c.rx - c.tx);
        }
        const std::string& t = c.encodeTone;
        const std::string& r = c.decodeTone;
        if (t.empty() && r.empty()) {
            f["Tone"] = "";
        } else if (IsCtcss(t) && r.empty()) {
            f["Tone"] = "Tone";
            f["rToneFreq"] = t;
        } else if (IsCtcss(t) && t == r) {
            f["Tone"] = "TSQL";
            f["cToneFreq"] = t;
        } else if (IsDcs(t) && IsDcs(r) && DcsCode(t) == DcsCode(r)) {
            f["Tone"] = "DTCS";
            f["DtcsCode"] = DcsCode(t);
            f["DtcsPolarity"] = std::string{DcsPolarity(t), DcsPolarity(r)};
        } else {
            auto side = [](const std::string& s) {
                return IsCtcss(s) ? "Tone" : IsDcs(s) ? "DTCS" : "";
            };
            f["Tone"] = "Cross";
            f["CrossMode"] = std::string(side(t)) + "->" + side(r);
            if (IsCtcss(t)) f["rToneFreq"] = t;
            if (IsCtcss(r)) f["cToneFreq"] = r;
            if (IsDcs(t)) f["DtcsCode"] = DcsCode(t);
            if (IsDcs(r)) f["RxDtcsCode"] = DcsCode(r);
            f["DtcsPolarity"] =
                std::string{IsDcs(t) ? DcsPolarity(t) : 'N', IsDcs(r) ? DcsPolarity(r) : 'N'};
        }
        f["Mode"] = c.wide ? "FM" : "NFM";
        f["Skip"] = c.scan ? "" : "S";
        f["Power"] = c.high ? "High" : "Low";
        for (size_t i = 0; i < kChirpColumns.size(); ++i)
            out += (i ? "," : "") + Quoted(f[kChirpColumns[i]]);
        out += kEol;
    }
    return out;
}

// --- Import -----------------------------------------------------------------------------------

namespace {

// One row's fields by column name, with CHIRP's defaults for the columns the file lacks and
// for the cells a hand-written file leaves empty.
struct Row {
    const std::vector<std::string>& fields;
    const std::map<std::string, size_t>& columns;

    std::string get(const char* column, const char* def = "") const {
        auto it = columns.find(Lower(column));
        if (it == columns.end() || it->second >= fields.size()) return def;
        const std::string_view value = Trim(fields[it->second]);
        return value.empty() ? def : std::string(value);
    }
};

bool LowPower(const std::string& power) {
    if (SameText(power, "Low") || SameText(power, "L")) return true;
    // A figure in watts: "1W", "0.5 W", "2.0".
    std::string number = Lower(power);
    if (!number.empty() && number.back() == 'w') number.pop_back();
    const auto tenthsMilliwatt = TenHzOfMhz(number);  // watts with five decimals
    return tenthsMilliwatt && *tenthsMilliwatt < 250000;
}

// The row as a channel, or the reason it cannot be one.
std::optional<ChirpChannel> Channel(const Row& row, int location, int32_t bandLow, int32_t bandHigh,
                                    std::string& why) {
    ChirpChannel c;
    c.location = location;
    const auto rx = TenHzOfMhz(row.get("Frequency"));
    if (!rx) {
        why = "the frequency '" + PrintableText(row.get("Frequency")) + "' is not a number of MHz";
        return std::nullopt;
    }
    const std::string duplex = Lower(row.get("Duplex"));
    const auto offset = TenHzOfMhz(row.get("Offset", "0"));
    bool transmit = true;  // false: no transmit (Duplex "off"), never a frequency of -1
    int64_t tx = *rx;
    if (duplex == "off") {
        transmit = false;
    } else if (duplex == "+" || duplex == "-" || duplex == "split") {
        if (!offset) {
            why = "the offset '" + PrintableText(row.get("Offset")) + "' is not a number of MHz";
            return std::nullopt;
        }
        tx = duplex == "split" ? *offset : duplex == "+" ? *rx + *offset : *rx - *offset;
    } else if (!duplex.empty()) {
        why = "the duplex '" + PrintableText(row.get("Duplex")) +
              "' is none of \"\", +, -, split, off";
        return std::nullopt;
    }
    // A frequency the grid's eight digits cannot hold lies outside every band; it is refused
    // before it is rounded, so it never wraps into the band.
    auto inBand = [&](int64_t f) {
        if (f < 0 || f > kLargestFrequency) return false;
        const int32_t typed = ModifyTxRxFre(f);
        return typed >= bandLow && typed <= bandHigh;
    };
    if (!inBand(*rx)) {
        why = "the frequency " + Mhz6(*rx) + " MHz is outside the band";
        return std::nullopt;
    }
    if (transmit && tx < 0) {
        why = "the transmit frequency would be below 0 MHz (" + Mhz6(*rx) + " - " + Mhz6(*offset) +
              ")";
        return std::nullopt;
    }
    if (transmit && !inBand(tx)) {
        why = "the transmit frequency " + Mhz6(tx) + " MHz is outside the band";
        return std::nullopt;
    }
    c.rx = ModifyTxRxFre(*rx);
    c.tx = transmit ? ModifyTxRxFre(tx) : -1;

    const std::string mode = Lower(row.get("Tone"));
    const std::string pol = row.get("DtcsPolarity", "NN");
    const char polT = pol.size() >= 1 && (pol[0] == 'R' || pol[0] == 'r') ? 'R' : 'N';
    const char polR = pol.size() >= 2 && (pol[1] == 'R' || pol[1] == 'r') ? 'R' : 'N';
    const std::string rTone = row.get("rToneFreq", "88.5"), cTone = row.get("cToneFreq", "88.5");
    const std::string txCode = row.get("DtcsCode", "023"), rxCode = row.get("RxDtcsCode", "023");
    std::string t, r;  // the names asked for; "?" when asked for but not in the list
    auto ctcss = [](const std::string& v) {
        const std::string n = CtcssNamed(v);
        return n.empty() ? std::string("?" + v) : n;
    };
    auto dcs = [](const std::string& v, char p) {
        const std::string n = DcsNamed(v, p);
        return n.empty() ? std::string("?D" + v) : n;
    };
    if (mode.empty()) {
    } else if (mode == "tone") {
        t = ctcss(rTone);
    } else if (mode == "tsql") {
        t = r = ctcss(cTone);
    } else if (mode == "dtcs") {
        t = dcs(txCode, polT);
        r = dcs(txCode, polR);
    } else if (mode == "cross") {
        const std::string cross = Lower(row.get("CrossMode", "Tone->Tone"));
        const auto arrow = cross.find("->");
        if (arrow == std::string::npos) {
            why = "the cross mode '" + PrintableText(row.get("CrossMode")) + "' is not known";
            return std::nullopt;
        }
        const std::string txSide = cross.substr(0, arrow), rxSide = cross.substr(arrow + 2);
        auto known = [](const std::string& s) { return s.empty() || s == "tone" || s == "dtcs"; };
        if (!known(txSide) || !known(rxSide) || (txSide.empty() && rxSide.empty())) {
            why = "the cross mode '" + PrintableText(row.get("CrossMode")) + "' is not known";
            return std::nullopt;
        }
        if (txSide == "tone") t = ctcss(rTone);
        if (txSide == "dtcs") t = dcs(txCode, polT);
        if (rxSide == "tone") r = ctcss(cTone);
        if (rxSide == "dtcs") r = dcs(rxCode, polR);
    } else {
        why = "the tone mode '" + PrintableText(row.get("Tone")) + "' is not one this radio has";
        return std::nullopt;
    }
    // Without transmit there is no transmit tone to check.
    if (c.tx == -1) t.clear();
    for (const std::string* tone : {&t, &r}) {
        if (!tone->empty() && (*tone)[0] == '?') {
            why = "the tone " + PrintableText(tone->substr(1)) + " is not in the tone list";
            return std::nullopt;
        }
    }
    c.encodeTone = t;
    c.decodeTone = r;
    const std::string m = Lower(row.get("Mode", "FM"));
    c.wide = !(m == "nfm" || m == "fmn");
    c.scan = !SameText(row.get("Skip"), "S");
    c.high = !LowPower(row.get("Power", "High"));
    return c;
}

}  // namespace

namespace {

// The rows not imported are named one by one up to this many; the rest are counted.
constexpr size_t kMostRowsNamed = 100;

std::string Lines(const CsvRecord& r) {
    return r.firstLine == r.lastLine
               ? "line " + std::to_string(r.firstLine)
               : "lines " + std::to_string(r.firstLine) + "-" + std::to_string(r.lastLine);
}

// The header's columns by their names in lower case; a name given twice keeps its first
// column and is named in warnings.
std::map<std::string, size_t> Columns(const std::vector<std::string>& header,
                                      std::vector<std::string>& warnings) {
    std::map<std::string, size_t> columns;
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string name = Lower(Trim(header[i]));
        if (name.empty()) continue;
        const auto [it, added] = columns.emplace(name, i);
        if (!added)
            warnings.push_back("the column '" + PrintableText(Trim(header[i])) +
                               "' is given twice (columns " + std::to_string(it->second + 1) +
                               " and " + std::to_string(i + 1) + "); the first is used");
    }
    return columns;
}

}  // namespace

ChirpImport ParseChirpCsv(std::istream& in, int32_t bandLow, int32_t bandHigh, int channelCount) {
    ChirpImport out;
    CsvReader reader(in);
    CsvRecord record;
    if (!reader.next(record) || !record.broken.empty()) return out;
    const std::map<std::string, size_t> columns = Columns(record.fields, out.warnings);
    if (!columns.count("location") || !columns.count("frequency")) return out;
    out.isCsv = true;

    // Only what locations 1..channelCount need is kept, whatever the length of the file.
    struct Kept {
        ChirpChannel channel;
        long line = 0;
        long rows = 0;  // rows imported for this location; the last one counts
    };
    std::map<int, Kept> byLocation;
    size_t unnamed = 0;
    auto skip = [&](std::string why) {
        if (out.skipped.size() < kMostRowsNamed)
            out.skipped.push_back(std::move(why));
        else
            ++unnamed;
    };
    while (reader.next(record)) {
        if (!record.broken.empty()) {
            skip(Lines(record) + ": " + record.broken + "; not imported");
            continue;
        }
        const Row row{record.fields, columns};
        const std::string where = row.get("Location");
        char* end = nullptr;
        const long location = std::strtol(where.c_str(), &end, 10);
        std::string why;
        if (where.empty() || *end != '\0') {
            why = "the location is not a channel number";
        } else if (location < 1 || location > channelCount) {
            why = "the radio has channels 1.." + std::to_string(channelCount) + " only";
        } else if (auto c = Channel(row, static_cast<int>(location), bandLow, bandHigh, why)) {
            Kept& kept = byLocation[c->location];
            kept = {*c, record.firstLine, kept.rows + 1};
            continue;
        }
        skip("location " + (where.empty() ? std::string("(empty)") : PrintableText(where)) + " (" +
             Lines(record) + "): " + why);
    }
    if (unnamed > 0)
        out.skipped.push_back("and " + std::to_string(unnamed) + " more rows not imported");
    for (auto& [location, kept] : byLocation) {
        out.channels.push_back(kept.channel);
        if (kept.rows > 1)
            out.warnings.push_back("location " + std::to_string(location) + " is given in " +
                                   std::to_string(kept.rows) + " rows; the last (line " +
                                   std::to_string(kept.line) + ") is used");
    }
    return out;
}

ChirpImport ParseChirpCsv(std::string_view text, int32_t bandLow, int32_t bandHigh,
                          int channelCount) {
    std::istringstream in{std::string(text)};
    return ParseChirpCsv(in, bandLow, bandHigh, channelCount);
}

void ImportChirpChannels(RadioDocument& doc, const std::vector<ChirpChannel>& channels) {
    ChannelEditor& editor = doc.channelEditor();
    if (editor.locked()) return;
    editor.Gesture([&] {
        for (const ChirpChannel& c : channels) {
            const int r = c.location;
            if (r < 1 || r > editor.rows()) continue;
            auto type = [&](int col, const std::string& text) {
                if (col > editor.cols() || editor.BeforeEdit(r, col).cancel) return;
                editor.AfterEdit(r, col, text, -1);
            };
            auto tone = [&](int col, const std::string& name) {
                if (col > editor.cols()) return;
                editor.Click(r, col);
                if (editor.openToneCell().col == 0) return;
                editor.SetToneBoxText(name.empty() ? doc.toneList().NoneText() : name);
                editor.LeaveToneBox();
            };
            auto pick = [&](int col, bool on) {
                if (col > editor.cols() || !editor.optionColumn(col)) return;
                const std::vector<std::string> items = editor.dropDownItems(col);
                const int value = on ? 1 : 0;
                if (value >= static_cast<int>(items.size()) || editor.BeforeEdit(r, col).cancel)
                    return;
                editor.AfterEdit(r, col, items[static_cast<size_t>(value)], value);
            };
            type(1, FrequencyText(c.rx));
            type(2, c.tx == -1 ? std::string() : FrequencyText(c.tx));
            // The decode tone first: the tone box copies it to the encode tone.
            tone(3, c.decodeTone);
            if (c.tx != -1) tone(4, c.encodeTone);
            pick(chf::Power, c.high);
            pick(chf::Wide, c.wide);
            pick(chf::Scan, c.scan);
        }
    });
}

}  // namespace tarvos
