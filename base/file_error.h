#pragma once
// Why a file could not be read or saved, in words a user can act on.

#include <filesystem>
#include <string>

#include "base/failure.h"

namespace tarvos {

struct FileError {
    int number = err::PathFileAccess;  // the failure number of the error table
    int sysErrno = 0;                  // the system's error, 0 when the refusal is our own
    std::string message;               // one English line: the file and the reason

    // The same as a Failure, for code that reports through the error log.
    [[noreturn]] void raise() const { Raise(number, message); }
};

// The failure number of the error table for a system error (ENOENT, ENOSPC, EACCES, ...).
int FailureNumberOf(int sysErrno, bool reading);
// "cannot open FILE: No such file or directory": the action, the file and the system's reason.
FileError SystemFileError(const std::string& action, const std::filesystem::path& path,
                          int sysErrno, bool reading);
// The kind of a file that is not a regular one ("a FIFO", "a device", "a folder"); empty for
// a regular file.
std::string NotRegularKind(unsigned mode);

}  // namespace tarvos
