#pragma once
// The records of a CSV text, read piece by piece from a stream: a file of any size takes no
// more memory than its longest row. Fields are split at commas; quotes around a field (with
// doubled quotes inside) are taken away; blank lines are left out. Each record knows the
// lines of the text it came from, so a row can be named by its line.
//
// A quoted field may run over several lines, as CSV allows. A quote that is never closed, or
// whose closing quote falls inside a later line's field, has swallowed the lines after the
// one it opened on: that record is marked broken and says so, naming the line the quote
// opened on. A record longer than kLongestCsvRecord is marked as well and kept short.

#include <array>
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace tarvos {

inline constexpr size_t kLongestCsvRecord = 64 * 1024;

struct CsvRecord {
    std::vector<std::string> fields;
    long firstLine = 0;  // 1 for the text's first line
    long lastLine = 0;
    std::string broken;  // why the record is no row to trust; empty for a sound one
};

class CsvReader {
  public:
    explicit CsvReader(std::istream& in) : in_(in) {}
    // The next record that is not blank; false at the end of the text.
    bool next(CsvRecord& record);

  private:
    bool get(char& c);
    void unget() { --pos_; }
    void append(CsvRecord& record, std::string& field, char c);

    std::istream& in_;
    std::array<char, 64 * 1024> buffer_{};
    size_t pos_ = 0, end_ = 0;
    long line_ = 1;
    bool started_ = false;  // the byte-order mark has been looked for
    size_t recordBytes_ = 0;
};

}  // namespace tarvos
