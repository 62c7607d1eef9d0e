#pragma once
// Data files (*.dat) and the installation images: 1040 bytes, a rearranged copy of image
// addresses 0x0000-0x03FF.
//
//   file 0x000-0x005  signature "QD6251"
//   file 0x006-0x00F  image 0x0006-0x000F
//   file 0x010-0x01F  0xFF filler
//   file 0x020-0x40F  image 0x0010-0x03FF (file offset = address + 0x10)
//
// Opening is all-or-nothing: a file is read into a buffer and checked before the image is
// touched, so a file that cannot be read, or is not exactly 1040 bytes long, leaves the image
// exactly as it was. Saving goes through SaveFileSafely (base/safe_save.h), so a failed save
// never leaves a truncated file.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "base/file_error.h"
#include "memory/image.h"

namespace tarvos {

class ErrorLog;
class ChannelCodec;

inline constexpr int kDataFileSize = 1040;
inline constexpr std::array<uint8_t, 6> kDataFileSignature = {0x51, 0x44, 0x36,
                                                              0x32, 0x35, 0x31};  // QD6251

inline constexpr const char* kSettingsFileName = "tarvosk.def";
inline constexpr const char* kTemplateFileName = "dhcpqec.def";
inline constexpr const char* kDefaultsFileName = "DefRadioSet.def";
inline constexpr const char* kDataFolderName = "Data";
inline constexpr const char* kUntitledFileName = "Untitled.dat";

// Image bytes 0x0379-0x037D (model and band) survive New.
inline constexpr int kKeptByNewFirst = 0x0379;
inline constexpr int kKeptByNewLast = 0x037D;

// --- Layout conversions ---------------------------------------------------------------

// In place, file layout to image layout: for i = 32..1039 ascending, image[i-16] = image[i].
void FileLayoutToImage(ByteImage& image);
// The 1040 file bytes of an image (signature, filler, image bytes shifted by 16).
std::vector<uint8_t> ImageToFileBytes(const ByteImage& image);
// Reads at most maxBytes of a regular file; nullopt when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                  size_t maxBytes);

// --- The file procedures ----------------------------------------------------------------

// Reloads the template: IicDat in image layout, TempArray as stored (file layout). A
// template that cannot be read or is shorter than 1040 bytes is logged as
// "mdifrmMain->InitTempArray" and both arrays stay as they were. Returns success.
bool InitTempArray(const std::filesystem::path& templatePath, ByteImage& iicDat,
                   ByteImage& tempArray, ErrorLog& log);
// The same from the template file's bytes (a template built into the program).
bool InitTempArray(std::span<const uint8_t> templateBytes, ByteImage& iicDat, ByteImage& tempArray,
                   ErrorLog& log);

// The image part of OpenFile: reads a data file into the image and converts it to image
// layout. A file that cannot be read or is not exactly 1040 bytes long (every file the
// program writes is) is logged as "mdifrmMain->OpenFile", leaves the image unchanged and
// returns false (the caller shows "Wrong file type!"); why, when given, says which it was.
bool OpenDatFile(const std::filesystem::path& path, ByteImage& iicDat, ErrorLog& log,
                 FileError* why = nullptr);

// Save: encodes the channels first when a codec is given (ChInfoToIicDat), then writes the
// exactly 1040-byte file. Afterwards, whether or not the write succeeded, the image is in
// image layout with the two marks a save leaves: 0x0000-0x0005 hold the signature and
// 0x0400-0x040F hold a copy of 0x03F0-0x03FF. Failures are logged as
// "mdifrmMain->SaveDatFile"; why, when given, gets the reason a file could not be written.
// Returns success.
bool SaveDatFile(const std::filesystem::path& path, ByteImage& iicDat, ErrorLog& log,
                 ChannelCodec* codec = nullptr, FileError* why = nullptr);

// The image part of NewFileSol: keep 0x0379-0x037D, reload the template, put them back.
// Failures are logged as "mdifrmMain->NewFileSol" (the template itself as InitTempArray).
void NewFileImage(const std::filesystem::path& templatePath, ByteImage& iicDat,
                  ByteImage& tempArray, ErrorLog& log);
// The same from the template file's bytes (a template built into the program).
void NewFileImage(std::span<const uint8_t> templateBytes, ByteImage& iicDat, ByteImage& tempArray,
                  ErrorLog& log);

struct DataFolder {
    std::filesystem::path folder;        // application folder / "Data"
    std::filesystem::path untitledPath;  // folder / "Untitled.dat"
};
// Creates the data folder when missing ("mdifrmMain->GenerateDatFolder" on failure; the
// paths are set either way).
DataFolder GenerateDatFolder(const std::filesystem::path& appFolder, ErrorLog& log);

}  // namespace tarvos
