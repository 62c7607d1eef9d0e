#pragma once
// The hand-built frames that follow the block writes of a write transfer, as bytes: what each
// sends, how long its reply is and which reply byte means success. The transfer decides which
// of them to send and retries them; the byte layouts live here.
//
//   model and band     WriteCmd 03 79 05  model  low-BCD(2)  high-BCD(2)        -> 06
//   parameter blocks   ReadCmd  03 D0|E0|F0 10                                   -> WriteCmd + 19
//   parameter frame    WriteCmd 03 F0 10  16 bytes (ParameterFrameData)          -> 06
//   new code           75 03 85 03  code[5..7]  /  75 03 8B 03  code[11..13]     -> 06
//   side keys          75 03 64 0C  image 0x0364..0x036F                         -> 06
//   alarm              75 03 60 02  08 0F (ticked) or 00 09                      -> 06
//   frequency hopping  75 03 FD 01  RadioPara[45] with bit 6 = ticked            -> 06
//   signalling timing  75 03 D9 07  image 0x03D9..0x03DF
//                      75 03 E0 0C  image 0x03E0..0x03EB                         -> 06
//   closing            45 5A A5 32 23 45 F2, no reply

#include <array>
#include <cstdint>
#include <vector>

#include "memory/image.h"
#include "memory/read_back.h"

namespace tarvos::link {

inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kCmd75 = 0x75;
inline const std::array<uint8_t, 7> kClosingFrame{0x45, 0x5A, 0xA5, 0x32, 0x23, 0x45, 0xF2};

struct Frame {
    std::vector<uint8_t> bytes;
    int replyLength;  // bytes of the reply after the echo
    uint8_t ok;       // the first reply byte that means success
};

// A band limit (10 Hz units) as four BCD digits of 100 kHz, halves rounded to even.
std::array<uint8_t, 2> BandBcd(int limit10Hz);

Frame ModelBandFrame(uint8_t writeCmd, uint8_t model, int bandLow, int bandHigh);
// Block k (0, 1, 2) of 0x03D0..0x03FF.
Frame ReadParameterBlockFrame(uint8_t readCmd, uint8_t writeCmd, int k);
Frame ParameterFrame(uint8_t writeCmd, const std::array<uint8_t, 16>& data);
// The first (0x0385..0x0387, half 1) or second (0x038B..0x038D, half 2) three bytes of the new
// code, in NewCodeBuf's layout.
Frame NewCodeFrame(const std::array<uint8_t, 16>& newCodeBuf, int part);
Frame SideKeyFrame(const ByteImage& image);
Frame AlarmFrame(bool ticked);
Frame HoppingFrame(uint8_t radioPara45, bool ticked);
// The signalling timing, block 1 (0x03D9..0x03DF) or block 2 (0x03E0..0x03EB).
Frame TimingFrame(const ByteImage& image, int part);

// The address and data of an acknowledged write frame (block step, 0x75 write or hand-built
// frame), when it is one: command writeCmd or 0x75, address, length, then that many bytes.
struct WrittenArea {
    int addr;
    std::vector<uint8_t> bytes;
};
bool WrittenAreaOf(const std::vector<uint8_t>& frame, uint8_t writeCmd, WrittenArea& out);

}  // namespace tarvos::link
