#pragma once
// Reading a file a user names: only a regular file (or a link to one) is read. A FIFO, a
// device or a folder is refused without opening it, since opening a FIFO would wait for a
// writer and a device may never end.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "base/file_error.h"

namespace tarvos {

// At most maxBytes of the file's first bytes into bytes; nothing when done, else why not
// ("cannot open X: No such file or directory").
std::optional<FileError> ReadRegularFile(const std::filesystem::path& path, size_t maxBytes,
                                         std::vector<uint8_t>& bytes);

// Opens the file as a binary stream for reading, after the same checks.
std::optional<FileError> OpenRegularFile(const std::filesystem::path& path, std::ifstream& in);

}  // namespace tarvos
