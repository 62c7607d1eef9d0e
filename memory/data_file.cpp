#include "memory/data_file.h"

#include <algorithm>
#include <system_error>

#include "base/error_log.h"
#include "base/file_reading.h"
#include "base/safe_save.h"
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
    std::vector<uint8_t> bytes;
    if (ReadRegularFile(path, maxBytes, bytes)) return std::nullopt;
    return bytes;
}

namespace {

// The first 1040 bytes of a data-file-format file, or why the file is none: it cannot be
// read, it is shorter, or (exact) it is longer.
std::optional<FileError> ReadDataFile(const fs::path& path, std::vector<uint8_t>& bytes,
                                      bool exact) {
    const size_t wanted = kDataFileSize + (exact ? 1 : 0);
    if (auto e = ReadRegularFile(path, wanted, bytes)) return e;
    if (bytes.size() == static_cast<size_t>(kDataFileSize) ||
        (!exact && bytes.size() > static_cast<size_t>(kDataFileSize)))
        return std::nullopt;
    const std::string size = bytes.size() < static_cast<size_t>(kDataFileSize)
                                 ? std::to_string(bytes.size()) + " bytes"
                                 : "more than " + std::to_string(kDataFileSize) + " bytes";
    return FileError{
        bytes.size() < static_cast<size_t>(kDataFileSize) ? err::ReadPastEnd : err::BadFileMode, 0,
        path.string() + ": Wrong file type! (" + size + "; a data file has " +
            std::to_string(kDataFileSize) + ")"};
}

void CopyInto(ByteImage& image, const std::vector<uint8_t>& bytes) {
    const int n = std::min(image.size(), static_cast<int>(bytes.size()));
    for (int i = 0; i < n; ++i) image.at(i) = bytes[static_cast<size_t>(i)];
}

}  // namespace

bool InitTempArray(const fs::path& templatePath, ByteImage& iicDat, ByteImage& tempArray,
                   ErrorLog& log) {
    std::vector<uint8_t> bytes;
    if (!Guard(log, "mdifrmMain->InitTempArray", [&] {
            if (auto e = ReadDataFile(templatePath, bytes, false)) e->raise();
        }))
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

bool OpenDatFile(const fs::path& path, ByteImage& iicDat, ErrorLog& log, FileError* why) {
    std::vector<uint8_t> bytes;
    const std::optional<FileError> unread = ReadDataFile(path, bytes, true);
    if (why) *why = unread.value_or(FileError{});
    return Guard(log, "mdifrmMain->OpenFile", [&] {
        if (unread) unread->raise();
        if (iicDat.size() < kDataFileSize)
            Raise(err::IndexOutOfRange, "image smaller than a data file");
        CopyInto(iicDat, bytes);
        FileLayoutToImage(iicDat);
    });
}

bool SaveDatFile(const fs::path& path, ByteImage& iicDat, ErrorLog& log, ChannelCodec* codec,
                 FileError* why) {
    if (why) *why = FileError{};
    return Guard(log, "mdifrmMain->SaveDatFile", [&] {
        if (codec) codec->ChInfoToIicDat();
        const auto file = ImageToFileBytes(iicDat);
        // What the in-place rearrangement of a save leaves in the image: the signature in
        // 0x0000-0x0005 and, in the spill space, a copy of 0x03F0-0x03FF.
        for (size_t i = 0; i < kDataFileSignature.size(); ++i)
            iicDat.at(static_cast<int>(i)) = kDataFileSignature[i];
        for (int i = 0; i < 16; ++i) iicDat.at(0x0400 + i) = iicDat.at(0x03F0 + i);
        if (auto e = SaveFileSafely(path, file)) {
            if (why) *why = *e;
            e->raise();
        }
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
