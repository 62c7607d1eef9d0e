#include "cli/cli_document.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "data/shipped_files.h"
#include "memory/channel_layout.h"
#include "memory/data_file.h"
#include "memory/image_settings.h"

namespace tarvos::cli {

namespace {
SettingsFile ShippedSettings() {
    const auto bytes = InstallationFile(kSettingsFileName);
    return SettingsFile::FromText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
}  // namespace

std::unique_ptr<RadioDocument> StartedDocument(ErrorLog& log, int language) {
    const SettingsFile settings = ShippedSettings();
    auto doc = std::make_unique<RadioDocument>(log, language, ReadDatNum(settings));
    doc->SetTemplate(InstallationFile(kTemplateFileName));
    doc->SetLayout(ReadChInfo(settings, doc->language(), log));
    doc->InitChTable();
    doc->SelectModel(0);
    doc->SelectBand(kStartBandIndex);
    doc->ResetHistory();
    return doc;
}

std::unique_ptr<RadioDocument> OpenedDocument(ErrorLog& log, int language, const std::string& path,
                                              std::string_view command) {
    auto doc = StartedDocument(log, language);
    if (doc->OpenFile(path)) return doc;
    std::cerr << "tarvos-cli " << command << ": cannot read data file '" << path << "'\n";
    return nullptr;
}

std::optional<ByteImage> OpenForReading(const std::string& path, std::string_view command) {
    // Failures while reading are part of what the application would log, not of the
    // output; keep them off standard error so the one-line message stays one line.
    RecordingSink sink;
    ErrorLog log(&sink);
    ByteImage image(kMinDatNum);
    if (OpenDatFile(path, image, log)) return image;
    auto bytes = ReadFileBytes(path, kDataFileSize);
    if (!bytes)
        std::cerr << "tarvos-cli " << command << ": cannot open " << path << "\n";
    else
        std::cerr << "tarvos-cli " << command << ": " << path << " is not a data file ("
                  << bytes->size() << " bytes, a data file has " << kDataFileSize << ")\n";
    return std::nullopt;
}

SettingsFile CliSettings() {
    if (const char* home = std::getenv("TARVOS_HOME")) {
        const std::filesystem::path path = std::filesystem::path(home) / kSettingsFileName;
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) return SettingsFile(path).snapshot();
    }
    return ShippedSettings();
}

}  // namespace tarvos::cli
