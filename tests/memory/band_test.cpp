// The band bytes: writing the limits, reading them back with the refusal rule, and the
// custom band check.
#include "memory/band.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tarvos {
namespace {

void SetBandBytes(ByteImage& image, std::array<uint8_t, 4> b) {
    for (int i = 0; i < 4; ++i) image[0x037A + i] = b[i];
}
std::array<uint8_t, 4> BandBytes(const ByteImage& image) {
    return {image[0x037A], image[0x037B], image[0x037C], image[0x037D]};
}

TEST(Band, WritingTheLimits) {
    struct Case {
        int32_t low, high;
        std::array<uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {13600000, 17400000, {0x13, 0x60, 0x17, 0x40}},
        {40000000, 52000000, {0x40, 0x00, 0x52, 0x00}},
        {13612500, 17390000, {0x13, 0x61, 0x17, 0x39}},  // custom 136.125 - 173.9 MHz
        {12000000, 55000000, {0x12, 0x00, 0x55, 0x00}},
    };
    for (const auto& c : cases) {
        ByteImage image;
        WriteBandLimits(image, c.low, c.high);
        EXPECT_EQ(BandBytes(image), c.bytes) << c.low;
    }
}

TEST(Band, ReadingTheLimitsWithTheRefusalRule) {
    struct Case {
        std::array<uint8_t, 4> stored;
        int32_t low, high;
        int index;
        std::array<uint8_t, 4> after;
    };
    const Case cases[] = {
        {{0x13, 0x60, 0x17, 0x40}, 13600000, 17400000, 1, {0x13, 0x60, 0x17, 0x40}},
        {{0x40, 0x00, 0x52, 0x00}, 40000000, 52000000, 12, {0x40, 0x00, 0x52, 0x00}},
        {{0x12, 0x00, 0x52, 0x00}, 12000000, 52000000, 13, {0x12, 0x00, 0x52, 0x00}},
        {{0x13, 0x61, 0x17, 0x39}, 13610000, 17390000, 14, {0x13, 0x61, 0x17, 0x39}},
        {{0x55, 0x00, 0x55, 0x00}, 55000000, 55000000, 14, {0x55, 0x00, 0x55, 0x00}},
        // refused: 40 MHz low, above 550 MHz, high below low, erased bytes
        {{0x04, 0x00, 0x48, 0x00}, 40000000, 48000000, 8, {0x40, 0x00, 0x48, 0x00}},
        {{0x40, 0x00, 0x55, 0x01}, 40000000, 48000000, 8, {0x40, 0x00, 0x48, 0x00}},
        {{0x47, 0x00, 0x40, 0x00}, 40000000, 48000000, 8, {0x40, 0x00, 0x48, 0x00}},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 40000000, 48000000, 8, {0x40, 0x00, 0x48, 0x00}},
        // nibbles above 9 weigh like digits: 1A 00 is 1*1000 + 10*100 = 2000 -> 200 MHz
        {{0x1A, 0x00, 0x26, 0x00}, 20000000, 26000000, 4, {0x1A, 0x00, 0x26, 0x00}},
    };
    for (const auto& c : cases) {
        ByteImage image;
        SetBandBytes(image, c.stored);
        const Band band = IicDatToBand(image);
        EXPECT_EQ(band.low, c.low) << int(c.stored[0]);
        EXPECT_EQ(band.high, c.high) << int(c.stored[0]);
        EXPECT_EQ(band.index, c.index) << int(c.stored[0]);
        EXPECT_EQ(BandBytes(image), c.after) << int(c.stored[0]);
    }
}

TEST(Band, EveryTableRowRoundTripsThroughTheImage) {
    for (int i = 0; i < 14; ++i) {
        ByteImage image;
        WriteBandLimits(image, kBandTable[i].low, kBandTable[i].high);
        EXPECT_EQ(IicDatToBand(image).index, i);
    }
}

TEST(Band, CustomBandCheck) {
    struct Case {
        const char *min, *max;
        bool accepted;
        int32_t low, high;
    };
    const Case cases[] = {
        {"136.125", "173.9", true, 13612500, 17390000},
        {"120", "520", true, 12000000, 52000000},
        {" 400 ", "400", true, 40000000, 40000000},
        {"100", "200", false, 12000000, 52000000},  // below 120 MHz
        {"400", "521", false, 12000000, 52000000},  // above 520 MHz
        {"480", "400", false, 12000000, 52000000},  // max below min
        {"abc", "520", false, 12000000, 52000000},
        {"", "520", false, 12000000, 52000000},
        {"1e400", "520", false, 12000000, 52000000},
    };
    for (const auto& c : cases) {
        const CustomBand band = CheckCustomBand(c.min, c.max);
        EXPECT_EQ(band.accepted, c.accepted) << c.min << " " << c.max;
        EXPECT_EQ(band.low, c.low) << c.min;
        EXPECT_EQ(band.high, c.high) << c.min;
        if (!c.accepted) {
            EXPECT_EQ(band.minText, "120");
            EXPECT_EQ(band.maxText, "520");
        } else {
            EXPECT_EQ(band.minText, c.min);
        }
    }
}

TEST(Band, Captions) {
    EXPECT_EQ(BandCaption(1, 13600000, 17400000, "Custom"), "136 - 174 MHz");
    EXPECT_EQ(BandCaption(14, 13612500, 17390000, "Custom"), "Custom  136 - 173 MHz");
    // The custom caption is made from the limits as stored (rounded to 100 kHz), so it reads
    // the same before and after the band has been through the image.
    for (auto [lo, hi, caption] : {std::tuple{13696000, 17396000, "Custom  137 - 174 MHz"},
                                   std::tuple{13695000, 17394999, "Custom  137 - 173 MHz"},
                                   std::tuple{13612500, 17390000, "Custom  136 - 173 MHz"}}) {
        EXPECT_EQ(BandCaption(14, lo, hi, "Custom"), caption);
        ByteImage image;
        WriteBandLimits(image, lo, hi);
        const Band back = IicDatToBand(image);
        EXPECT_EQ(BandCaption(back.index, back.low, back.high, "Custom"), caption);
    }
}

}  // namespace
}  // namespace tarvos
