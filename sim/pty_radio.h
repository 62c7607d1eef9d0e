#pragma once
// The virtual radio on a pseudo-terminal, for end-to-end runs through a real serial stack:
// start it with an image, hand its device path to the application, stop it, take its memory.
// It serves on a thread of its own; pacing holds each byte to the wire rate.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/radio_line.h"
#include "sim/virtual_radio.h"

namespace tarvos::sim {

struct PtyRadioOptions {
    RadioMemory memory = BlankRadioMemory();
    Faults faults;
    bool paced = false;
};

class PtyRadio {
  public:
    explicit PtyRadio(PtyRadioOptions options = {});
    ~PtyRadio();
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    // Opens the pseudo-terminal and starts serving; false (with the reason) when it cannot.
    bool start(std::string* error = nullptr);
    void stop();
    bool running() const { return thread_.joinable(); }

    // The device the application opens, e.g. "/dev/pts/7".
    const std::string& devicePath() const { return path_; }
    RadioMemory memory() const;
    std::vector<std::string> journal() const;
    int closings() const;
    // Bytes each way so far (echo not counted).
    int64_t bytesIn() const;
    int64_t bytesOut() const;

  private:
    void serve();

    PtyRadioOptions options_;
    VirtualRadio radio_;
    RadioLine line_;
    mutable std::mutex mutex_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    std::string path_;
};

}  // namespace tarvos::sim
