// The printed sheet's content: the items of the print dialog as text, the fingerprint of the
// image as a save stores it, the channel grid and the function frames as the window shows
// them, and never the read/write code.
#include "document/print_sheet.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "document/channel_editor.h"
#include "document/document_fixture.h"
#include "functions/function_frames.h"
#include "functions/function_model.h"
#include "memory/crc32.h"

namespace tarvos::test {
namespace {

TEST(PrintContent, ReadsAndWritesTheTickedItems) {
    struct Case {
        const char* text;
        std::optional<PrintContent> content;
    };
    const Case cases[] = {
        {"cover,settings,channels", PrintContent{true, true, true}},
        {"channels,cover", PrintContent{true, false, true}},
        {"settings", PrintContent{false, true, false}},
        {"", std::nullopt},
        {"cover,cover", std::nullopt},
        {"cover,", std::nullopt},
        {"Cover", std::nullopt},
        {"cover settings", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParsePrintContent(c.text), c.content);
        if (c.content) {
            EXPECT_EQ(ParsePrintContent(PrintContentText(*c.content)), c.content);
        }
    }
    EXPECT_EQ(PrintContentText({true, true, true}), "cover,settings,channels");
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Hex(uint32_t v) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(v));
    return text;
}

TEST(PrintSheet, FingerprintIsTheCrcOfTheBytesASaveStores) {
    const uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc32(check), 0xCBF43926u);  // the common check value of CRC-32

    StartedDocument s;
    ASSERT_TRUE(s.doc.OpenFile(BuiltData(kDefaultsFileName)));
    const std::string opened = ImageFingerprint(s.doc);
    // A double-click steps channel 1's power in the table only; a save would store it.
    ChannelEditor& e = s.doc.channelEditor();
    e.Click(1, 5);
    e.DblClick(1, 5);
    ASSERT_TRUE(e.pendingEdits());
    const ByteImage before = s.doc.image();
    const std::string edited = ImageFingerprint(s.doc);
    EXPECT_NE(edited, opened);
    EXPECT_EQ(s.doc.image(), before);  // fingerprinting changes nothing
    EXPECT_TRUE(e.pendingEdits());

    ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "saved.dat"));
    const std::vector<uint8_t> file = FileBytes(s.folder / "saved.dat");
    ASSERT_EQ(file.size(), 1040u);
    // Image addresses 0x0010-0x037F are file offsets 0x0020-0x038F.
    EXPECT_EQ(Hex(Crc32(std::span(file).subspan(0x0020, 0x0370))), edited);
}

const SheetLine* LineOf(const PrintSheet& sheet, const std::string& caption) {
    for (const SheetFrame& f : sheet.frames)
        for (const SheetLine& l : f.lines)
            if (l.caption == caption) return &l;
    return nullptr;
}

TEST(PrintSheet, FramesShowEveryControlAsThePageShowsIt) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.OpenFile(BuiltData(kDefaultsFileName)));
    FunctionModel& m = s.doc.functions();
    ByteImage& image = s.doc.image();
    m.Pick(image, m.indexOf("cboRadioId(1)"), 1);
    m.Pick(image, m.indexOf("cboRadioId(2)"), 2);
    m.SetChecked(image, m.indexOf("chkBatSave"), false);
    m.SetChecked(image, m.indexOf("chkBeep"), true);
    m.SetText(image, m.indexOf("txtPttBot"), "12AB*#");
    m.SetTwoToneCell(image, 9, TwoToneColumn::AFre, "1000");

    // Every frame a control names is one the sheet prints.
    for (const Binding& b : m.bindings())
        EXPECT_FALSE(FrameCaption(m.faceText(), b.frame).empty()) << b.name;

    const PrintSheet sheet = BuildPrintSheet(s.doc, {"Tarvos", 0}, {});
    ASSERT_EQ(sheet.frames.size(), FunctionFrames().size());
    EXPECT_EQ(sheet.frames[0].title, "Optional Features");
    struct Case {
        const char* caption;
        std::string value;
        bool enabled;
    };
    const Case cases[] = {
        {"Radio ID", "Off 1 2 Off Off Off", true},  // six lists under one label
        {"Beep", "On", true},
        {"Battery Save", "Off", true},
        {"Save Mode", m.shownEntry(m.indexOf("cboSaveMode")), false},  // disabled
        {"PTT ID Begin of Tx", "12AB*#", true},
        {"Vox Compare Voltage 1", "170", true},
        {"Time-out Timer[s]", m.shownEntry(m.indexOf("cboTot")), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const SheetLine* l = LineOf(sheet, c.caption);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->value, c.value);
        EXPECT_EQ(l->enabled, c.enabled);
    }
    // The two-tone table: sixteen entries under the grids' captions.
    const SheetFrame& twoTone = sheet.frames[8];
    ASSERT_EQ(twoTone.tables.size(), 1u);
    EXPECT_EQ(twoTone.tables[0].header[1], "A Fre");
    ASSERT_EQ(twoTone.tables[0].rows.size(), 16u);
    EXPECT_EQ(twoTone.tables[0].rows[8][0].text, "9");
    EXPECT_FALSE(m.twoTone()[8].aFre.empty());
    EXPECT_EQ(twoTone.tables[0].rows[8][1].text, m.twoTone()[8].aFre);
}

TEST(PrintSheet, ChannelsAreTheGridsCellsWithTheBandColour) {
    // The defaults file with its band set to 136 - 174 MHz: its channels lie outside it.
    std::vector<uint8_t> file = FileBytes(BuiltData(kDefaultsFileName));
    const uint8_t band[4] = {0x13, 0x60, 0x17, 0x40};
    std::copy(band, band + 4, file.begin() + 0x037A + 16);
    StartedDocument s;
    {
        std::ofstream out(s.folder / "vhf.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<long>(file.size()));
    }
    ASSERT_TRUE(s.doc.OpenFile(s.folder / "vhf.dat"));
    s.doc.channelEditor().DeleteOne(3);
    const PrintSheet sheet = BuildPrintSheet(s.doc, {"Tarvos", 0}, {false, false, true});
    EXPECT_TRUE(sheet.cover.empty());
    EXPECT_TRUE(sheet.frames.empty());
    const ChannelEditor& grid = s.doc.channelEditor();
    ASSERT_EQ(sheet.channels.rows.size(), 16u);
    EXPECT_EQ(sheet.channels.header.size(), static_cast<size_t>(grid.cols()) + 1);
    EXPECT_EQ(sheet.channels.header[1], "Rx Freq.");
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= grid.cols(); ++c) {
            const SheetCell& cell =
                sheet.channels.rows[static_cast<size_t>(r - 1)][static_cast<size_t>(c)];
            EXPECT_EQ(cell.text, grid.text(r, c)) << r << "," << c;
            EXPECT_EQ(cell.outOfBand, grid.cell(r, c).colour == CellColour::Over);
        }
    EXPECT_TRUE(sheet.channels.rows[0][1].outOfBand);
    EXPECT_EQ(sheet.channels.rows[2][1].text, "");  // the deleted channel is an empty row
    EXPECT_EQ(sheet.channelsInUse.value, "15 / 16");
}

TEST(PrintSheet, TheCoverSaysWhetherACodeIsSetAndNothingShowsIt) {
    for (int language : {1, 3}) {
        SCOPED_TRACE(language);
        StartedDocument s(language);
        ASSERT_TRUE(s.doc.OpenFile(BuiltData(kDefaultsFileName)));
        const auto coverCode = [&] {
            const PrintSheet sheet = BuildPrintSheet(s.doc, {"Tarvos", 0}, {});
            return sheet.cover[5];
        };
        EXPECT_EQ(coverCode().value, language == 3 ? "None" : "无");
        FunctionModel& m = s.doc.functions();
        m.SetRdWrCodeText(s.doc.image(), "XQZ");
        m.SetNewRdWrCodeChecked(true);
        m.SetNewRdWrCodeText("KJW");
        EXPECT_EQ(coverCode().value, language == 3 ? "Set" : "已设置");

        const PrintSheet sheet = BuildPrintSheet(s.doc, {"Tarvos", 0}, {});
        std::vector<std::string> texts;
        for (const SheetLine& l : sheet.cover) texts.insert(texts.end(), {l.caption, l.value});
        for (const SheetFrame& f : sheet.frames) {
            for (const SheetLine& l : f.lines) texts.insert(texts.end(), {l.caption, l.value});
            for (const SheetTable& t : f.tables)
                for (const auto& row : t.rows)
                    for (const SheetCell& c : row) texts.push_back(c.text);
        }
        for (const std::string& text : texts) {
            EXPECT_EQ(text.find("XQZ"), std::string::npos) << text;
            EXPECT_EQ(text.find("KJW"), std::string::npos) << text;
        }
    }
}

}  // namespace
}  // namespace tarvos::test
