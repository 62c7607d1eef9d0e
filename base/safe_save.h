#pragma once
// Saving a file so that nothing is ever lost or half-written: the bytes go into a new file
// beside the target, under a name no one can predict, created exclusively (a link planted
// there is never followed), and that file is renamed over the target only once every byte is
// on the disk. Every failure (a full disk, a file-size limit, a refused rename) removes the
// new file and leaves the target as it was.
//
// The target keeps what the user made of it: its permissions (and owner, where allowed), and
// a symbolic link stays a link while the file it leads to is replaced. A target that exists
// but is no regular file (a FIFO, a device, a folder, or a link to one) is refused without
// writing anything, as is a file without write permission.
//
// Data files, channel lists, read backups and the settings file are all saved this way.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "base/file_error.h"

namespace tarvos {

enum class SaveMode {
    Replace,    // an existing file is replaced
    CreateNew,  // an existing file (or link) is kept and the save refused (sysErrno EEXIST)
};

// Writes bytes to path safely; nothing when done, else why not.
std::optional<FileError> SaveFileSafely(const std::filesystem::path& path,
                                        std::span<const uint8_t> bytes,
                                        SaveMode mode = SaveMode::Replace);
std::optional<FileError> SaveFileSafely(const std::filesystem::path& path, std::string_view text,
                                        SaveMode mode = SaveMode::Replace);

// The file a save to path writes: path itself, or the end of its chain of symbolic links.
// A chain that loops (or is longer than 40 links) is an error.
std::optional<FileError> SaveTarget(const std::filesystem::path& path,
                                    std::filesystem::path& target);

}  // namespace tarvos
