#pragma once
// ShowErr: the one way a failure is reported. Each procedure with a location string runs
// its body under Guard, which catches the failure, logs a two-line entry and lets the
// caller carry on. The entry goes to an ErrorSink: the error window in the application,
// standard error in tarvos-cli, a recording sink in tests.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"

namespace tarvos {

class ErrorSink {
  public:
    virtual ~ErrorSink() = default;
    virtual void appendLine(const std::string& line) = 0;
};

// Keeps every line; used by tests and by anything that shows the log later.
class RecordingSink : public ErrorSink {
  public:
    void appendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
    // The location strings logged so far (taken from the second line of each entry).
    std::vector<std::string> locations() const;
};

// Writes each line to standard error.
class StderrSink : public ErrorSink {
  public:
    void appendLine(const std::string& line) override;
};

// Chinese description of a failure number; empty for numbers outside the table.
std::string VbErrNumDes(long long number);

class ErrorLog {
  public:
    explicit ErrorLog(ErrorSink* sink = nullptr) : sink_(sink) {}
    void setSink(ErrorSink* sink) { sink_ = sink; }
    ErrorSink* sink() const { return sink_; }
    // Replaces the clock text ("short date and long time") so tests get fixed lines.
    void setClock(std::function<std::string()> clock) { clock_ = std::move(clock); }

    void ShowErr(std::string_view location, long long number, std::string_view source);
    void ShowErr(std::string_view location, const Failure& failure) {
        ShowErr(location, failure.number(), failure.source());
    }

    static std::string firstLine(const std::string& dateTime);
    static std::string secondLine(std::string_view location, long long number,
                                  std::string_view source);

  private:
    ErrorSink* sink_;
    std::function<std::string()> clock_;
};

// Maps a caught standard exception onto the failure numbers of the description table.
Failure ToFailure(const std::exception& e);

// Runs body; a Failure (or any standard exception) is logged under location and swallowed.
// Returns true when the body ran to its end.
template <class Body>
bool Guard(ErrorLog& log, std::string_view location, Body&& body) {
    try {
        body();
        return true;
    } catch (const Failure& f) {
        log.ShowErr(location, f);
    } catch (const std::exception& e) {
        log.ShowErr(location, ToFailure(e));
    }
    return false;
}

}  // namespace tarvos
