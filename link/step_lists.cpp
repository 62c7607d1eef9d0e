#include "link/step_lists.h"

#include <algorithm>
#include <cmath>

#include "link/hex_text.h"
#include "memory/radio_text.h"

namespace tarvos::link {

namespace {
const char kEnd[] = "TX06RX06EN";
const char kProgram[] = "TX50524F4752414DRX06";

// Rounds to the nearest integer, halves to even.
int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

std::string Repeat(const char* token, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += token;
    return s;
}

}  // namespace

StepLists::StepLists(ByteImage& image, TransferHost& host, RangeSettings& ranges, ErrorLog& errors)
    : image_(image), host_(host), ranges_(ranges), errors_(errors) {}

const std::string& StepLists::ComScript(Direction d, int step) const {
    const auto& s = script_[index(d)];
    if (step < 1 || step > static_cast<int>(s.size())) Raise(err::IndexOutOfRange);
    return s[static_cast<size_t>(step - 1)];
}

const StepInfoRow& StepLists::StepInfo(Direction d, int step) const {
    const auto& s = info_[index(d)];
    if (step < 1 || step > static_cast<int>(s.size())) Raise(err::IndexOutOfRange);
    return s[static_cast<size_t>(step - 1)];
}

int StepLists::BlockProgress(int j, int start, int end) {
    int q = RoundEven((end - start) / 16.0);
    if (q == 0) q = 1;
    return std::min(98, RoundEven((j - 1) * 94.0 / q + 3));
}

bool StepLists::isReserved(const std::string& text) const {
    return std::find(reservedCodes.begin(), reservedCodes.end(), text) != reservedCodes.end();
}

std::string StepLists::codeCheckScript(const FunctionPageState& page) const {
    std::string script = kEnd;
    if (rdWrCodeMode_ && !codeProbe_) {
        const bool useNew = useNewCode_ && page.newRdWrCodeVisible;
        const std::array<uint8_t, 6> code =
            useNew ? NewCodeBytes(page.NewCodeBuf) : StoredRdWrCodeBytes(image_);
        std::string k[6];
        for (size_t i = 0; i < 6; ++i) k[i] = Hex2(code[i]);
        script = "TX52038010RXVA038010VAVAVAVAVA" + k[0] + k[1] + k[2] + "VAVAVA" + k[3] + k[4] +
                 k[5] + "VAVAEN";
    }
    if (page.newRdWrCodeVisible && isReserved(page.newRdWrCodeText)) script = kEnd;
    if (isReserved(page.rdWrCodeText)) script = kEnd;
    return script;
}

bool StepLists::buildBlocks(Direction d, int start, int end, const std::string& r,
                            const std::string& w, const FixedSteps& fixed) {
    const int i = index(d);
    std::vector<std::string> scripts(fixed.begin(), fixed.end());
    std::vector<StepInfoRow> infos{{0, 0, 0}, {0, 0, 0}, {0, 0, 3}};
    // Refuse a range that cannot be transferred before any step of it is built: a transfer
    // must never run a half-built or empty list. A refused rebuild leaves the list as it
    // was: a transfer that is running keeps the steps it started with, and a list never
    // built stays empty.
    refusal_[i] = CheckTransferRange(start, end, image_.DatNum());
    if (!refusal_[i].ok()) return false;

    int j = kFixedSteps + 1;
    for (int a = start; a <= end;) {
        const int len = (end - a >= 16) ? 16 : end - a + 1;
        const std::string addr = Hex4(static_cast<unsigned>(a)),
                          ll = Hex2(static_cast<unsigned>(len));
        std::string s;
        if (d == Direction::Read) {
            s = "TX" + r + addr + ll + "RX" + w + addr + ll + Repeat("VA", len) + "EN";
        } else if (a >= 0x0280 && a <= 0x02FF) {
            s = "TX75" + addr + ll + Repeat("VA", len) + "RX06EN";
        } else if (a >= 0x01A0 && a <= 0x01AF) {
            s = "TX" + w + "01AC04" + "VAVAVAVA" + "RX06EN";
        } else {
            s = "TX" + w + addr + ll + Repeat("VA", len) + "RX06EN";
        }
        scripts.push_back(s);
        infos.push_back({a, len, BlockProgress(j, start, end)});
        ++j;
        a += len;
    }
    // The closing exchange; in code mode too, so the last step never repeats a block.
    scripts.push_back(kEnd);
    infos.push_back({0, 0, 100});
    stepNum_[i] = j;
    script_[i] = std::move(scripts);
    info_[i] = std::move(infos);
    return true;
}

void StepLists::InitProtocol(const std::string& r, const std::string& w) {
    Guard(errors_, "modCommun->InitProtocol", [&] {
        FunctionPageState page = host_.functionPage();
        rdWrCodeMode_ = page.rdWrCodeVisible;
        const std::string check = codeCheckScript(page);

        // Step 1 reads the command letters at 0x0388, step 2 the code area at 0x0385; a
        // write shakes hands twice first and sends the VOX levels after the letters.
        const std::string letters = "TX52038803RXVA038803VAVAVA";
        const std::string codeArea = "TX52038509RXVA038509VAVAVAVAVAVAVAVAVAEN";
        buildBlocks(Direction::Read, ranges_.ReadStartAddr, ranges_.ReadEndAddr, r, w,
                    {kProgram + letters + "EN", codeArea, check});

        std::string vox;
        for (int a = 0x0194; a <= 0x019E; ++a) vox += Hex2(image_.at(a));
        const std::string twice = std::string(kProgram) + kProgram;
        buildBlocks(Direction::Write, ranges_.WriteStartAddr, ranges_.WriteEndAddr, r, w,
                    {twice + letters + "TX7501940B" + vox + "RX06EN", twice + codeArea, check});
    });
}

void StepLists::SetComCmd(const std::string& r, const std::string& w, uint8_t rb, uint8_t wb) {
    readCmd_ = rb;
    writeCmd_ = wb;
    InitProtocol(r, w);
}

void StepLists::SetComCmdStd() {
    stdReadCmd_ = kStdRead;
    stdWriteCmd_ = kStdWrite;
    SetComCmd("52", "57", kStdRead, kStdWrite);
}

void StepLists::SetComCmdAlt() {
    SetComCmd("53", "58", kAltRead, kAltWrite);
}

StepLists::Reply StepLists::AnalyseReply(int stepNo, const Interpreter& interp) {
    auto isRead = [](uint8_t c) { return c == 0x48 || c == 0x49; };   // "H" "I"
    auto isWrite = [](uint8_t c) { return c == 0x4D || c == 0x4E; };  // "M" "N"
    if (stepNo == 1 && interp.VaPos() == 5) {
        const uint8_t z = interp.VaDat(2), rc = interp.VaDat(3), wc = interp.VaDat(4);
        if (z != 0x5A) {
            SetComCmdStd();
        } else if (rc == stdReadCmd_ && wc == stdWriteCmd_) {
            SetComCmdStd();
        } else if (rc == readCmd_ && wc == writeCmd_) {
            // The radio uses the pair in force.
        } else if (isRead(rc) && isWrite(wc)) {
            SetComCmd(Hex2(rc), Hex2(wc), rc, wc);
        } else {
            return Reply::Unsupported;
        }
    } else if (stepNo == 2 && rdWrCodeMode_ && interp.VaPos() == 11) {
        const int code[6] = {2, 3, 4, 8, 9, 10};
        bool noCode = true;
        for (int p : code) noCode = noCode && interp.VaDat(p) == 0xFF;
        if (noCode) {
            codeProbe_ = true;
            const uint8_t rc = interp.VaDat(6), wc = interp.VaDat(7);
            if (rc == stdReadCmd_ && wc == stdWriteCmd_) {
                SetComCmdStd();
            } else if (isRead(rc) && isWrite(wc)) {
                SetComCmd(Hex2(rc), Hex2(wc), rc, wc);
            } else {
                SetComCmdAlt();
            }
            codeProbe_ = false;
        }
    }
    return Reply::Ok;
}

std::string StepLists::refusal(Direction d, int language) const {
    return RangeRefusalText(d, refusal_[index(d)], language);
}

}  // namespace tarvos::link
