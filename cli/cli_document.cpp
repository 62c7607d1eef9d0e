#include "cli/cli_document.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/cli_log.h"
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
    std::cerr << "tarvos-cli " << command << ": " << doc->fileError() << "\n";
    return nullptr;
}

std::optional<ByteImage> OpenForReading(const std::string& path, std::string_view command) {
    // Failures while reading are part of what the application would log, not of the
    // output: on standard error only with --verbose.
    ErrorLog log(&LogSink());
    ByteImage image(kMinDatNum);
    FileError why;
    if (OpenDatFile(path, image, log, &why)) return image;
    std::cerr << "tarvos-cli " << command << ": " << why.message << "\n";
    return std::nullopt;
}

int SaveFailed(const RadioDocument& doc, std::string_view command, const std::string& path) {
    std::cerr << "tarvos-cli " << command << ": "
              << (doc.fileError().empty() ? "cannot save " + path : doc.fileError()) << "\n";
    return 2;
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
