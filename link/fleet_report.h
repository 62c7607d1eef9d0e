#pragma once
// What a fleet run tells about each radio: one record per radio, the same in the window's
// table, in the report file and (one line each) on tarvos-cli's standard output; the report
// file's CSV form; the names of the files reads are saved in. The files are saved as every
// file is (base/safe_save.h): never left half-written.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "link/observer.h"

namespace tarvos::link {

enum class RadioResult { Succeeded, Failed, Unfinished };
enum class Verification { NotDone, Matched, Differed };

struct RadioRecord {
    int line = 0;        // the line's place in the list of ports (from 0)
    std::string time;    // when the radio was finished, "2024-01-31 23:59:59" local time
    std::string port;    // "COM3", or the device as given on the command line
    std::string device;  // "/dev/ttyUSB0"
    Direction operation = Direction::Write;
    RadioResult result = RadioResult::Failed;
    std::string reason;  // why it failed or was left unfinished; empty when it succeeded
    Verification verified = Verification::NotDone;
    std::string number;          // the number the write gave the radio; empty without numbering
    std::string fingerprint;     // ImageFingerprint of the image written or read
    std::filesystem::path file;  // a read: the file it was saved in
};

// The report's first line, and a record as a line of it (fields with a comma, a quote or a
// line break are quoted, quotes doubled; no line break at the end). The codes are the same
// in every language: "write"/"read", "ok"/"failed"/"unfinished", "yes"/"no"/"".
inline constexpr const char* kReportHeader =
    "time,port,device,operation,result,reason,verified,number,fingerprint";
std::string ReportLine(const RadioRecord& record);
// The whole report: the header and a line per record, each ending in a line break.
std::string ReportText(const std::vector<RadioRecord>& records);

// The codes of the report.
const char* OperationCode(Direction d);
const char* ResultCode(RadioResult r);
const char* VerificationCode(Verification v);

// One line for a person: "COM3 (/dev/ttyUSB0): write ok, verified, number 0101,
// fingerprint 1A2B3C4D", "...: read failed: why", "...: read ok, saved in FILE".
std::string RecordSummary(const RadioRecord& record);

// "2024-01-31 23:59:59" and "20240131-235959" for a time, in local time.
std::string RecordTime(std::time_t t);
std::string FileStamp(std::time_t t);
// A read's file in folder: the stamp and the port ("20240131-235959-COM3.dat"; a device
// path becomes its letters and digits, "dev-pts-3"), with "-2", "-3" ... when taken.
std::filesystem::path ReadFileName(const std::filesystem::path& folder, std::time_t t,
                                   const std::string& port);

// The reasons a run gives in its own words, in the language (1 Simplified Chinese,
// 2 Traditional Chinese, 3 English).
enum class FleetText {
    NoAnswer,         // the transfer found no radio answering
    StoppedBefore,    // Stop came before the transfer started
    StoppedTransfer,  // Stop came while the transfer ran
    StoppedVerify,    // Stop came after the write, before or during its verification
    CannotSave,       // a read could not be saved; followed by the file
    NumberTooLong,    // the number does not fit its box; followed by the number
};
std::string FleetReason(FleetText text, int language);

}  // namespace tarvos::link
