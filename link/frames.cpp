#include "link/frames.h"

#include <cmath>

namespace tarvos::link {

namespace {
constexpr uint8_t kAddrHigh = 0x03;  // every hand-built frame addresses 0x03xx

std::vector<uint8_t> WithImage(std::initializer_list<uint8_t> head, const ByteImage& image,
                               int from, int to) {
    std::vector<uint8_t> v(head);
    for (int a = from; a <= to; ++a) v.push_back(image.at(a));
    return v;
}
}  // namespace

std::array<uint8_t, 2> BandBcd(int limit10Hz) {
    int units = static_cast<int>(std::nearbyint(limit10Hz / 10000.0));
    if (units < 0) units = 0;
    units %= 10000;
    int d3 = units / 1000, d2 = units / 100 % 10, d1 = units / 10 % 10, d0 = units % 10;
    return {static_cast<uint8_t>(d3 * 16 + d2), static_cast<uint8_t>(d1 * 16 + d0)};
}

Frame ModelBandFrame(uint8_t writeCmd, uint8_t model, int bandLow, int bandHigh) {
    const auto low = BandBcd(bandLow), high = BandBcd(bandHigh);
    return {{writeCmd, kAddrHigh, 0x79, 0x05, model, low[0], low[1], high[0], high[1]}, 1, kAck};
}

Frame ReadParameterBlockFrame(uint8_t readCmd, uint8_t writeCmd, int k) {
    return {{readCmd, kAddrHigh, static_cast<uint8_t>(0xD0 + 0x10 * k), 0x10}, 20, writeCmd};
}

Frame ParameterFrame(uint8_t writeCmd, const std::array<uint8_t, 16>& data) {
    std::vector<uint8_t> bytes{writeCmd, kAddrHigh, 0xF0, 0x10};
    bytes.insert(bytes.end(), data.begin(), data.end());
    return {bytes, 1, kAck};
}

Frame NewCodeFrame(const std::array<uint8_t, 16>& code, int part) {
    if (part == 1) return {{kCmd75, kAddrHigh, 0x85, 0x03, code[5], code[6], code[7]}, 1, kAck};
    return {{kCmd75, kAddrHigh, 0x8B, 0x03, code[11], code[12], code[13]}, 1, kAck};
}

Frame SideKeyFrame(const ByteImage& image) {
    return {WithImage({kCmd75, kAddrHigh, 0x64, 0x0C}, image, 0x0364, 0x036F), 1, kAck};
}

Frame AlarmFrame(bool ticked) {
    return {{kCmd75, kAddrHigh, 0x60, 0x02, static_cast<uint8_t>(ticked ? 0x08 : 0x00),
             static_cast<uint8_t>(ticked ? 0x0F : 0x09)},
            1,
            kAck};
}

Frame HoppingFrame(uint8_t radioPara45, bool ticked) {
    const uint8_t hop = ticked ? (radioPara45 | 0x40) : (radioPara45 & ~0x40);
    return {{kCmd75, kAddrHigh, 0xFD, 0x01, hop}, 1, kAck};
}

Frame TimingFrame(const ByteImage& image, int part) {
    if (part == 1)
        return {WithImage({kCmd75, kAddrHigh, 0xD9, 0x07}, image, 0x03D9, 0x03DF), 1, kAck};
    return {WithImage({kCmd75, kAddrHigh, 0xE0, 0x0C}, image, 0x03E0, 0x03EB), 1, kAck};
}

bool WrittenAreaOf(const std::vector<uint8_t>& f, uint8_t writeCmd, WrittenArea& out) {
    if (f.size() < 4 || (f[0] != writeCmd && f[0] != kCmd75)) return false;
    if (f.size() != 4u + f[3]) return false;
    out = {f[1] << 8 | f[2], std::vector<uint8_t>(f.begin() + 4, f.end())};
    return true;
}

}  // namespace tarvos::link
