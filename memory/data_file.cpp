#include "memory/data_file.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "base/error_log.h"
#include "memory/channel_codec.h"

namespace tarvos {

namespace fs = std::filesystem;

void FileLayoutToImage(ByteImage& image) {
    for (int i = 32; i <= kDataFileSize - 1; ++i) image.at(i - 16) = image.at(i);
}

std::vector<uint8_t> ImageToFileBytes(const ByteImage& image) {
    std::vector<uint8_t> file(kDataFileSize, 0xFF);
    std::copy(kDataFileSignature.begin(), kDataFileSignature.end(), file.begin());
    for (int a = 0x0006; a <= 0x000F; ++a) file[static_cast<size_t>(a)] = image.at(a);
    for (int a = 0x0010; a < kRadioMemorySize; ++a) file[static_cast<size_t>(a + 16)] = image.at(a);
    return file;
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const fs::path& path, size_t maxBytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes(maxBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(maxBytes));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

namespace {

// The file a save writes: path itself, or for a symbolic link the file it leads to, so the
// link stays a link. A chain of links is followed; one that loops is refused.
fs::path SaveTarget(const fs::path& path) {
    fs::path target = path;
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
        if (hops >= 40) Raise(err::PathFileAccess, "too many symbolic links: " + path.string());
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) Raise(err::PathFileAccess, "cannot follow " + target.string());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

// A file the user may not write is not replaced behind their back. A file without any write
// permission counts as such for every user (root included), as a file marked read-only.
void CheckWritable(const fs::path& target, const fs::file_status& st) {
    if ((st.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                             fs::perms::others_write)) == fs::perms::none)
        Raise(err::PathFileAccess, "read-only file: " + target.string());
#ifndef _WIN32
    if (::access(target.c_str(), W_OK) != 0)
        Raise(err::PathFileAccess, "no permission to write " + target.string());
#endif
}

}  // namespace

void WriteFileAtomically(const fs::path& path, std::span<const uint8_t> bytes) {
    const fs::path target = SaveTarget(path);
    std::error_code ec;
    const fs::file_status st = fs::status(target, ec);
    const bool exists = fs::exists(st);
    if (exists) {
        if (fs::is_directory(st)) Raise(err::PathFileAccess, "a folder: " + target.string());
        CheckWritable(target, st);
    }

    fs::path tmp = target;
    tmp += ".saving";
    auto discard = [&] {
        std::error_code ignored;
        fs::remove(tmp, ignored);
    };
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) Raise(err::PathFileAccess, "cannot create " + tmp.string());
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            discard();
            Raise(err::DeviceIO, "cannot write " + tmp.string());
        }
    }
    if (exists) {
        // The replacement keeps what the old file had: its permissions and, where this user
        // may give them, its owner and group.
        fs::permissions(tmp, st.permissions() & fs::perms::mask, ec);
        if (ec) {
            discard();
            Raise(err::PathFileAccess, "cannot keep the permissions of " + target.string());
        }
#ifndef _WIN32
        struct stat old {};
        if (::stat(target.c_str(), &old) == 0 &&
            ::chown(tmp.c_str(), old.st_uid, old.st_gid) != 0) {
            // Not the owner's to give: the file now belongs to the user who saved it.
        }
#endif
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        discard();
        Raise(err::PathFileAccess, "cannot replace " + target.string());
    }
}

namespace {

// The first 1040 bytes of a data-file-format file; raises when it cannot be read or is
// shorter.
std::vector<uint8_t> ReadDataFileBytes(const fs::path& path) {
    auto bytes = ReadFileBytes(path, kDataFileSize);
    if (!bytes) Raise(err::FileNotFound, "cannot open " + path.string());
    if (bytes->size() < static_cast<size_t>(kDataFileSize))
        Raise(err::ReadPastEnd, "shorter than a data file: " + path.string());
    return *bytes;
}

void CopyInto(ByteImage& image, const std::vector<uint8_t>& bytes) {
    const int n = std::min(image.size(), static_cast<int>(bytes.size()));
    for (int i = 0; i < n; ++i) image.at(i) = bytes[static_cast<size_t>(i)];
}

}  // namespace

bool InitTempArray(const fs::path& templatePath, ByteImage& iicDat, ByteImage& tempArray,
                   ErrorLog& log) {
    std::vector<uint8_t> bytes;
    if (!Guard(log, "mdifrmMain->InitTempArray", [&] { bytes = ReadDataFileBytes(templatePath); }))
        return false;
    return InitTempArray(bytes, iicDat, tempArray, log);
}

bool InitTempArray(std::span<const uint8_t> file, ByteImage& iicDat, ByteImage& tempArray,
                   ErrorLog& log) {
    return Guard(log, "mdifrmMain->InitTempArray", [&] {
        if (file.size() < static_cast<size_t>(kDataFileSize))
            Raise(err::ReadPastEnd, "template shorter than a data file");
        const std::vector<uint8_t> bytes(file.begin(), file.begin() + kDataFileSize);
        if (iicDat.size() < kDataFileSize || tempArray.size() < kDataFileSize)
            Raise(err::IndexOutOfRange, "image smaller than a data file");
        CopyInto(iicDat, bytes);
        CopyInto(tempArray, bytes);
        FileLayoutToImage(iicDat);
    });
}

bool OpenDatFile(const fs::path& path, ByteImage& iicDat, ErrorLog& log) {
    return Guard(log, "mdifrmMain->OpenFile", [&] {
        const auto bytes = ReadDataFileBytes(path);
        if (iicDat.size() < kDataFileSize)
            Raise(err::IndexOutOfRange, "image smaller than a data file");
        CopyInto(iicDat, bytes);
        FileLayoutToImage(iicDat);
    });
}

bool SaveDatFile(const fs::path& path, ByteImage& iicDat, ErrorLog& log, ChannelCodec* codec) {
    return Guard(log, "mdifrmMain->SaveDatFile", [&] {
        if (codec) codec->ChInfoToIicDat();
        const auto file = ImageToFileBytes(iicDat);
        // What the in-place rearrangement of a save leaves in the image: the signature in
        // 0x0000-0x0005 and, in the spill space, a copy of 0x03F0-0x03FF.
        for (size_t i = 0; i < kDataFileSignature.size(); ++i)
            iicDat.at(static_cast<int>(i)) = kDataFileSignature[i];
        for (int i = 0; i < 16; ++i) iicDat.at(0x0400 + i) = iicDat.at(0x03F0 + i);
        WriteFileAtomically(path, file);
    });
}

namespace {
// New's image steps around a reload of the template: model and band survive it.
template <class Reload>
void KeepModelAndBand(ByteImage& iicDat, ErrorLog& log, Reload reloadTemplate) {
    Guard(log, "mdifrmMain->NewFileSol", [&] {
        std::array<uint8_t, kKeptByNewLast - kKeptByNewFirst + 1> kept{};
        for (int a = kKeptByNewFirst; a <= kKeptByNewLast; ++a)
            kept[static_cast<size_t>(a - kKeptByNewFirst)] = iicDat.at(a);
        reloadTemplate();
        for (int a = kKeptByNewFirst; a <= kKeptByNewLast; ++a)
            iicDat.at(a) = kept[static_cast<size_t>(a - kKeptByNewFirst)];
    });
}
}  // namespace

void NewFileImage(const fs::path& templatePath, ByteImage& iicDat, ByteImage& tempArray,
                  ErrorLog& log) {
    KeepModelAndBand(iicDat, log, [&] { InitTempArray(templatePath, iicDat, tempArray, log); });
}

void NewFileImage(std::span<const uint8_t> templateBytes, ByteImage& iicDat, ByteImage& tempArray,
                  ErrorLog& log) {
    KeepModelAndBand(iicDat, log, [&] { InitTempArray(templateBytes, iicDat, tempArray, log); });
}

DataFolder GenerateDatFolder(const fs::path& appFolder, ErrorLog& log) {
    DataFolder out;
    out.folder = appFolder / kDataFolderName;
    out.untitledPath = out.folder / kUntitledFileName;
    Guard(log, "mdifrmMain->GenerateDatFolder", [&] {
        std::error_code ec;
        if (fs::is_directory(out.folder, ec)) return;
        fs::create_directories(out.folder, ec);
        if (ec) Raise(err::PathFileAccess, "cannot create " + out.folder.string());
    });
    return out;
}

}  // namespace tarvos
