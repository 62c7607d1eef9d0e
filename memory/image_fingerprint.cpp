#include "memory/image_fingerprint.h"

#include <cstdio>

#include "memory/crc32.h"

namespace tarvos {

std::string ImageFingerprint(const ByteImage& image) {
    const auto bytes =
        image.bytes().subspan(kFingerprintFrom, kFingerprintTo - kFingerprintFrom + 1);
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(Crc32(bytes)));
    return text;
}

}  // namespace tarvos
