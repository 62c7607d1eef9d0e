#include "base/safe_save.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>

namespace tarvos {

namespace fs = std::filesystem;

namespace {

constexpr int kLongestLinkChain = 40;
constexpr size_t kLongestTempStem = 200;  // the temporary name stays within a name's limit

FileError Refused(const fs::path& path, const std::string& why, int number = err::PathFileAccess) {
    return {number, 0, "cannot save " + path.string() + ": " + why + "; nothing was written"};
}

// A write past the file-size limit raises SIGXFSZ, which would end the program before the
// temporary file could be removed. Held back for this thread, the write fails with EFBIG
// instead; the signal it left pending is taken away before the mask is restored.
class FileSizeSignalHeld {
  public:
    FileSizeSignalHeld() {
        sigemptyset(&xfsz_);
        sigaddset(&xfsz_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &xfsz_, &old_);
    }
    ~FileSizeSignalHeld() {
        sigset_t pending;
        sigemptyset(&pending);
        if (sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) &&
            !sigismember(&old_, SIGXFSZ)) {
            const timespec none{};
            sigtimedwait(&xfsz_, nullptr, &none);
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

  private:
    sigset_t xfsz_{};
    sigset_t old_{};
};

// The permissions a new file gets from this process: 0666 without the umask. Read from the
// kernel where it says so, since setting the umask to learn it is not safe beside threads.
mode_t NewFileMode() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// A file the user may not write is not replaced behind their back. A file without any write
// permission counts as such for every user (root included), as a file marked read-only.
std::optional<FileError> CheckWritable(const fs::path& path, const fs::path& target,
                                       const struct stat& st) {
    if ((st.st_mode & 0222) == 0)
        return Refused(path, "the file is read-only", err::PermissionDenied);
    if (::access(target.c_str(), W_OK) != 0)
        return Refused(path, "no permission to write it", err::PermissionDenied);
    return std::nullopt;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Puts the finished temporary file in the target's place: over it, or only where there is
// none yet.
bool Publish(const fs::path& tmp, const fs::path& target, SaveMode mode) {
    if (mode == SaveMode::Replace) return ::rename(tmp.c_str(), target.c_str()) == 0;
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // A file system without the no-replace rename: a hard link fails the same way on a file
    // that is there.
    if (::link(tmp.c_str(), target.c_str()) != 0) return false;
    ::unlink(tmp.c_str());
    return true;
}

void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<FileError> SaveTarget(const fs::path& path, fs::path& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
        if (hops >= kLongestLinkChain) return Refused(path, "too many symbolic links (a loop?)");
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return Refused(path, "cannot follow the link " + target.string());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

std::optional<FileError> SaveFileSafely(const fs::path& path, std::string_view text,
                                        SaveMode mode) {
    return SaveFileSafely(
        path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), mode);
}

std::optional<FileError> SaveFileSafely(const fs::path& path, std::span<const uint8_t> bytes,
                                        SaveMode mode) {
    // A new file is made at path itself: a link there counts as a file that exists.
    fs::path target = path;
    if (mode == SaveMode::Replace)
        if (auto e = SaveTarget(path, target)) return e;

    struct stat old {};
    const bool exists = (mode == SaveMode::Replace ? ::stat(target.c_str(), &old)
                                                   : ::lstat(target.c_str(), &old)) == 0;
    if (!exists && errno != ENOENT) return SystemFileError("cannot save", path, errno, false);
    if (exists) {
        if (mode == SaveMode::CreateNew)
            return FileError{err::FileExists, EEXIST,
                             "cannot save " + path.string() + ": it exists"};
        if (const std::string kind = NotRegularKind(old.st_mode); !kind.empty())
            return Refused(path, "not a regular file (" + kind + ")");
        if (auto e = CheckWritable(path, target, old)) return e;
    }

    const fs::path folder = target.parent_path();
    std::string stem = "." + target.filename().string();
    if (stem.size() > kLongestTempStem) stem.resize(kLongestTempStem);
    std::string name = (folder / (stem + ".XXXXXX")).string();

    FileSizeSignalHeld held;
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return SystemFileError("cannot save", path, errno, false);
    const fs::path tmp = name;
    auto fail = [&](int e, bool open) {
        if (open) ::close(fd);
        ::unlink(tmp.c_str());
        return SystemFileError("cannot save", path, e, false);
    };

    if (!WriteAll(fd, bytes.data(), bytes.size())) return fail(errno, true);
    // The replacement keeps what the old file had: its permissions and, where this user may
    // give them, its owner and group. A new file gets what any new file of the user gets.
    if (::fchmod(fd, exists ? old.st_mode & 07777 : NewFileMode()) != 0) return fail(errno, true);
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not the owner's to give: the file now belongs to the user who saved it.
    }
    // Only bytes on the disk may replace the old file: a full disk shows here at the latest.
    if (::fsync(fd) != 0) return fail(errno, true);
    if (::close(fd) != 0) return fail(errno, false);
    if (!Publish(tmp, target, mode)) {
        const int e = errno;
        ::unlink(tmp.c_str());
        return SystemFileError("cannot save", path, e, false);
    }
    SyncFolder(folder);
    return std::nullopt;
}

}  // namespace tarvos
