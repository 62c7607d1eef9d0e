#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_log.h"
#include "cli/commands.h"

namespace {

const char* kUsage =
    "usage: tarvos-cli COMMAND ...\n"
    "  dump FILE.dat                      print what the application shows for a data file, as "
    "JSON\n"
    "  diff OLD.dat NEW.dat [--lang N] [--json]   where two data files differ as the application "
    "shows them\n"
    "  set IN.dat --out OUT.dat NAME=VALUE...   change function settings as a user would\n"
    "  edit IN.dat --out OUT.dat [--lang N] [--seed N] ACTION...   edit channels as a user would\n"
    "  csv export FILE.dat [--out LIST.csv]   channels in use as a CHIRP CSV list\n"
    "  csv import LIST.csv --in BASE.dat --out OUT.dat   channels of a CHIRP CSV list typed in\n"
    "  print FILE.dat --pdf OUT.pdf [--lang N] [--content cover,settings,channels]\n"
    "                                     the pages the window prints, as a PDF\n"
    "  read --port PORT [--code TEXT] [--start HEX --end HEX] [--check] --out FILE.dat\n"
    "  write --port PORT --in FILE.dat [--code TEXT] [--new-code TEXT] [--start HEX --end HEX] "
    "[--verify]\n"
    "  fleet write --ports P1,P2,... --in FILE.dat [--code TEXT] [--verify]\n"
    "              [--number NAME=START[:STEP]] [--report FILE.csv] [--start HEX --end HEX]\n"
    "  fleet read --ports P1,P2,... --out-dir DIR [--code TEXT] [--report FILE.csv]\n"
    "             [--start HEX --end HEX]   many radios at once, one per port\n"
    "  simulate [--image FILE.dat] [--echo] [--letters ZIM] [--code TEXT] [--pace]\n"
    "           [--fault KIND[:ARG]] [--save-image FILE.dat]\n"
    "  help, --help, -h                   print this text\n"
    "  --verbose                          with any command: the error log's entries as well\n"
    "  --version                          print the version\n";

struct Command {
    const char* name;
    int (*run)(const tarvos::cli::Args&);
};

const Command kCommands[] = {
    {"dump", tarvos::cli::Dump},         {"set", tarvos::cli::Set},
    {"edit", tarvos::cli::Edit},         {"csv", tarvos::cli::Csv},
    {"read", tarvos::cli::Read},         {"write", tarvos::cli::Write},
    {"simulate", tarvos::cli::Simulate}, {"print", tarvos::cli::Print},
    {"diff", tarvos::cli::Diff},
    {"fleet", tarvos::cli::Fleet},
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    tarvos::cli::SetVerbose(tarvos::cli::TakeVerbose(words));
    if (words.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    // Asked for, the usage is the answer: standard output and success.
    const std::string first = words[0];
    if (first == "--help" || first == "-h" || first == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (first == "--version") {
        std::cout << "tarvos-cli " << TARVOS_VERSION << "\n";
        return 0;
    }
    tarvos::cli::Args args(words.begin() + 1, words.end());
    for (const auto& c : kCommands)
        if (first == c.name) return c.run(args);
    std::cerr << "tarvos-cli: unknown command '" << first << "'\n" << kUsage;
    return 2;
}
