#pragma once
// Verifying a write: what the radio should hold after it (the last value every acknowledged
// write left at each address of its memory), the read range that covers those addresses,
// and the comparison with what a read of that range brought back. The window's "Verify after
// write" and `tarvos-cli write --verify` both use it, so they judge a radio alike.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "link/frames.h"
#include "link/observer.h"
#include "memory/image.h"

namespace tarvos::link {

struct VerifyPlan {
    std::map<int, uint8_t> expected;  // address -> the byte the radio should hold
    int start = 0;                    // the read range: first and last expected address
    int end = -1;
    bool empty() const { return expected.empty(); }
};

// The plan for the writes a transfer reports (Transfer::written()); addresses past the
// radio's memory are left out.
VerifyPlan PlanVerification(const std::vector<WrittenArea>& written);

struct ByteDifference {
    int addr;
    uint8_t wrote;
    uint8_t read;
};

struct VerifyResult {
    int checked = 0;                          // bytes compared
    std::vector<ByteDifference> differences;  // in address order
    bool matched() const { return differences.empty(); }
};

// Compares the bytes a read brought back (at their addresses in readBack) with the plan.
VerifyResult CompareReadBack(const VerifyPlan& plan, const ByteImage& readBack);

// One line for the user, in the interface language (1 Simplified Chinese, 2 Traditional,
// 3 English): every byte matched, or how many differ and the first `shown` addresses.
std::string VerifySummary(const VerifyResult& result, int language, size_t shown = 8);
// The line when the read-back itself did not succeed, so nothing could be compared.
std::string VerifyReadFailedText(int language);
// The addresses as four hexadecimal digits joined in the manner of the interface language,
// the first `shown` of them, then an ellipsis when there are more.
std::string AddressList(const std::vector<int>& addresses, int language, size_t shown = 8);
// One line per difference: "0123: wrote 5A, read 5B".
std::string DifferenceLine(const ByteDifference& d);

// The host of a verification read: only the function page's code boxes, as the write had
// them, so the read passes the same code check and changes nothing else.
struct ReadBackHost : TransferHost {
    FunctionPageState page;
    FunctionPageState functionPage() override { return page; }
};

}  // namespace tarvos::link
