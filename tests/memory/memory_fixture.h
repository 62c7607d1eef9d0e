#pragma once
// Shared pieces of the memory tests: a recording error log, the shipped files from the
// build, and small helpers for channel records.

#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/safe_save.h"
#include "memory/data_file.h"
#include "memory/image.h"

namespace tarvos::test {

inline std::filesystem::path BuiltData(const std::string& name) {
    return std::filesystem::path(TARVOS_BINARY_DIR) / "data" / name;
}

inline std::filesystem::path SourceData(const std::string& name) {
    return std::filesystem::path(TARVOS_SOURCE_DIR) / "data" / name;
}

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("tarvos-memory-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

struct Logged {
    RecordingSink sink;
    ErrorLog log{&sink};
    std::vector<std::string> locations() const { return sink.locations(); }
};

// An image loaded from a shipped image file (image layout).
inline ByteImage ShippedImage(const std::string& name) {
    ByteImage image;
    Logged l;
    if (!OpenDatFile(BuiltData(name), image, l.log))
        throw std::runtime_error("cannot open " + name);
    return image;
}

inline std::vector<uint8_t> FileBytes(const std::filesystem::path& p) {
    auto b = ReadFileBytes(p, 1 << 20);
    return b ? *b : std::vector<uint8_t>{};
}

inline void WriteBytes(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
    if (auto e = SaveFileSafely(p, bytes)) throw std::runtime_error(e->message);
}

}  // namespace tarvos::test
