#include "base/error_log.h"

#include <ctime>
#include <iostream>
#include <new>
#include <stdexcept>

namespace tarvos {

std::vector<std::string> RecordingSink::locations() const {
    static const std::string kMark = "错误:  ";
    static const std::string kEnd = "     出错号:";
    std::vector<std::string> out;
    for (const auto& line : lines) {
        auto start = line.find(kMark);
        if (start == std::string::npos) continue;
        start += kMark.size();
        out.push_back(line.substr(start, line.find(kEnd, start) - start));
    }
    return out;
}

void StderrSink::appendLine(const std::string& line) {
    std::cerr << line << '\n';
}

std::string ErrorLog::firstLine(const std::string& dateTime) {
    return "---------" + dateTime + "--------";
}

std::string ErrorLog::secondLine(std::string_view location, long long number,
                                 std::string_view source) {
    std::string line = "    ";
    line += "     错误:  ";
    line += location;
    line += "     出错号:  ";
    line += std::to_string(number);
    line += "     出错点:  ";
    line += source;
    line += "     出错描述:  ";
    line += VbErrNumDes(number);
    return line;
}

static std::string NowText() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[64];
    std::strftime(buf, sizeof buf, "%Y/%m/%d %H:%M:%S", &local);
    return buf;
}

void ErrorLog::ShowErr(std::string_view location, long long number, std::string_view source) {
    // Number and source are already captured by the caller; the time comes next.
    const std::string when = clock_ ? clock_() : NowText();
    if (!sink_) return;
    sink_->appendLine(firstLine(when));
    sink_->appendLine(secondLine(location, number, source));
}

Failure ToFailure(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return Failure(err::OutOfMemory);
    if (dynamic_cast<const std::out_of_range*>(&e)) return Failure(err::IndexOutOfRange);
    if (dynamic_cast<const std::overflow_error*>(&e)) return Failure(err::Overflow);
    if (dynamic_cast<const std::invalid_argument*>(&e)) return Failure(err::TypeMismatch);
    return Failure(err::InvalidCall, kOwnSource, e.what());
}

}  // namespace tarvos
