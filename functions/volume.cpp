#include "functions/volume.h"

namespace tarvos {

namespace {
constexpr std::array<uint8_t, 256> kVoiceSeq = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   16,  10,  17,  11,  18,  12,   //
    19,  13,  20,  14,  21,  15,  22,  32,  33,  23,  34,  24,  35,  25,  48,  36,   //
    26,  49,  37,  27,  50,  38,  28,  64,  51,  39,  65,  29,  52,  40,  66,  30,   //
    80,  53,  81,  41,  67,  31,  54,  96,  82,  42,  68,  55,  97,  112, 43,  69,   //
    83,  56,  98,  128, 113, 44,  70,  84,  144, 129, 57,  114, 99,  145, 45,  71,   //
    85,  160, 130, 58,  100, 115, 161, 176, 146, 46,  72,  86,  131, 177, 59,  101,  //
    116, 192, 162, 87,  47,  147, 73,  132, 178, 60,  193, 102, 117, 163, 88,  148,  //
    74,  133, 61,  209, 103, 208, 194, 179, 118, 164, 149, 75,  224, 89,  134, 62,   //
    210, 104, 119, 180, 195, 225, 165, 150, 76,  90,  240, 135, 181, 63,  211, 120,  //
    105, 196, 226, 166, 241, 151, 77,  91,  136, 182, 212, 197, 106, 121, 167, 227,  //
    242, 152, 78,  92,  137, 183, 213, 107, 198, 122, 168, 228, 93,  243, 153, 79,   //
    138, 184, 214, 108, 199, 123, 229, 169, 94,  244, 154, 139, 215, 109, 200, 185,  //
    124, 230, 170, 245, 155, 95,  140, 216, 110, 125, 186, 201, 231, 171, 246, 156,  //
    141, 187, 126, 217, 111, 202, 232, 172, 247, 157, 142, 188, 218, 203, 127, 173,  //
    233, 248, 158, 143, 189, 219, 204, 174, 234, 249, 159, 190, 220, 205, 235, 175,  //
    250, 221, 206, 191, 236, 251, 222, 207, 237, 252, 223, 238, 253, 239, 254, 255,  //
};

constexpr std::array<uint8_t, 11> kDirectDefaults = {108, 68, 60, 54, 48, 40, 32, 24, 16, 8, 0};
constexpr std::array<uint8_t, 11> kSequenceDefaults = {0,   69,  148, 120, 227, 79,
                                                       185, 156, 173, 175, 253};

int FirstSeqOf(int code) {
    for (int q = 0; q < 256; ++q)
        if (kVoiceSeq[q] == code) return q;
    return 0;
}
}  // namespace

const std::array<uint8_t, 256>& VoiceSeq() {
    return kVoiceSeq;
}

int VolumeDatToSeq(int code) {
    for (int q = 255; q >= 0; --q)
        if (kVoiceSeq[q] == code) return q;
    return 0;
}

std::array<int, 10> SeqVolumeDatToSeq(const ByteImage& image, int mode) {
    std::array<int, 10> shown{};
    for (int i = 1; i <= 10; ++i) {
        int c = image.at(kVolumeLevel0Addr + i);
        shown[i - 1] = NormalizeVolumeMode(mode) == kVolumeModeDirect ? c : FirstSeqOf(c);
    }
    return shown;
}

void PickVolumeLevel(ByteImage& image, int mode, int level, int p) {
    if (level < 1 || level > 10 || p < 0 || p > 255) Raise(err::InvalidPropertyValue);
    image.at(kVolumeLevel0Addr + level) =
        NormalizeVolumeMode(mode) == kVolumeModeDirect ? static_cast<uint8_t>(p) : kVoiceSeq[p];
}

bool VolumeUseTable(const ByteImage& image) {
    return image.at(kVolumeUseTableAddr) == kVolumeUseTable;
}

void SetVolumeUseTable(ByteImage& image, bool use) {
    image.at(kVolumeUseTableAddr) = use ? kVolumeUseTable : kVolumeNoTable;
}

void VolumeDefault(ByteImage& image, int mode) {
    const auto& codes =
        NormalizeVolumeMode(mode) == kVolumeModeDirect ? kDirectDefaults : kSequenceDefaults;
    for (int i = 0; i < 11; ++i) image.at(kVolumeLevel0Addr + i) = codes[i];
    SetVolumeUseTable(image, true);
}

std::string VolumeLevelCaption(const FaceTextTable& ft, int level) {
    return ft[335] + (level == 10 ? " " : "  ") + std::to_string(level) + " " + ft[336];
}

}  // namespace tarvos
