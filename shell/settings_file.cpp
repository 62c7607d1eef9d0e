#include "shell/settings_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace tarvos {

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

std::vector<std::string> ReadLines(const std::filesystem::path& path, bool* exists) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    *exists = static_cast<bool>(in);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    // A UTF-8 byte order mark is not part of the first line's text.
    if (!lines.empty() && lines[0].rfind("\xEF\xBB\xBF", 0) == 0) lines[0].erase(0, 3);
    return lines;
}

// "[name]" gives name; anything else gives nullopt-like empty with ok=false.
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

// Cuts a UTF-8 text to at most n bytes without splitting a character.
std::string CutUtf8(std::string_view s, size_t n) {
    if (s.size() <= n) return std::string(s);
    size_t cut = n;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    return std::string(s.substr(0, cut));
}

}  // namespace

std::string SettingsFile::read(std::string_view section, std::string_view key,
                               std::string_view def, int readLength) const {
    bool exists = false;
    auto lines = ReadLines(path_, &exists);
    std::string_view value = def;
    bool inSection = false;
    for (const auto& line : lines) {
        std::string_view name, k, v;
        if (SectionName(line, &name)) {
            inSection = SameName(name, section);
        } else if (inSection && KeyValue(line, &k, &v) && SameName(k, key)) {
            value = v;
            break;
        }
    }
    // The value is read into a buffer of readLength characters: at most readLength - 1
    // of them survive, then surrounding blanks go.
    const size_t room = readLength > 1 ? static_cast<size_t>(readLength - 1) : 0;
    std::string trimmed(Trim(value));
    if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') &&
        trimmed.back() == trimmed.front())
        trimmed = trimmed.substr(1, trimmed.size() - 2);
    return std::string(Trim(CutUtf8(trimmed, room)));
}

bool SettingsFile::write(std::string_view section, std::string_view key,
                         std::string_view value) const {
    bool exists = false;
    auto lines = ReadLines(path_, &exists);
    const std::string entry = std::string(key) + "=" + std::string(value);

    long sectionLine = -1, lastInSection = -1;
    bool done = false;
    bool inSection = false;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        std::string_view name, k, v;
        if (SectionName(lines[i], &name)) {
            if (inSection) break;  // the section ended without the key
            inSection = SameName(name, section);
            if (inSection) sectionLine = lastInSection = static_cast<long>(i);
        } else if (inSection) {
            if (KeyValue(lines[i], &k, &v) && SameName(k, key)) {
                lines[i] = entry;
                done = true;
            } else if (!Trim(lines[i]).empty()) {
                lastInSection = static_cast<long>(i);
            }
        }
    }
    if (!done) {
        if (sectionLine >= 0) {
            lines.insert(lines.begin() + lastInSection + 1, entry);
        } else {
            if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        }
    }

    std::ostringstream text;
    for (const auto& line : lines) text << line << "\r\n";
    // Write beside the file and rename over it, so an interrupted write keeps the old file.
    std::error_code ec;
    auto tmp = path_;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text.str();
        if (!out.flush()) return false;
    }
    std::filesystem::rename(tmp, path_, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

}  // namespace tarvos
