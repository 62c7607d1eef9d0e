#pragma once
// Checking a read. The protocol carries no check of data bytes, so a byte garbled on the
// cable arrives as data. A checked read reads the range twice and compares; where the two
// differ it reads a third time and takes, byte by byte, the value two of the three agree on.
// Where no two agree the read fails and names the addresses. The window's Settings > "Check
// each read" and `tarvos-cli read --check` both run it (Transfer::setCheckEachRead); the
// comparison below is plain data, so anything else that reads a radio can settle its reads
// the same way.

#include <string>
#include <vector>

#include "memory/image.h"

namespace tarvos::link {

// One read of the range: the image as the read left it and the addresses it filled.
struct ReadPass {
    ByteImage bytes;
    std::vector<bool> touched;
    explicit ReadPass(const ByteImage& start)
        : bytes(start), touched(static_cast<size_t>(start.size()), false) {}
};

// The addresses a read that b read differently or not at all, ascending.
std::vector<int> Disagreements(const ReadPass& a, const ReadPass& b);

// For each address of `at`: the value two of the three reads agree on goes into `into` (only
// a read that filled the address counts). Returns the addresses where no two agree.
std::vector<int> SettleByMajority(const ReadPass& a, const ReadPass& b, const ReadPass& c,
                                  const std::vector<int>& at, ByteImage& into);

// The status while the second or third read runs, and the message when the reads could not
// be settled, in the interface language (1 Simplified Chinese, 2 Traditional, 3 English).
std::string ReadCheckPassText(int pass, int language);
std::string ReadCheckFailedText(const std::vector<int>& unsettled, int language, size_t shown = 8);

}  // namespace tarvos::link
