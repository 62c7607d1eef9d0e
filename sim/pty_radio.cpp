#include "sim/pty_radio.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace tarvos::sim {

namespace {
int64_t NowNs() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

PtyRadio::PtyRadio(PtyRadioOptions options)
    : options_(std::move(options)),
      radio_(options_.memory),
      line_(radio_, options_.faults, options_.paced) {}

PtyRadio::~PtyRadio() {
    stop();
}

bool PtyRadio::start(std::string* error) {
    auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + ": " + std::strerror(errno);
        stop();
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return fail("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return fail("grantpt/unlockpt");
    const char* name = ::ptsname(master_);
    if (!name) return fail("ptsname");
    path_ = name;
    // Holding the terminal side open keeps the pair alive between the application's opens,
    // and a raw line discipline keeps the protocol bytes untouched until it sets its own.
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) return fail("open terminal side");
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    if (::pipe(wake_) != 0) return fail("pipe");
    stop_ = false;
    thread_ = std::thread([this] { serve(); });
    return true;
}

void PtyRadio::stop() {
    if (thread_.joinable()) {
        stop_ = true;
        char c = 0;
        [[maybe_unused]] auto n = ::write(wake_[1], &c, 1);
        thread_.join();
    }
    for (int* fd : {&master_, &slave_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

void PtyRadio::serve() {
    std::deque<TimedByte> pending;
    uint8_t buf[512];
    while (!stop_) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        timespec timeout{0, 100'000'000};
        if (!pending.empty()) {
            int64_t wait = std::max<int64_t>(0, pending.front().ns - NowNs());
            timeout = {static_cast<time_t>(wait / 1'000'000'000),
                       static_cast<long>(wait % 1'000'000'000)};
        }
        int r = ::ppoll(fds, 2, &timeout, nullptr);
        if (r < 0 && errno != EINTR) break;
        if (r > 0 && (fds[0].revents & POLLIN)) {
            ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                std::lock_guard<std::mutex> lock(mutex_);
                for (const TimedByte& b : line_.receive(buf, static_cast<int>(n), NowNs()))
                    pending.push_back(b);
            }
        }
        // Everything due goes out now; paced bytes leave one by one at their wire time.
        const int64_t now = NowNs();
        uint8_t out[512];
        int count = 0;
        while (!pending.empty() && pending.front().ns <= now &&
               count < static_cast<int>(sizeof out)) {
            out[count++] = pending.front().byte;
            pending.pop_front();
        }
        if (count > 0) {
            int done = 0;
            while (done < count) {
                ssize_t w = ::write(master_, out + done, static_cast<size_t>(count - done));
                if (w <= 0) break;
                done += static_cast<int>(w);
            }
        }
    }
}

RadioMemory PtyRadio::memory() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return radio_.memory;
}

std::vector<std::string> PtyRadio::journal() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return radio_.journal;
}

int PtyRadio::closings() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return radio_.closings;
}

int64_t PtyRadio::bytesIn() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return line_.bytesIn;
}

int64_t PtyRadio::bytesOut() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return line_.bytesOut;
}

}  // namespace tarvos::sim
