#pragma once
// The read and write step lists: one script per step, the memory block each step carries
// and the progress shown when it succeeds. The lists are built for the transfer ranges with
// the command letters the radio understands and the read/write-code check, and rebuilt while
// a transfer runs when the radio reports other letters or no code.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "link/frames.h"
#include "link/interpreter.h"
#include "link/observer.h"
#include "link/range_settings.h"
#include "link/transfer_range.h"
#include "memory/image.h"

namespace tarvos::link {

struct StepInfoRow {
    int start = 0;     // first address of the step's block
    int length = 0;    // bytes in the block; 0 for steps without one
    int progress = 0;  // percent shown when the step has succeeded
};

// The standard letters, the pair every transfer starts with, and the write command of the
// two-tone table and the parameter areas.
inline constexpr uint8_t kStdRead = 0x52, kStdWrite = 0x57;  // "R" "W"
inline constexpr uint8_t kAltRead = 0x53, kAltWrite = 0x58;  // "S" "X"

class StepLists {
  public:
    StepLists(ByteImage& image, TransferHost& host, RangeSettings& ranges, ErrorLog& errors);

    // Builds both lists. A list whose range cannot be transferred (reversed, outside the
    // image, more steps than a list holds) is not built: the previous list of that direction
    // stays in place (none before the first build) and refusal(d) says why.
    void InitProtocol(const std::string& r, const std::string& w);
    void SetComCmd(const std::string& r, const std::string& w, uint8_t rb, uint8_t wb);
    void SetComCmdStd();
    void SetComCmdAlt();

    // The reply analysis run after a reply part matched.
    enum class Reply { Ok, Unsupported };
    Reply AnalyseReply(int stepNo, const Interpreter& interp);

    int StepNum(Direction d) const { return stepNum_[index(d)]; }
    const std::string& ComScript(Direction d, int step) const;
    const StepInfoRow& StepInfo(Direction d, int step) const;
    // Empty when the last build of the list of direction d was made, else the reason it was
    // refused (the list then is the one built before, if any), in the
    // interface language (1 Simplified Chinese, 2 Traditional Chinese, 3 English).
    std::string refusal(Direction d, int language = 3) const;

    // The command pair every block step is built with.
    uint8_t ReadCmd() const { return readCmd_; }
    uint8_t WriteCmd() const { return writeCmd_; }
    // The model has a read/write code (txtRdWrCode visible when the lists were built).
    bool RdWrCodeMode() const { return rdWrCodeMode_; }
    // The code check uses the new code instead of the stored one.
    bool UseNewCode() const { return useNewCode_; }
    void setUseNewCode(bool on) { useNewCode_ = on; }
    // The lists are being rebuilt for a radio that has no code (CodeProbe).
    bool CodeProbe() const { return codeProbe_; }
    // Codes that switch the code check off when typed into a code box; empty by default.
    std::vector<std::string> reservedCodes;

    // Progress of block step j for a range: (j - 1) * 94 / q + 3, at most 98.
    static int BlockProgress(int j, int start, int end);

  private:
    static int index(Direction d) { return d == Direction::Read ? 0 : 1; }
    std::string codeCheckScript(const FunctionPageState& page) const;
    bool isReserved(const std::string& text) const;
    using FixedSteps = std::array<std::string, kFixedSteps>;
    // The list of direction d: its fixed steps, then a step per block from start to end,
    // then the closing exchange; refused (the list left as it was) when the range cannot be
    // transferred.
    bool buildBlocks(Direction d, int start, int end, const std::string& r, const std::string& w,
                     const FixedSteps& fixed);

    ByteImage& image_;
    TransferHost& host_;
    RangeSettings& ranges_;
    ErrorLog& errors_;
    std::array<std::vector<std::string>, 2> script_;
    std::array<std::vector<StepInfoRow>, 2> info_;
    std::array<int, 2> stepNum_{0, 0};
    // Why a list was refused, if it was.
    std::array<RangeCheck, 2> refusal_;
    uint8_t readCmd_ = kAltRead, writeCmd_ = kAltWrite;
    // The standard pair. Known from the start, so a "Z" radio reporting "R"/"W" is never
    // taken for an unsupported one because no list had been built with it yet.
    uint8_t stdReadCmd_ = kStdRead, stdWriteCmd_ = kStdWrite;
    bool rdWrCodeMode_ = false;
    bool useNewCode_ = false;
    bool codeProbe_ = false;
};

}  // namespace tarvos::link
