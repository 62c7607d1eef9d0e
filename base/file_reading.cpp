#include "base/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tarvos {

namespace {

std::optional<FileError> NotRegular(const std::filesystem::path& path, const struct stat& st) {
    const std::string kind = NotRegularKind(st.st_mode);
    if (kind.empty()) return std::nullopt;
    return FileError{err::BadFileMode, 0,
                     "cannot open " + path.string() + ": " + kind + ", not a regular file"};
}

}  // namespace

std::optional<FileError> ReadRegularFile(const std::filesystem::path& path, size_t maxBytes,
                                         std::vector<uint8_t>& bytes) {
    // Checked before opening (opening a device may already do something to it), opened
    // without waiting (a FIFO put there after the check would otherwise block), and checked
    // again on what was opened.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return SystemFileError("cannot open", path, errno, true);
    if (auto e = NotRegular(path, st)) return e;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return SystemFileError("cannot open", path, errno, true);
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        return SystemFileError("cannot read", path, e, true);
    }
    if (auto e = NotRegular(path, st)) {
        ::close(fd);
        return e;
    }
    bytes.resize(maxBytes);
    size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(fd, bytes.data() + got, maxBytes - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            bytes.clear();
            return SystemFileError("cannot read", path, e, true);
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return std::nullopt;
}

std::optional<FileError> OpenRegularFile(const std::filesystem::path& path, std::ifstream& in) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return SystemFileError("cannot open", path, errno, true);
    if (auto e = NotRegular(path, st)) return e;
    errno = 0;
    in.open(path, std::ios::binary);
    if (!in) return SystemFileError("cannot open", path, errno ? errno : EACCES, true);
    return std::nullopt;
}

}  // namespace tarvos
