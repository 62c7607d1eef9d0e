#include "link/fleet_report.h"

#include <cctype>
#include <system_error>

#include "base/face_text.h"
#include "memory/read_backup.h"

namespace tarvos::link {

namespace {

std::string Formatted(std::time_t t, const char* format) {
    const std::tm tm = LocalTime(t);
    char text[32];
    return std::strftime(text, sizeof text, format, &tm) ? text : "";
}

// A field of the CSV: quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string quoted = "\"";
    for (char c : s) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A port as part of a file name: its letters and digits, the rest runs of "-".
std::string FileNamePart(const std::string& port) {
    std::string part;
    for (unsigned char c : port) {
        if (std::isalnum(c))
            part += static_cast<char>(c);
        else if (!part.empty() && part.back() != '-')
            part += '-';
    }
    while (!part.empty() && part.back() == '-') part.pop_back();
    return part.empty() ? "port" : part;
}

}  // namespace

const char* OperationCode(Direction d) {
    return d == Direction::Read ? "read" : "write";
}

const char* ResultCode(RadioResult r) {
    switch (r) {
        case RadioResult::Succeeded:
            return "ok";
        case RadioResult::Failed:
            return "failed";
        case RadioResult::Unfinished:
            return "unfinished";
    }
    return "";
}

const char* VerificationCode(Verification v) {
    switch (v) {
        case Verification::Matched:
            return "yes";
        case Verification::Differed:
            return "no";
        case Verification::NotDone:
            return "";
    }
    return "";
}

std::string ReportLine(const RadioRecord& r) {
    const std::string fields[] = {r.time,
                                  r.port,
                                  r.device,
                                  OperationCode(r.operation),
                                  ResultCode(r.result),
                                  r.reason,
                                  VerificationCode(r.verified),
                                  r.number,
                                  r.fingerprint};
    std::string line;
    for (const std::string& f : fields) {
        if (&f != fields) line += ',';
        line += CsvField(f);
    }
    return line;
}

std::string ReportText(const std::vector<RadioRecord>& records) {
    std::string text = std::string(kReportHeader) + "\n";
    for (const RadioRecord& r : records) text += ReportLine(r) + "\n";
    return text;
}

std::string RecordSummary(const RadioRecord& r) {
    std::string s = r.port;
    if (!r.device.empty() && r.device != r.port) s += " (" + r.device + ")";
    s += std::string(": ") + OperationCode(r.operation) + " " + ResultCode(r.result);
    if (!r.reason.empty()) s += ": " + r.reason;
    if (r.verified == Verification::Matched) s += ", verified";
    if (!r.number.empty()) s += ", number " + r.number;
    if (!r.fingerprint.empty()) s += ", fingerprint " + r.fingerprint;
    if (!r.file.empty()) s += ", saved in " + r.file.string();
    return s;
}

std::string RecordTime(std::time_t t) {
    return Formatted(t, "%Y-%m-%d %H:%M:%S");
}

std::string FileStamp(std::time_t t) {
    return Formatted(t, "%Y%m%d-%H%M%S");
}

std::filesystem::path ReadFileName(const std::filesystem::path& folder, std::time_t t,
                                   const std::string& port) {
    const std::string base = FileStamp(t) + "-" + FileNamePart(port);
    std::filesystem::path path = folder / (base + ".dat");
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec); ++n)
        path = folder / (base + "-" + std::to_string(n) + ".dat");
    return path;
}

std::string FleetReason(FleetText text, int language) {
    // Simplified Chinese, Traditional Chinese, English.
    static const char* const kTexts[][3] = {
        {"没有对讲机应答", "沒有對講機應答", "no radio answered"},
        {"传输开始前停止", "傳輸開始前停止", "stopped before the transfer"},
        {"传输中途停止", "傳輸中途停止", "stopped during the transfer"},
        {"写入后停止，未校验", "寫入後停止，未校驗", "stopped after the write, not verified"},
        {"无法保存 ", "無法儲存 ", "cannot save "},
        {"编号太长，放不进该框：", "編號太長，放不進該框：", "the number does not fit its box: "},
    };
    return kTexts[static_cast<int>(text)][NormalizeLanguage(language) - 1];
}

}  // namespace tarvos::link
