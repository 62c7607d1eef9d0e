#pragma once
// A run-time failure as the application reports it: a failure number from the
// description table of the error log and the component that raised it.

#include <stdexcept>
#include <string>

namespace tarvos {

// The failure numbers the application's own code raises.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int IndexOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIO = 57;
inline constexpr int FileExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int ReadPastEnd = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidPropertyIndex = 381;
inline constexpr int ObjectRequired = 424;
inline constexpr int NoSuchProperty = 438;
}  // namespace err

// The source named for failures raised by the application's own code.
inline constexpr const char* kOwnSource = "Tarvos";

class Failure : public std::runtime_error {
  public:
    Failure(int number, std::string source = kOwnSource, const std::string& what = {})
        : std::runtime_error(what.empty() ? "failure " + std::to_string(number) : what),
          number_(number),
          source_(std::move(source)) {}
    int number() const { return number_; }
    const std::string& source() const { return source_; }

  private:
    int number_;
    std::string source_;
};

[[noreturn]] inline void Raise(int number, const std::string& what = {}) {
    throw Failure(number, kOwnSource, what);
}

}  // namespace tarvos
