#pragma once
// Ctrl-C (SIGINT) and SIGTERM while tarvos-cli reads or writes a radio. The handler only
// notes the signal; the link session's waiter sees the note at its next pause and asks the
// running transfer to stop after the frame in progress. The command then exits with
// 128 + the signal's number (130 for Ctrl-C, 143 for SIGTERM), as shells expect.

namespace tarvos::cli {

class StopSignals {
  public:
    StopSignals();   // installs the handlers for the life of the command
    ~StopSignals();  // puts the previous ones back
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that arrived, 0 while none has.
    static int caught();
    static int exitCode() { return 128 + caught(); }
};

}  // namespace tarvos::cli
