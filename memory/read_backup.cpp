#include "memory/read_backup.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>
#include <vector>

#include "base/error_log.h"
#include "base/safe_save.h"
#include "memory/data_file.h"

namespace tarvos {

namespace fs = std::filesystem;

namespace {

constexpr int kLongestSequence = 9999;  // more reads than this in one second: give up

// A backup's place in time: its stamp ("20240131-235959") and its sequence in that second.
struct BackupName {
    std::string stamp;
    int sequence;
    auto operator<=>(const BackupName&) const = default;
};

bool AllDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "YYYYMMDD-HHMMSS.dat" or "YYYYMMDD-HHMMSS-N.dat"; nullopt for any other name.
std::optional<BackupName> ParseBackupName(const std::string& name) {
    constexpr size_t kStamp = 15;  // YYYYMMDD-HHMMSS
    if (name.size() < kStamp + 4 || !name.ends_with(".dat")) return std::nullopt;
    const std::string_view s(name.data(), name.size() - 4);
    if (!AllDigits(s.substr(0, 8)) || s[8] != '-' || !AllDigits(s.substr(9, 6)))
        return std::nullopt;
    BackupName b{std::string(s.substr(0, kStamp)), 1};
    if (s.size() == kStamp) return b;
    const std::string_view rest = s.substr(kStamp);
    if (rest.size() < 2 || rest.size() > 5 || rest[0] != '-' || !AllDigits(rest.substr(1)))
        return std::nullopt;
    b.sequence = std::stoi(std::string(rest.substr(1)));
    return b;
}

}  // namespace

std::tm LocalTime(std::time_t t) {
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

std::string BackupFileName(const std::tm& local, int sequence) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    std::string name = stamp;
    if (sequence > 1) name += "-" + std::to_string(sequence);
    return name + ".dat";
}

void PruneBackups(const fs::path& folder, int kept, const fs::path& newest) {
    std::vector<std::pair<BackupName, fs::path>> backups;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        // The backup just written stays even when the clock was put back since older ones.
        if (!newest.empty() && entry.path() == newest) {
            --kept;
            continue;
        }
        if (auto name = ParseBackupName(entry.path().filename().string()))
            backups.emplace_back(*name, entry.path());
    }
    if (static_cast<int>(backups.size()) <= kept) return;
    std::sort(backups.begin(), backups.end());
    const size_t excess = backups.size() - static_cast<size_t>(std::max(kept, 0));
    for (size_t i = 0; i < excess; ++i) fs::remove(backups[i].second, ec);
}

fs::path SaveReadBackup(const fs::path& folder, const ByteImage& image, ErrorLog& log,
                        std::time_t now, int kept) {
    fs::path written;
    Guard(log, "frmCommun->SaveReadBackup", [&] {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (!fs::is_directory(folder, ec))
            Raise(err::PathFileAccess, "cannot create " + folder.string());
        const std::vector<uint8_t> bytes = ImageToFileBytes(image);
        const std::tm local = LocalTime(now);
        for (int sequence = 1; sequence <= kLongestSequence; ++sequence) {
            // A backup never replaces another: a name taken tries the next sequence.
            const fs::path path = folder / BackupFileName(local, sequence);
            const auto e = SaveFileSafely(path, bytes, SaveMode::CreateNew);
            if (!e) {
                written = path;
                break;
            }
            if (e->sysErrno != EEXIST) e->raise();
        }
        if (written.empty())
            Raise(err::PathFileAccess, "no free backup name in " + folder.string());
        PruneBackups(folder, kept, written);
    });
    return written;
}

}  // namespace tarvos
