#pragma once
// A copy of every successful read from a radio, kept so that a radio overwritten by mistake
// can be put back: Data/backups/YYYYMMDD-HHMMSS.dat in the application folder, in the
// data-file layout, the image exactly as the read delivered it (before any editor has looked
// at it). A second read within the same second gets "-2", "-3", ... after the time, so no
// backup is ever overwritten; only the newest kBackupsKept are kept.
//
// A backup is a convenience, never a condition: one that cannot be written is logged and the
// read it belongs to counts as done all the same.

#include <ctime>
#include <filesystem>
#include <string>

#include "memory/image.h"

namespace tarvos {

class ErrorLog;

inline constexpr const char* kBackupFolderName = "backups";  // below the data folder
inline constexpr int kBackupsKept = 50;

// A time as the local clock shows it, for naming files.
std::tm LocalTime(std::time_t t);

// "20240131-235959.dat" for the first read of that second (sequence 1), then
// "20240131-235959-2.dat" and so on.
std::string BackupFileName(const std::tm& local, int sequence);

// Writes the backup of image into folder (created when missing), named after `now` in local
// time, and removes the oldest backups beyond `kept`. Files in the folder that are not named
// as backups are left alone. Returns the file written; empty when it could not be written
// (logged as "frmCommun->SaveReadBackup").
std::filesystem::path SaveReadBackup(const std::filesystem::path& folder, const ByteImage& image,
                                     ErrorLog& log, std::time_t now, int kept = kBackupsKept);

// Removes the oldest backups in folder beyond the newest `kept`, by the time and sequence in
// their names; `newest`, when given, is counted as kept whatever its name says.
void PruneBackups(const std::filesystem::path& folder, int kept,
                  const std::filesystem::path& newest = {});

}  // namespace tarvos
