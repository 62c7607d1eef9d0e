#include "base/file_error.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace tarvos {

int FailureNumberOf(int sysErrno, bool reading) {
    switch (sysErrno) {
        case ENOENT:
        case ENOTDIR:
            return reading ? err::FileNotFound : err::PathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return err::PermissionDenied;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return err::DiskFull;
        case EFBIG:
        case EIO:
            return err::DeviceIO;
        case EEXIST:
            return err::FileExists;
        default:
            return err::PathFileAccess;
    }
}

FileError SystemFileError(const std::string& action, const std::filesystem::path& path,
                          int sysErrno, bool reading) {
    return {FailureNumberOf(sysErrno, reading), sysErrno,
            action + " " + path.string() + ": " + std::strerror(sysErrno)};
}

std::string NotRegularKind(unsigned mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

}  // namespace tarvos
