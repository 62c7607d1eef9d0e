#include "memory/read_back.h"

namespace tarvos {

void ApplyReadBackRules(ByteImage& image) {
    for (size_t i = 0; i < kSideKeyCopyRadio.size(); ++i)
        if (image.at(kParameterBlocksAddr + static_cast<int>(i)) != kSideKeyCopyRadio[i]) return;
    for (int i = 0; i < kSideKeyCopySize; ++i)
        image.at(kSideKeyCopyTarget + i) = image.at(kSideKeyCopySource + i);
}

WriteParamBits ParamBitsOf(const ByteImage& image) {
    WriteParamBits bits;
    bits.bit7Of03FC = (image.at(0x03FC) & 0x80) != 0;
    bits.bit2Of03FE = (image.at(0x03FE) & 0x04) != 0;
    return bits;
}

std::array<uint8_t, 16> ParameterFrameData(const RadioPara& radio, const ByteImage& image,
                                           WriteParamBits bits) {
    std::array<uint8_t, 16> data{};
    const int first = kParameterFrameAddr - kParameterBlocksAddr;
    for (size_t i = 0; i < data.size(); ++i) data[i] = radio[static_cast<size_t>(first) + i];
    data[6] = image.at(0x03F6);
    data[7] = image.at(0x03F7);
    data[12] = static_cast<uint8_t>((data[12] & 0x7F) | (bits.bit7Of03FC ? 0x80 : 0));
    data[14] = static_cast<uint8_t>((data[14] & ~0x04) | (bits.bit2Of03FE ? 0x04 : 0));
    return data;
}

}  // namespace tarvos
