#include "base/settings_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "base/safe_save.h"

namespace tarvos {

// The file as lines, with how it was written so a rewrite keeps its look: a UTF-8 byte order
// mark, and CR LF or a lone LF at the line ends (the first line end decides).
struct SettingsFile::Lines {
    std::vector<std::string> lines;
    bool exists = false;
    bool readable = true;
    bool bom = false;
    std::string eol = "\r\n";
    // In a snapshot, which no write changes: every key's first value by section and key
    // (both folded to lower case), so a batch of reads does not scan the file for each.
    std::unordered_map<std::string, std::string_view> index;
};

namespace {

std::string_view Trim(std::string_view s) {
    const char* blanks = " \t\r\n";
    auto b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    auto e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

using FileLines = SettingsFile::Lines;

FileLines ParseLines(std::istream& in, FileLines f) {
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (first && !in.eof()) f.eol = (!line.empty() && line.back() == '\r') ? "\r\n" : "\n";
        first = false;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        f.lines.push_back(line);
    }
    if (in.bad()) f.readable = false;
    // A UTF-8 byte order mark is not part of the first line's text.
    if (!f.lines.empty() && f.lines[0].rfind("\xEF\xBB\xBF", 0) == 0) {
        f.lines[0].erase(0, 3);
        f.bom = true;
    }
    return f;
}

FileLines ReadLines(const std::filesystem::path& path) {
    FileLines f;
    std::error_code ec;
    f.exists = std::filesystem::exists(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        f.readable = !f.exists;
        return f;
    }
    return ParseLines(in, f);
}

// A "[name]" line: true with the name between the brackets; false for any other line.
bool SectionName(std::string_view line, std::string_view* name) {
    auto t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    auto close = t.find(']');
    if (close == std::string_view::npos) return false;
    *name = Trim(t.substr(1, close - 1));
    return true;
}

// A "key=value" line; comments (';' or '#') are not keys.
bool KeyValue(std::string_view line, std::string_view* key, std::string_view* value) {
    auto t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#') return false;
    auto eq = t.find('=');
    if (eq == std::string_view::npos) return false;
    *key = Trim(t.substr(0, eq));
    *value = t.substr(eq + 1);
    return true;
}

// Keeps at most n characters of a UTF-8 text (a character is a code point, so a Chinese font
// name is cut where a user would count, never inside a character).
std::string_view CutUtf8(std::string_view s, size_t n) {
    size_t chars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
        if (chars++ == n) return s.substr(0, i);
    }
    return s;
}

// The value is read into a buffer of readLength characters: at most readLength - 1 of them
// survive, then surrounding blanks go. Quotes around a value are not part of it and keep the
// blanks inside them.
std::string Cut(std::string_view value, int readLength) {
    const size_t room = readLength > 1 ? static_cast<size_t>(readLength - 1) : 0;
    std::string_view trimmed = Trim(value);
    if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') &&
        trimmed.back() == trimmed.front())
        return std::string(CutUtf8(trimmed.substr(1, trimmed.size() - 2), room));
    return std::string(Trim(CutUtf8(trimmed, room)));
}

// One line of the file per value: a line break inside a value would start a key of its own.
std::string_view FirstLine(std::string_view s) {
    return s.substr(0, s.find_first_of("\r\n"));
}

std::string Folded(std::string_view section, std::string_view key) {
    std::string folded;
    folded.reserve(section.size() + key.size() + 1);
    for (unsigned char c : section) folded += static_cast<char>(std::tolower(c));
    folded += '\n';  // no name holds a line break
    for (unsigned char c : key) folded += static_cast<char>(std::tolower(c));
    return folded;
}

// Every "key=value" line inside a section, in file order, with its section's name, until
// `visit` returns true. Keys before the first section belong to none and are not visited.
template <class Visit>
void EachKey(const FileLines& f, Visit&& visit) {
    std::string_view section;
    bool inSection = false;
    for (const auto& line : f.lines) {
        std::string_view name, k, v;
        if (SectionName(line, &name)) {
            section = name;
            inSection = true;
        } else if (inSection && KeyValue(line, &k, &v) && visit(section, k, v)) {
            return;
        }
    }
}

// Each key's first value, as a scan of the lines finds it.
void Index(FileLines& f) {
    EachKey(f, [&f](std::string_view section, std::string_view k, std::string_view v) {
        f.index.emplace(Folded(section, k), v);
        return false;
    });
}

// Lines no write will change, with their index (made again: a copied index would point into
// the lines it was copied from).
std::shared_ptr<FileLines> Frozen(FileLines lines) {
    lines.index.clear();
    auto frozen = std::make_shared<FileLines>(std::move(lines));
    Index(*frozen);
    return frozen;
}

}  // namespace

SettingsFile SettingsFile::FromText(std::string_view text) {
    SettingsFile file({});
    std::istringstream in{std::string(text)};
    file.frozen_ = Frozen(ParseLines(in, Lines{}));
    return file;
}

SettingsFile SettingsFile::snapshot() const {
    SettingsFile copy(path_);
    copy.frozen_ = Frozen(frozen_ ? *frozen_ : ReadLines(path_));
    return copy;
}

std::string SettingsFile::read(std::string_view section, std::string_view key, std::string_view def,
                               int readLength) const {
    std::string_view value = def;
    if (frozen_) {
        auto it = frozen_->index.find(Folded(section, key));
        if (it != frozen_->index.end()) value = it->second;
        return Cut(value, readLength);
    }
    const FileLines file = ReadLines(path_);
    EachKey(file, [&](std::string_view s, std::string_view k, std::string_view v) {
        if (!SameName(s, section) || !SameName(k, key)) return false;
        value = v;
        return true;
    });
    return Cut(value, readLength);
}

bool SettingsFile::write(std::string_view section, std::string_view key,
                         std::string_view value) const {
    if (path_.empty()) return false;  // a text held in memory has no file to write
    auto file = ReadLines(path_);
    // A file that is there but cannot be read would otherwise be replaced by this one key.
    if (!file.readable) return false;
    auto& lines = file.lines;
    const std::string entry = std::string(key) + "=" + std::string(FirstLine(value));

    // A new key goes after the last key of its section, so comments and blank lines that
    // lead into the next section stay with it.
    long lastInSection = -1;
    bool done = false;
    bool inSection = false;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        std::string_view name, k, v;
        if (SectionName(lines[i], &name)) {
            if (inSection) break;  // the section ended without the key
            inSection = SameName(name, section);
            if (inSection) lastInSection = static_cast<long>(i);
        } else if (inSection && KeyValue(lines[i], &k, &v)) {
            if (SameName(k, key)) {
                lines[i] = entry;
                done = true;
            } else {
                lastInSection = static_cast<long>(i);
            }
        }
    }
    if (!done) {
        if (lastInSection >= 0) {
            lines.insert(lines.begin() + lastInSection + 1, entry);
        } else {
            if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        }
    }

    std::string text = file.bom ? "\xEF\xBB\xBF" : "";
    for (const auto& line : lines) text += line + file.eol;
    // Saved as every file is: an interrupted write keeps the old file, a link stays a link.
    if (SaveFileSafely(path_, text)) return false;
    if (frozen_) {
        *frozen_ = ReadLines(path_);
        Index(*frozen_);
    }
    return true;
}

}  // namespace tarvos
