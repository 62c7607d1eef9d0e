#pragma once
// The settings file "tarvosk.def": an INI file read key by key with a default and a read
// length (a value is trimmed of surrounding blanks and cut to length - 1 characters), and
// written one key at a time. Writing creates the file and the section when missing and
// leaves every other key, comment and the order of the file as they were. UTF-8 text.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tarvos {

class SettingsFile {
  public:
    explicit SettingsFile(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& path() const { return path_; }

    std::string read(std::string_view section, std::string_view key, std::string_view def,
                     int readLength) const;
    // Returns false when the file could not be written (a failed write is not reported).
    bool write(std::string_view section, std::string_view key, std::string_view value) const;

    // Settings read from a text (the copy built into the program), not from a file. Its
    // writes fail: there is nothing to write to.
    static SettingsFile FromText(std::string_view text);

    // A copy that reads the file once, now, and answers every read from that: for reading
    // many keys in one go. Its writes still go to the file, and it then reads it again.
    SettingsFile snapshot() const;

    struct Lines;  // the file's text as lines (defined with the reader)

  private:
    std::filesystem::path path_;
    std::shared_ptr<Lines> frozen_;  // set in a snapshot
};

}  // namespace tarvos
