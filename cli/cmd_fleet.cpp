// tarvos-cli fleet: one pass over several ports at once, the radio on each port written (or
// read) once, all at the same time, as the window's Auto Read/Write runs its lines: the same
// preparation as `write` (the channels encoded, the function page's write values forced, the
// code check with the file's code or --code), the same range, and, with --number, one code
// box typed with START + k×STEP for the k-th port (k from 0). A line per port on standard
// output as each finishes; the report CSV with --report. Ctrl-C (or SIGTERM) stops every
// line after its current step, as the window's Stop does, reports the radios left unfinished
// and exits with 128 + the signal, as read and write do.
#include <iostream>
#include <mutex>
#include <set>

#include "base/split.h"
#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "cli/link_session.h"
#include "cli/stop_signals.h"
#include "document/link_host.h"
#include "document/numbered_write.h"
#include "link/fleet.h"
#include "link/qt/line_threads.h"
#include "link/qt/port_map.h"
#include "link/qt/qt_serial_port.h"
#include "link/transfer_range.h"

namespace tarvos::cli {

namespace {

const char kUsage[] =
    "usage: tarvos-cli fleet write --ports P1,P2,... --in FILE.dat [--code TEXT] [--verify]\n"
    "                              [--number NAME=START[:STEP]] [--report FILE.csv]\n"
    "                              [--start HEX --end HEX]\n"
    "       tarvos-cli fleet read  --ports P1,P2,... --out-dir DIR [--code TEXT]\n"
    "                              [--report FILE.csv] [--start HEX --end HEX]\n"
    "  NAME: txtDtmfIdCode, txtPttBot or txtPttEot\n";

struct FleetOptions {
    bool write = true;
    std::vector<std::string> ports;
    std::string file;  // --in, or --out-dir
    std::optional<std::string> code;
    bool verify = false;
    std::optional<Numbering> numbering;
    std::string report;
    std::optional<int> start, end;
};

bool Usage(const std::string& why) {
    std::cerr << "tarvos-cli fleet: " << why << "\n" << kUsage;
    return false;
}

bool ParseFleetOptions(const Args& args, FleetOptions& o) {
    if (args.empty() || (args[0] != "write" && args[0] != "read"))
        return Usage("write or read comes first");
    o.write = args[0] == "write";
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string v;
        if (a == "--verify" && o.write) {
            o.verify = true;
            continue;
        }
        const bool known = a == "--ports" || a == "--code" || a == "--report" || a == "--start" ||
                           a == "--end" || (o.write && (a == "--in" || a == "--number")) ||
                           (!o.write && a == "--out-dir");
        if (!known) return Usage("unknown argument '" + a + "'");
        if (!TakeValue(args, i, v)) return Usage(a + " needs a value");
        if (a == "--ports") {
            o.ports = SplitAt(v, ',');
        } else if (a == "--code") {
            o.code = v;
        } else if (a == "--report") {
            o.report = v;
        } else if (a == "--start" || a == "--end") {
            const auto addr = ParseAddress(v);
            if (!addr) return Usage("not a hexadecimal address: " + v);
            (a == "--start" ? o.start : o.end) = *addr;
        } else if (a == "--number") {
            std::string why;
            o.numbering = ParseNumbering(v, &why);
            if (!o.numbering) return Usage(why);
        } else {
            o.file = v;
        }
    }
    if (o.ports.empty()) return Usage("--ports is required");
    std::set<std::string> seen;
    for (const std::string& p : o.ports) {
        if (p.empty()) return Usage("an empty port in --ports");
        // Two lines on one port would fight over every byte.
        if (!seen.insert(p).second) return Usage("port " + p + " is given twice");
    }
    if (o.file.empty()) return Usage(o.write ? "--in is required" : "--out-dir is required");
    if (o.start.has_value() != o.end.has_value()) return Usage("--start and --end go together");
    return true;
}

// Prints a line per radio as it finishes; the lines' threads take turns.
struct PrintRecords : link::FleetObserver {
    void radioFinished(const link::RadioRecord& record) override {
        std::lock_guard lock(mutex);
        std::cout << link::RecordSummary(record) << std::endl;
    }
    std::mutex mutex;
};

}  // namespace

int Fleet(const Args& args) {
    FleetOptions o;
    if (!ParseFleetOptions(args, o)) return 2;
    StopSignals stopSignals;

    ErrorLog log(&LogSink());
    auto doc = StartedDocument(log, kEnglish);
    if (o.write && !doc->OpenFile(o.file)) {
        std::cerr << "tarvos-cli: " << o.file << ": Wrong file type!\n";
        return 2;
    }
    // The code typed into the code box is stored in the image, and the check uses it.
    if (o.code) doc->functions().SetRdWrCodeText(doc->image(), *o.code);

    const SettingsFile settings = CliSettings();
    link::FleetPlan plan;
    plan.direction = o.write ? link::Direction::Write : link::Direction::Read;
    plan.verify = o.verify;
    plan.productionLine = false;
    plan.numberByPort = true;
    plan.ranges.load(settings, log, doc->image().DatNum());
    int& first = o.write ? plan.ranges.WriteStartAddr : plan.ranges.ReadStartAddr;
    int& last = o.write ? plan.ranges.WriteEndAddr : plan.ranges.ReadEndAddr;
    if (o.start) {
        first = *o.start;
        last = *o.end;
    }
    // A range that cannot be transferred is refused before any port is opened.
    if (const link::RangeCheck range =
            link::CheckTransferRange(plan.ranges, plan.direction, doc->image().DatNum());
        !range.ok()) {
        std::cerr << "tarvos-cli fleet: " << link::RangeRefusalText(plan.direction, range, kEnglish)
                  << (o.start ? "" : " It comes from the settings file tarvosk.def.")
                  << " Nothing was started.\n";
        return 2;
    }
    if (o.numbering) {
        // Every number is known before the start: the last port's must fit its box too.
        const std::string lastNumber = NumberText(*o.numbering, o.ports.size() - 1);
        if (lastNumber.empty() ||
            static_cast<int>(lastNumber.size()) > NumberBoxLength(o.numbering->box)) {
            std::cerr << "tarvos-cli fleet: the number for the last port does not fit "
                      << o.numbering->box << ": " << lastNumber << "; nothing was started\n";
            return 2;
        }
    }
    plan.page = FunctionPageOf(doc->functions());
    plan.bandLow = doc->bandLow();
    plan.bandHigh = doc->bandHigh();
    plan.language = kEnglish;
    if (o.write) plan.writeImage = NumberedWrite(*doc, o.numbering);
    plan.readBase = doc->image();
    plan.outDir = o.write ? std::string() : o.file;
    plan.reportPath = o.report;

    EnsureCoreApplication();
    std::optional<link::PortMap> system;  // made once, for the first COMn
    std::vector<link::FleetPort> ports;
    for (const std::string& name : o.ports) {
        link::FleetPort p;
        p.name = name;
        link::PortMap map;
        if (const int n = link::ComNumber(name)) {
            if (!system) system = link::PortMap::FromSystem(&settings);
            map = *system;
            p.number = n;
        } else {
            map.pin(1, name);
        }
        p.device = map.device(p.number);
        p.waiter = std::make_unique<link::SleepWaiter>();
        p.serial = std::make_unique<link::QtSerialPorts>(map);
        ports.push_back(std::move(p));
    }

    PrintRecords print;
    link::Fleet fleet(std::move(plan), std::move(ports), &print, link::QtThreads());
    std::string why;
    const bool started = fleet.start(&why);
    if (started) {
        // A look at the stop signals now and then; the run itself wakes nothing here.
        while (!fleet.waitFor(100))
            if (StopSignals::caught()) fleet.stop();
        fleet.wait();
    }
    if (!started) {
        std::cerr << "tarvos-cli fleet: " << why << "; nothing was started\n";
        return 2;
    }
    if (const std::string e = fleet.reportError(); !e.empty())
        std::cerr << "tarvos-cli fleet: the report " << o.report << " could not be written: " << e
                  << "\n";

    // Stopped by a signal: the lines above say which radios were left unfinished.
    if (StopSignals::caught()) return StopSignals::exitCode();
    const auto records = fleet.records();
    bool allDone = records.size() == o.ports.size();
    for (const link::RadioRecord& r : records)
        allDone = allDone && r.result == link::RadioResult::Succeeded;
    return allDone ? 0 : 1;
}

}  // namespace tarvos::cli
