// How long a PDF of all three items (cover, channel information, radio settings) takes, in
// each language: the first one in a process (the fonts loaded then), the ones after it, and
// the whole `tarvos-cli print` command from start to exit. Each is printed as seconds and as
// a share of the goal of one second; nothing here is checked.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "base/error_log.h"
#include "base/settings_file.h"
#include "data/shipped_files.h"
#include "document/radio_document.h"
#include "memory/channel_layout.h"
#include "memory/data_file.h"
#include "memory/image_settings.h"
#include "print/pdf_file.h"
#include "print/print_stamp.h"

namespace {

constexpr double kGoalSeconds = 1.0;
constexpr int kRepeats = 10;
const char* const kLanguageNames[3] = {"Simplified Chinese", "Traditional Chinese", "English"};

// The document as tarvos-cli opens a data file: the shipped settings, template and layout.
std::unique_ptr<tarvos::RadioDocument> Opened(tarvos::ErrorLog& log, int language,
                                              const std::string& path) {
    using namespace tarvos;
    const auto text = InstallationFile(kSettingsFileName);
    const SettingsFile settings = SettingsFile::FromText(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    auto doc = std::make_unique<RadioDocument>(log, language, ReadDatNum(settings));
    doc->SetTemplate(InstallationFile(kTemplateFileName));
    doc->SetLayout(ReadChInfo(settings, language, log));
    doc->InitChTable();
    doc->SelectModel(0);
    doc->SelectBand(kStartBandIndex);
    if (!doc->OpenFile(path)) return nullptr;
    return doc;
}

void Report(const char* what, const char* language, double seconds) {
    std::printf("%-34s %-20s %7.3f s  %5.2f of the goal\n", what, language, seconds,
                seconds / kGoalSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string data = dir.filePath("defaults.dat").toStdString();
    {
        const auto bytes = tarvos::InstallationFile(tarvos::kDefaultsFileName);
        std::ofstream(data, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    tarvos::RecordingSink sink;
    tarvos::ErrorLog log(&sink);
    std::printf("PDF of all three items of the shipped defaults (goal: well under %.0f s)\n",
                kGoalSeconds);
    for (int language = 1; language <= 3; ++language) {
        const char* name = kLanguageNames[language - 1];
        auto doc = Opened(log, language, data);
        if (!doc) {
            std::fprintf(stderr, "bench_print: the defaults could not be opened\n");
            return 1;
        }
        const QString pdf = dir.filePath(QString("out-%1.pdf").arg(language));
        auto once = [&] {
            QElapsedTimer t;
            t.start();
            const auto sheet =
                tarvos::BuildPrintSheet(*doc, tarvos::print::CurrentPrintStamp(), {});
            const auto outcome = tarvos::print::WritePdf(sheet, pdf);
            if (!outcome.written())
                std::fprintf(stderr, "bench_print: %s\n", qPrintable(outcome.error));
            return t.nsecsElapsed() / 1e9;
        };
        Report("in the program, first", name, once());
        double total = 0;
        for (int i = 0; i < kRepeats; ++i) total += once();
        Report("in the program, each after", name, total / kRepeats);

        QElapsedTimer t;
        t.start();
        QProcess cli;
        cli.start(TARVOS_CLI, {"print", QString::fromStdString(data), "--pdf", pdf, "--lang",
                               QString::number(language)});
        if (!cli.waitForFinished(60000) || cli.exitCode() != 0) {
            std::fprintf(stderr, "bench_print: tarvos-cli print failed\n");
            return 1;
        }
        Report("tarvos-cli print, start to exit", name, t.nsecsElapsed() / 1e9);
    }
    return 0;
}
