// The fingerprint of an image: CRC-32 of 0x0010-0x037F, as any common tool computes it.
#include <gtest/gtest.h>

#include <string_view>

#include "memory/crc32.h"
#include "memory/image_fingerprint.h"

namespace tarvos {
namespace {

TEST(Fingerprint, IsTheCommonCrc32OfTheWriteRangeOnly) {
    const std::string_view check = "123456789";
    EXPECT_EQ(Crc32({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0xCBF43926u);

    ByteImage image(kMinDatNum);
    EXPECT_EQ(ImageFingerprint(image), "795F8E7F");  // 0x370 zero bytes, as zlib has it
    const std::string zeros = ImageFingerprint(image);
    struct Case {
        int addr;
        bool counts;
    };
    for (const Case c : {Case{0x000F, false}, Case{0x0010, true}, Case{0x037F, true},
                         Case{0x0380, false}, Case{0x0400, false}}) {
        ByteImage changed = image;
        changed.at(c.addr) = 0x5A;
        EXPECT_EQ(ImageFingerprint(changed) != zeros, c.counts) << c.addr;
    }
}

}  // namespace
}  // namespace tarvos
