#include "document/csv_reader.h"

#include <cstring>

namespace tarvos {

bool CsvReader::get(char& c) {
    if (pos_ == end_) {
        in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        end_ = static_cast<size_t>(in_.gcount());
        pos_ = 0;
        if (end_ == 0) return false;
    }
    c = buffer_[pos_++];
    return true;
}

void CsvReader::append(CsvRecord& record, std::string& field, char c) {
    // Past the longest record nothing more is kept; the record is read to its end all the same.
    if (++recordBytes_ > kLongestCsvRecord) {
        if (record.broken.empty())
            record.broken =
                "the row is longer than " + std::to_string(kLongestCsvRecord) + " bytes";
        return;
    }
    field += c;
}

bool CsvReader::next(CsvRecord& record) {
    if (!started_) {
        started_ = true;
        // A UTF-8 byte-order mark before the first field is no part of it. The first read
        // fills the buffer, so a mark the text has is whole in it.
        char c;
        if (get(c)) {
            unget();
            if (end_ - pos_ >= 3 && std::memcmp(&buffer_[pos_], "\xEF\xBB\xBF", 3) == 0) pos_ += 3;
        }
    }
    while (true) {
        record = CsvRecord{};
        record.firstLine = line_;
        recordBytes_ = 0;
        std::string field;
        bool quoted = false;     // inside quotes
        bool quoteSeen = false;  // just after a quote inside quotes: closing or doubled
        bool any = false;        // the record holds something besides blanks
        bool more = false;       // a character was read for this record
        long quoteLine = 0;      // where the open quote opened
        bool quoteSpansLines = false;
        bool prevCr = false;
        auto endField = [&] {
            record.fields.push_back(std::move(field));
            field.clear();
        };
        char c;
        bool ended = false;
        while (get(c)) {
            more = true;
            const bool lf = c == '\n', cr = c == '\r';
            if (quoteSeen) {
                quoteSeen = false;
                if (c == '"') {
                    append(record, field, '"');
                    prevCr = false;
                    continue;
                }
                quoted = false;
                if (c != ',' && !lf && !cr && quoteSpansLines && record.broken.empty())
                    record.broken = "a quote opened on line " + std::to_string(quoteLine) +
                                    " closes inside a field of line " + std::to_string(line_);
            }
            if (quoted) {
                if (c == '"') {
                    quoteSeen = true;
                } else {
                    if (lf || cr) {
                        if (!(lf && prevCr)) ++line_;
                        quoteSpansLines = true;
                    }
                    append(record, field, c);
                }
                prevCr = cr;
                continue;
            }
            if (c == '"') {
                quoted = true;
                any = true;
                quoteLine = line_;
                quoteSpansLines = false;
            } else if (c == ',') {
                endField();
                any = true;
            } else if (lf || cr) {
                if (cr) {
                    char n;
                    if (get(n) && n != '\n') unget();
                }
                record.lastLine = line_;
                ++line_;
                ended = true;
                break;
            } else {
                append(record, field, c);
                if (c != ' ' && c != '\t') any = true;
            }
            prevCr = false;
        }
        if (!ended) {
            if (!more) return false;
            record.lastLine = line_;
            if (quoted && !quoteSeen && record.broken.empty())
                record.broken =
                    "a quote opened on line " + std::to_string(quoteLine) + " is never closed";
        }
        if (!any && record.broken.empty()) {
            if (!ended) return false;
            continue;  // a blank line
        }
        endField();
        return true;
    }
}

}  // namespace tarvos
