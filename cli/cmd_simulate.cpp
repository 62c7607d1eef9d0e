// tarvos-cli simulate: the virtual radio on a pseudo-terminal. The device path is the first
// line of standard output; the radio serves until SIGTERM or SIGINT, then (with
// --save-image) its memory is saved as a data file.
#include <csignal>
#include <iostream>

#include "base/error_log.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "data/shipped_files.h"
#include "memory/data_file.h"
#include "sim/pty_radio.h"

namespace tarvos::cli {

int Simulate(const Args& args) {
    const char* usage =
        "usage: tarvos-cli simulate [--image FILE.dat] [--echo] [--letters ZIM] [--code TEXT] "
        "[--pace] [--fault KIND[:ARG]] [--save-image FILE.dat]\n"
        "  faults: echo, silence, delay:MS, drop:K, corrupt:K, unplug:N, weak:ADDR, letters:ZAB\n";
    sim::PtyRadioOptions options;
    std::string imagePath, savePath, letters, code;
    bool haveLetters = false, haveCode = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) { return TakeValue(args, i, out); };
        std::string v;
        if (a == "--image" && value(imagePath)) {
        } else if (a == "--save-image" && value(savePath)) {
        } else if (a == "--echo") {
            options.faults.echo = true;
        } else if (a == "--pace") {
            options.paced = true;
        } else if (a == "--letters" && value(letters) && letters.size() == 3) {
            haveLetters = true;
        } else if (a == "--code" && value(code)) {
            haveCode = true;
        } else if (a == "--fault" && value(v) && sim::ParseFault(v, options.faults, &letters)) {
            haveLetters = haveLetters || v.starts_with("letters");
        } else {
            std::cerr << "tarvos-cli: bad argument '" << a << "'\n" << usage;
            return 2;
        }
    }

    ErrorLog log(&LogSink());
    // Without --image the radio holds the factory defaults, as the application's demo radio.
    ByteImage image(kMinDatNum);
    if (!imagePath.empty()) {
        FileError why;
        if (!OpenDatFile(imagePath, image, log, &why)) {
            std::cerr << "tarvos-cli simulate: " << why.message << "\n";
            return 2;
        }
    } else {
        const auto defaults = InstallationFile(kDefaultsFileName);
        for (int a = 0; a < image.size() && a < static_cast<int>(defaults.size()); ++a)
            image[a] = defaults[static_cast<size_t>(a)];
        FileLayoutToImage(image);
    }
    sim::VirtualRadio setup;
    for (int a = 0; a < sim::kRadioBytes; ++a) setup.memory[static_cast<size_t>(a)] = image[a];
    if (haveLetters) setup.setLetters(letters);
    if (haveCode) setup.setCode(code);
    options.memory = setup.memory;

    // Block the stop signals before the serving thread starts so only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    sim::PtyRadio radio(options);
    std::string error;
    if (!radio.start(&error)) {
        std::cerr << "tarvos-cli: cannot start the virtual radio: " << error << "\n";
        return 2;
    }
    std::cout << radio.devicePath() << std::endl;
    int sig = 0;
    sigwait(&stopSignals, &sig);
    radio.stop();

    if (!savePath.empty()) {
        ByteImage image(kMinDatNum);
        const sim::RadioMemory memory = radio.memory();
        for (int a = 0; a < sim::kRadioBytes; ++a) image[a] = memory[static_cast<size_t>(a)];
        FileError why;
        if (!SaveDatFile(savePath, image, log, nullptr, &why)) {
            std::cerr << "tarvos-cli simulate: "
                      << (why.message.empty() ? "cannot save " + savePath : why.message) << "\n";
            return 2;
        }
    }
    return 0;
}

}  // namespace tarvos::cli
