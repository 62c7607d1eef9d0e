#include "memory/identification.h"

namespace tarvos {

bool EnsureIdentificationBlock(ByteImage& image) {
    if (image.at(kIdentificationAddr) == kIdentificationBytes[0]) return false;
    for (int i = 0; i < 8; ++i) image.at(kIdentificationAddr + i) = kIdentificationBytes[i];
    return true;
}

}  // namespace tarvos
