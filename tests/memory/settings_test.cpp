// What the memory model reads from the settings file: the image size, the transfer ranges
// and the channel layout, for the shipped file and for faulty ones.
#include <gtest/gtest.h>

#include <fstream>

#include "base/settings_file.h"
#include "memory/bit_masks.h"
#include "memory/channel_layout.h"
#include "memory/image_settings.h"
#include "memory_fixture.h"

namespace tarvos {
namespace {

using test::Logged;
using test::TempFolder;

void WriteText(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

TEST(ImageSettings, DatNumFromText) {
    const std::pair<const char*, int> cases[] = {
        {"", 1039},      {"0", 1039},      {"abc", 1039},    {"1038", 1039},
        {"-5", 1039},    {"12x", 1039},    {"1039", 1039},   {"2047", 2047},
        {"+2047", 2047}, {"65535", 65535}, {"70000", 65535}, {"99999999999999999999", 65535},
    };
    for (auto [text, n] : cases) EXPECT_EQ(DatNumFromText(text), n) << text;
}

// Each language's layout: four fixed columns, then option columns for fields 5..10 with a
// drop-down list matching their value texts, a value count and a default in range.
TEST(ShippedSettings, ChannelLayoutsOfAllLanguages) {
    SettingsFile settings(test::BuiltData("tarvosk.def"));
    for (int language = 1; language <= 3; ++language) {
        Logged l;
        const ChannelLayout layout = ReadChInfo(settings, language, l.log);
        EXPECT_TRUE(l.locations().empty()) << language;
        EXPECT_EQ(layout.channelCount, 16);
        ASSERT_EQ(layout.columnCount, 10);
        EXPECT_EQ(layout.captions().size(), 11u);
        EXPECT_EQ(layout.key(1), "RxFre");
        EXPECT_EQ(layout.key(2), "TxFre");
        EXPECT_EQ(layout.key(3), "CtcssDcsDec");
        EXPECT_EQ(layout.key(4), "CtcssDcsEnc");
        const int valueCounts[] = {2, 2, 2, 3, 2, 4};  // fields 5..10
        for (int c = 5; c <= 10; ++c) {
            const int count = std::stoi(layout.item(c, 1));
            EXPECT_EQ(count, valueCounts[c - 5]) << c;
            std::string list;
            for (int v = 0; v < count; ++v) list += (v ? "|" : "") + layout.item(c, 3 + v);
            EXPECT_EQ(layout.key(c), list) << language << " column " << c;
            EXPECT_GE(layout.columnDefault(c), 0);
            EXPECT_LT(layout.columnDefault(c), count);
        }
    }
    Logged l;
    const ChannelLayout english = ReadChInfo(settings, 3, l.log);
    EXPECT_EQ(english.item(5, 4), "High");
    EXPECT_EQ(english.item(8, 4), "Carrier");
    EXPECT_EQ(english.item(10, 6), "BOTH");
    const ChannelLayout chs = ReadChInfo(settings, 1, l.log);
    EXPECT_EQ(chs.item(6, 4), "宽带");
}

// Without a ChInfo section the first column's list never ends: reading stops there, and
// the defaults stay in force.
TEST(ChannelLayoutReading, NoSection) {
    TempFolder dir;
    WriteText(dir / "s.def", "[Setting]\nDatNum=1039\n");
    Logged l;
    const ChannelLayout layout = ReadChInfo(SettingsFile(dir / "s.def"), 3, l.log);
    EXPECT_EQ(l.locations(), (std::vector<std::string>{"modChMem->ReadChInfo"}));
    EXPECT_EQ(layout.channelCount, 16);
    EXPECT_EQ(layout.columnCount, 9);
    EXPECT_EQ(layout.captions(), std::vector<std::string>(10, "0"));
    for (int c = 0; c <= 9; ++c) EXPECT_EQ(layout.widths[c], 1000);
    EXPECT_EQ(layout.columnItems[1].size(), 50u);
    EXPECT_TRUE(layout.columnItems[2].empty());
    EXPECT_EQ(layout.item(5, 3), "");
}

TEST(ChannelLayoutReading, FaultyValuesStopReading) {
    struct Case {
        const char* text;
        int channelCount;
        int columnCount;
    };
    const Case cases[] = {
        {"3000=sixteen\n", 16, 9},
        {"3000=40\n", 16, 9},         // more channels than the records hold
        {"3000=8\n3002=21\n", 8, 9},  // more columns than ChInfo has fields
        {"3000=8\n3002=2\n3100=wide\n", 8, 2},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        WriteText(dir / "s.def", std::string("[ChInfo]\n") + c.text);
        Logged l;
        const ChannelLayout layout = ReadChInfo(SettingsFile(dir / "s.def"), 3, l.log);
        EXPECT_EQ(l.locations(), (std::vector<std::string>{"modChMem->ReadChInfo"})) << c.text;
        EXPECT_EQ(layout.channelCount, c.channelCount) << c.text;
        EXPECT_EQ(layout.columnCount, c.columnCount) << c.text;
    }
}

TEST(ChannelLayoutReading, ItemsAfterTheMarkerAreNotRead) {
    TempFolder dir;
    WriteText(dir / "s.def",
              "[ChInfo]\n1000=2\n1002=1\n1200=Lo|Hi\n1201=2\n1202=1\n1203=Lo\n1204=Hi\n"
              "1205=*EndOfThisItem*\n1206=Extra\n");
    Logged l;
    const ChannelLayout layout = ReadChInfo(SettingsFile(dir / "s.def"), 1, l.log);
    EXPECT_TRUE(l.locations().empty());
    EXPECT_EQ(layout.columnItems[1], (std::vector<std::string>{"Lo|Hi", "2", "1", "Lo", "Hi"}));
    EXPECT_EQ(layout.columnDefault(1), 1);
    ChannelLayout faulty = layout;
    faulty.columnItems[1][2] = "x";
    EXPECT_THROW(faulty.columnDefault(1), Failure);
}

}  // namespace
}  // namespace tarvos
