// bench_compare: the comparison of two images as the window and tarvos-cli run it (both
// decoded by a started document, then compared, bytes included), timed over many runs in one
// process: the shipped template against the factory defaults (sixteen channels and most
// settings differ) and the defaults against themselves. Prints the median and the slowest
// time of one comparison and the median's share of the 10 ms goal.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <vector>

#include "base/settings_file.h"
#include "data/shipped_files.h"
#include "document/image_compare.h"
#include "document/radio_document.h"
#include "memory/channel_layout.h"
#include "memory/data_file.h"
#include "memory/image_settings.h"

using namespace tarvos;

namespace {

ByteImage ImageOf(const char* name) {
    const std::vector<uint8_t> file = InstallationFile(name);
    ByteImage image(kMinDatNum);
    for (int i = 0; i < kDataFileSize && i < static_cast<int>(file.size()); ++i)
        image.at(i) = file[static_cast<size_t>(i)];
    FileLayoutToImage(image);
    return image;
}

struct Timing {
    double medianMs, slowestMs;
    size_t differences;
};

Timing Time(const RadioDocument& doc, const ByteImage& a, const ByteImage& b, int runs) {
    std::vector<double> ms;
    size_t found = 0;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        found = CompareImages(doc, a, b).size();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back(), found};
}

}  // namespace

int main() {
    const std::vector<uint8_t> text = InstallationFile(kSettingsFileName);
    const SettingsFile settings = SettingsFile::FromText(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    ErrorLog log;
    RadioDocument doc(log, 3, ReadDatNum(settings));
    doc.SetTemplate(InstallationFile(kTemplateFileName));
    doc.SetLayout(ReadChInfo(settings, 3, log));
    doc.InitChTable();
    doc.SelectModel(0);
    doc.SelectBand(kStartBandIndex);

    const ByteImage tmpl = ImageOf(kTemplateFileName), defaults = ImageOf(kDefaultsFileName);
    Time(doc, tmpl, defaults, 20);  // warm up
    constexpr int kRuns = 400;
    constexpr double kGoalMs = 10.0;
    const struct {
        const char* name;
        const ByteImage& a;
        const ByteImage& b;
    } pairs[] = {{"template vs defaults", tmpl, defaults},
                 {"defaults vs defaults", defaults, defaults}};
    for (const auto& p : pairs) {
        const Timing t = Time(doc, p.a, p.b, kRuns);
        std::printf(
            "%-22s %3zu differences: median %.3f ms, slowest %.3f ms over %d runs; "
            "median / goal %.3f\n",
            p.name, t.differences, t.medianMs, t.slowestMs, kRuns, t.medianMs / kGoalMs);
    }
    return 0;
}
