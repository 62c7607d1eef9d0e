// Build-time tool for the installation data.
//
//   mkdata image OUT SOURCE   turns a readable image source into a 1040-byte data file
//   mkdata embed OUT.cpp NAME=PATH...   writes the files as C++ arrays for tarvos_data
//
// Image source syntax (addresses are radio addresses, i.e. image layout):
//   # comment             to the end of the line
//   include FILE          another source, relative to this one
//   fill XX               every byte of 0x0000-0x03FF becomes XX
//   @ADDR                 moves the cursor (hexadecimal)
//   XX                    one byte (two hexadecimal digits) at the cursor
//   "text"                ASCII bytes at the cursor
//   freq MHZ              a frequency as the channel records store it: 8 BCD digits of the
//                         value in 10 Hz units, least significant pair first; "none" = FF x4
//   tone NAME             a tone as a 16-bit little-endian code: "67.0", "D023N", "D023I",
//                         "none" = FF FF
// Writing a byte twice is an error unless the second write comes from a later "@" block of
// a file that included the first (an overlay), so a typo cannot silently hide a field.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kImageSize = 0x400;
constexpr int kFileSize = 1040;

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    std::cerr << "mkdata: " << where << ": " << what << "\n";
    std::exit(1);
}

struct Image {
    std::array<uint8_t, kImageSize> bytes{};
    std::array<int, kImageSize> writer{};  // depth of the file that wrote the byte, 0 = none
};

int ParseHex(const std::string& token, const std::string& where) {
    char* end = nullptr;
    long v = std::strtol(token.c_str(), &end, 16);
    if (token.empty() || *end != '\0' || v < 0) Fail(where, "not hexadecimal: " + token);
    return static_cast<int>(v);
}

std::vector<uint8_t> FreqBytes(const std::string& mhz, const std::string& where) {
    if (mhz == "none") return {0xFF, 0xFF, 0xFF, 0xFF};
    const auto dot = mhz.find('.');
    std::string whole = mhz.substr(0, dot);
    std::string frac = dot == std::string::npos ? "" : mhz.substr(dot + 1);
    if (frac.size() > 5) Fail(where, "more than five decimals: " + mhz);
    frac.resize(5, '0');
    std::string digits = whole + frac;
    while (digits.size() < 8) digits.insert(0, "0");
    if (digits.size() != 8 || digits.find_first_not_of("0123456789") != std::string::npos)
        Fail(where, "not a frequency: " + mhz);
    std::vector<uint8_t> out(4);
    for (int k = 0; k < 4; ++k)  // pair k from the left goes to offset 3 - k
        out[static_cast<size_t>(3 - k)] =
            static_cast<uint8_t>((digits[2 * k] - '0') * 16 + (digits[2 * k + 1] - '0'));
    return out;
}

std::vector<uint8_t> ToneBytes(const std::string& name, const std::string& where) {
    int v = -1;
    if (name == "none") {
        v = 0xFFFF;
    } else if (name.size() == 5 && name[0] == 'D' && (name[4] == 'N' || name[4] == 'I')) {
        int octal = 0;
        for (int i = 1; i <= 3; ++i) {
            if (name[static_cast<size_t>(i)] < '0' || name[static_cast<size_t>(i)] > '7')
                Fail(where, "not a DCS code: " + name);
            octal = octal * 8 + (name[static_cast<size_t>(i)] - '0');
        }
        v = (name[4] == 'N' ? 0x2800 : 0xA800) + octal;
    } else {
        const auto dot = name.find('.');
        if (dot == std::string::npos || dot + 2 != name.size()) Fail(where, "not a tone: " + name);
        v = std::atoi(name.substr(0, dot).c_str()) * 10 + (name[dot + 1] - '0');
        if (v < 600 || v > 2650) Fail(where, "CTCSS tone out of range: " + name);
    }
    return {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8)};
}

void Load(const fs::path& path, Image& image, int depth) {
    std::ifstream in(path);
    if (!in) Fail(path.string(), "cannot open");
    int cursor = -1;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = path.filename().string() + ":" + std::to_string(lineNo);
        // Strip the comment, but not a '#' inside a quoted text.
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') quoted = !quoted;
            if (line[i] == '#' && !quoted) {
                line.erase(i);
                break;
            }
        }
        std::istringstream words(line);
        std::string w;
        auto put = [&](const std::vector<uint8_t>& bytes) {
            for (uint8_t b : bytes) {
                if (cursor < 0 || cursor >= kImageSize) Fail(where, "outside 0000-03FF");
                const auto at = static_cast<size_t>(cursor);
                if (image.writer[at] == depth)
                    Fail(where, "byte written twice: " + std::to_string(cursor));
                image.bytes[at] = b;
                image.writer[at] = depth;
                ++cursor;
            }
        };
        while (words >> w) {
            if (w == "include") {
                std::string file;
                words >> file;
                Load(path.parent_path() / file, image, depth + 1);
            } else if (w == "fill") {
                std::string v;
                words >> v;
                image.bytes.fill(static_cast<uint8_t>(ParseHex(v, where)));
            } else if (w[0] == '@') {
                cursor = ParseHex(w.substr(1), where);
            } else if (w == "freq" || w == "tone") {
                std::string v;
                words >> v;
                put(w == "freq" ? FreqBytes(v, where) : ToneBytes(v, where));
            } else if (w[0] == '"') {
                std::string text = line.substr(line.find('"') + 1);
                const auto close = text.find('"');
                if (close == std::string::npos) Fail(where, "unterminated text");
                text.resize(close);
                put(std::vector<uint8_t>(text.begin(), text.end()));
                // Skip the rest of the quoted text in the word stream.
                std::string rest = line.substr(line.find('"') + 1 + close + 1);
                words.str(rest);
                words.clear();
            } else {
                if (w.size() != 2) Fail(where, "expected a byte: " + w);
                put({static_cast<uint8_t>(ParseHex(w, where))});
            }
        }
    }
}

int MakeImage(const fs::path& out, const fs::path& source) {
    Image image;
    // The outermost source is depth 1; files it includes are deeper, so its own lines may
    // overlay what they wrote.
    Load(source, image, 1);
    // Data-file layout: bytes 0-15 as the image, 16-31 filler, then image 0x0010-0x03FF.
    std::vector<uint8_t> file(kFileSize, 0xFF);
    for (int i = 0; i < 16; ++i) file[static_cast<size_t>(i)] = image.bytes[static_cast<size_t>(i)];
    for (int a = 0x10; a < kImageSize; ++a)
        file[static_cast<size_t>(a + 16)] = image.bytes[static_cast<size_t>(a)];
    std::ofstream o(out, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!o) Fail(out.string(), "cannot write");
    return 0;
}

int Embed(const fs::path& out, int argc, char** argv) {
    std::ostringstream cpp;
    cpp << "// Generated by mkdata from the files in data/; do not edit.\n"
           "#include <cstdint>\n#include <string_view>\n\nnamespace tarvos::shipped {\n\n";
    std::vector<std::string> names;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        const auto eq = arg.find('=');
        if (eq == std::string::npos) Fail(arg, "expected NAME=PATH");
        std::ifstream in(arg.substr(eq + 1), std::ios::binary);
        if (!in) Fail(arg, "cannot open");
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        cpp << "static const uint8_t kFile" << i << "[] = {";
        for (size_t k = 0; k < bytes.size(); ++k) {
            if (k % 16 == 0) cpp << "\n   ";
            cpp << " " << static_cast<int>(static_cast<unsigned char>(bytes[k])) << ",";
        }
        if (bytes.empty()) cpp << "0";
        cpp << "\n};\n";
        names.push_back(arg.substr(0, eq));
        cpp << "static const unsigned long kSize" << i << " = " << bytes.size() << ";\n\n";
    }
    cpp << "struct Entry { std::string_view name; const uint8_t* data; unsigned long size; };\n";
    cpp << "extern const Entry kEntries[];\nextern const int kEntryCount;\n";
    cpp << "const Entry kEntries[] = {\n";
    for (size_t i = 0; i < names.size(); ++i)
        cpp << "    {\"" << names[i] << "\", kFile" << i << ", kSize" << i << "},\n";
    if (names.empty()) cpp << "    {\"\", nullptr, 0},\n";
    cpp << "};\nconst int kEntryCount = " << names.size()
        << ";\n\n}  // namespace tarvos::shipped\n";
    std::ofstream o(out, std::ios::trunc);
    o << cpp.str();
    if (!o) Fail(out.string(), "cannot write");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "image" && argc == 4)
        return MakeImage(argv[2], argv[3]);
    if (argc >= 3 && std::string(argv[1]) == "embed") return Embed(argv[2], argc - 3, argv + 3);
    std::cerr << "usage: mkdata image OUT SOURCE | mkdata embed OUT.cpp NAME=PATH...\n";
    return 2;
}
