// CHIRP CSV: the export's text for every tone mode, reading it back, and hand-written files.
#include "document/chirp_csv.h"

#include <gtest/gtest.h>

#include "document/channel_editor.h"
#include "document/csv_reader.h"
#include "document/document_fixture.h"

namespace tarvos::test {
namespace {

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

ChirpChannel Ch(int location, int32_t rx, int32_t tx, std::string enc, std::string dec) {
    ChirpChannel c;
    c.location = location;
    c.rx = rx;
    c.tx = tx;
    c.encodeTone = std::move(enc);
    c.decodeTone = std::move(dec);
    return c;
}

// Each tone combination as the export writes it, and read back to the same channel.
TEST(ChirpCsv, EveryToneModeWritesAndReadsBack) {
    struct Case {
        ChirpChannel channel;
        const char* row;  // the columns after Location,Name
    };
    const Case cases[] = {
        {Ch(1, 44600625, 44600625, "", ""),
         "446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High"},
        {Ch(2, 14550000, 14490000, "88.5", ""),
         "145.500000,-,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High"},
        {Ch(3, 43850000, 43850000, "100.0", "100.0"),
         "438.500000,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,5.00,,High"},
        {Ch(4, 43850000, 44350000, "D023N", "D023I"),
         "438.500000,+,5.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,High"},
        {Ch(5, 43850000, 43850000, "67.0", "D754I"),
         "438.500000,,0.000000,Cross,67.0,88.5,023,NR,754,Tone->DTCS,FM,5.00,,High"},
        {Ch(6, 43850000, 43850000, "D025N", "71.9"),
         "438.500000,,0.000000,Cross,88.5,71.9,025,NN,023,DTCS->Tone,FM,5.00,,High"},
        {Ch(7, 43850000, 43850000, "D025I", "D026N"),
         "438.500000,,0.000000,Cross,88.5,88.5,025,RN,026,DTCS->DTCS,FM,5.00,,High"},
        {Ch(8, 43850000, 43850000, "67.0", "69.3"),
         "438.500000,,0.000000,Cross,67.0,69.3,023,NN,023,Tone->Tone,FM,5.00,,High"},
        {Ch(9, 43850000, 43850000, "", "67.0"),
         "438.500000,,0.000000,Cross,88.5,67.0,023,NN,023,->Tone,FM,5.00,,High"},
        {Ch(10, 43850000, 43850000, "", "D023N"),
         "438.500000,,0.000000,Cross,88.5,88.5,023,NN,023,->DTCS,FM,5.00,,High"},
        {Ch(11, 43850000, 43850000, "D131N", ""),
         "438.500000,,0.000000,Cross,88.5,88.5,131,NN,023,DTCS->,FM,5.00,,High"},
        {Ch(12, 43850000, -1, "", "67.0"),
         "438.500000,off,0.000000,Cross,88.5,67.0,023,NN,023,->Tone,FM,5.00,,High"},
    };
    for (const Case& c : cases) {
        const std::string text = ChirpCsvText({c.channel});
        EXPECT_EQ(text, kHeader + std::to_string(c.channel.location) + ",," + c.row + ",,,,,\r\n")
            << c.row;
        const ChirpImport back = ParseChirpCsv(text, 12000000, 52000000, 16);
        ASSERT_TRUE(back.isCsv);
        ASSERT_EQ(back.channels.size(), 1u) << c.row;
        EXPECT_EQ(back.channels[0], c.channel) << c.row;
    }
}

TEST(ChirpCsv, OptionsWriteAndReadBack) {
    ChirpChannel c = Ch(3, 46256250, 46256250, "", "");
    c.wide = false;
    c.scan = false;
    c.high = false;
    const std::string text = ChirpCsvText({c});
    EXPECT_NE(text.find(",NFM,5.00,S,Low,"), std::string::npos) << text;
    EXPECT_EQ(ParseChirpCsv(text, 40000000, 52000000, 16).channels.at(0), c);
}

// A file written by hand or by another program: other column order, lower-case headers,
// missing columns, split duplex, tones written differently, watts.
TEST(ChirpCsv, ReadsHandWrittenFiles) {
    const std::string text =
        "\xEF\xBB\xBF"
        "frequency,LOCATION,duplex,offset,tone,rtonefreq,dtcscode,dtcspolarity,mode,power\n"
        "438.5,1,split,430.0,tone,88.50,,,nfm,1.0W\n"
        "\"446.00625\",2,,,TSQL,,,,FMN,5W\n"  // cToneFreq missing: 88.5
        "145.6,3,-,0.6,DTCS,,23,RN,FM,\n"
        "145.6,17,,,,,,,,\n"         // no channel 17
        "500.0,4,+,30,,,,,,\n"       // transmit 530 MHz: outside the band
        "145.6,5,,,Tone,60.0,,,,\n"  // 60.0 Hz is no tone of the list
        "145.6,6,,,DTCS-R,,,,,\n"    // a tone mode this radio lacks
        "146.0,3,off,,,,,,,\n";      // a later row replaces an earlier one
    const ChirpImport in = ParseChirpCsv(text, 12000000, 52000000, 16);
    ASSERT_TRUE(in.isCsv);
    ASSERT_EQ(in.channels.size(), 3u);
    EXPECT_EQ(in.channels[0].location, 1);
    EXPECT_EQ(in.channels[0].rx, 43850000);
    EXPECT_EQ(in.channels[0].tx, 43000000);
    EXPECT_EQ(in.channels[0].encodeTone, "88.5");
    EXPECT_EQ(in.channels[0].decodeTone, "");
    EXPECT_FALSE(in.channels[0].wide);
    EXPECT_FALSE(in.channels[0].high);
    EXPECT_EQ(in.channels[1].rx, 44600625);
    EXPECT_EQ(in.channels[1].encodeTone, "88.5");
    EXPECT_EQ(in.channels[1].decodeTone, "88.5");
    EXPECT_FALSE(in.channels[1].wide);
    EXPECT_TRUE(in.channels[1].high);
    EXPECT_EQ(in.channels[2].location, 3);
    EXPECT_EQ(in.channels[2].rx, 14600000);
    EXPECT_EQ(in.channels[2].tx, -1);
    ASSERT_EQ(in.skipped.size(), 4u);
    EXPECT_EQ(in.skipped[0].rfind("location 17", 0), 0u) << in.skipped[0];
    EXPECT_EQ(in.skipped[1].rfind("location 4", 0), 0u) << in.skipped[1];
    EXPECT_EQ(in.skipped[2].rfind("location 5", 0), 0u) << in.skipped[2];
    EXPECT_EQ(in.skipped[3].rfind("location 6", 0), 0u) << in.skipped[3];
}

// Frequencies no radio can have: more than the grid's eight digits (read as such, never
// wrapped into the band), and a transmit frequency below zero (never taken as "no transmit").
TEST(ChirpCsv, ImpossibleFrequenciesLeaveTheRowOutAndNameIt) {
    const ChirpImport in = ParseChirpCsv(
        "Location,Frequency,Duplex,Offset\n"
        "1,43395.67921,off,\n"
        "2,446.0,split,43395.67921\n"
        "3,446.0,-,446.00001\n"
        "4,446.0,-,500\n"
        "5,99999999999999999999,,\n"
        "6,446.0,+,1000\n"
        "7,446.0,+,0.5\n",
        40000000, 52000000, 16);
    ASSERT_EQ(in.channels.size(), 1u);
    EXPECT_EQ(in.channels[0].location, 7);
    const std::vector<std::string> expected = {
        "location 1 (line 2): the frequency 43395.679210 MHz is outside the band",
        "location 2 (line 3): the transmit frequency 43395.679210 MHz is outside the band",
        "location 3 (line 4): the transmit frequency would be below 0 MHz (446.000000 - "
        "446.000010)",
        "location 4 (line 5): the transmit frequency would be below 0 MHz (446.000000 - "
        "500.000000)",
        "location 5 (line 6): the frequency 100000.000000 MHz is outside the band",
        "location 6 (line 7): the transmit frequency 1446.000000 MHz is outside the band"};
    EXPECT_EQ(in.skipped, expected);
}

// A quote that never closes, or closes inside a field of a later line, swallowed the lines
// after it: the row is named by the line the quote opened on, with the lines it took. A
// quoted field over two lines that closes where a field ends is sound CSV.
TEST(ChirpCsv, AQuoteLeftOpenIsNamedWhereItOpened) {
    const ChirpImport open = ParseChirpCsv(
        "Location,Frequency,Comment\n1,446.0,\"two\nlines\"\n2,\"446.1\n3,446.2\n4,446.3\n",
        40000000, 52000000, 16);
    ASSERT_EQ(open.channels.size(), 1u);
    EXPECT_EQ(open.channels[0].location, 1);
    EXPECT_EQ(open.skipped,
              std::vector<std::string>{
                  "lines 4-7: a quote opened on line 4 is never closed; not imported"});

    const ChirpImport closedLater =
        ParseChirpCsv("Location,Frequency\r\n1,\"446.0\r\n2,446.1\r\n3,\"446.2\"\r\n4,446.3\r\n",
                      40000000, 52000000, 16);
    EXPECT_TRUE(closedLater.channels.empty());
    ASSERT_EQ(closedLater.skipped.size(), 1u);
    EXPECT_EQ(closedLater.skipped[0].rfind("lines 2-", 0), 0u) << closedLater.skipped[0];
    EXPECT_NE(
        closedLater.skipped[0].find("a quote opened on line 2 closes inside a field of line 4"),
        std::string::npos)
        << closedLater.skipped[0];
}

// What a file holds is shown, never obeyed: control characters (a terminal would take ESC [
// as a command) and bytes that are no UTF-8 come out as \xHH, and long values are cut.
TEST(ChirpCsv, TextFromTheFileIsShownPrintable) {
    const ChirpImport in =
        ParseChirpCsv("Location,Frequency,Tone\n1,\x1b[2J446,\n2,446.0,\x9b\xff\n3,446.0," +
                          std::string(100, 'x') + "\n",
                      40000000, 52000000, 16);
    ASSERT_EQ(in.skipped.size(), 3u);
    EXPECT_NE(in.skipped[0].find("'\\x1B[2J446'"), std::string::npos) << in.skipped[0];
    EXPECT_NE(in.skipped[1].find("'\\x9B\\xFF'"), std::string::npos) << in.skipped[1];
    EXPECT_NE(in.skipped[2].find("'" + std::string(40, 'x') + "...'"), std::string::npos);
    for (const std::string& line : in.skipped)
        for (char c : line) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << line;
}

// A column given twice (the first is used) and a location given in several rows (the last
// is used) are imported as before, with a warning naming them.
TEST(ChirpCsv, DuplicateColumnsAndLocationsAreWarnedOf) {
    const ChirpImport in = ParseChirpCsv(
        "Location,Frequency,FREQUENCY\n1,446.0,440.0\n2,446.2,\n1,446.1,440.0\n1,9999,\n", 40000000,
        52000000, 16);
    ASSERT_EQ(in.channels.size(), 2u);
    EXPECT_EQ(in.channels[0].rx, 44610000);
    EXPECT_EQ(in.skipped.size(), 1u);  // the row out of band replaces nothing
    EXPECT_EQ(in.warnings,
              (std::vector<std::string>{
                  "the column 'FREQUENCY' is given twice (columns 2 and 3); the first is used",
                  "location 1 is given in 2 rows; the last (line 4) is used"}));
}

// However long the file, only what the channels need is kept: the rows left out are named
// up to a hundred and counted after, and a row too long to be one is left out whole.
TEST(ChirpCsv, ALongFileIsReadRowByRow) {
    std::string text = "Location,Frequency\n";
    for (int i = 0; i < 250; ++i) text += "17,446.0\n";
    text += "1," + std::string(kLongestCsvRecord + 10, '4') + "\n2,446.0\n";
    const ChirpImport in = ParseChirpCsv(text, 40000000, 52000000, 16);
    ASSERT_EQ(in.channels.size(), 1u);
    EXPECT_EQ(in.channels[0].location, 2);
    ASSERT_EQ(in.skipped.size(), 101u);
    EXPECT_EQ(in.skipped.back(), "and 151 more rows not imported");
}

TEST(ChirpCsv, FrequenciesAreRoundedAsTypedOnes) {
    const ChirpImport in = ParseChirpCsv(
        "Location,Frequency,Duplex,Offset\n1,136.125123,+,0.6000049\n", 12000000, 52000000, 16);
    ASSERT_EQ(in.channels.size(), 1u);
    EXPECT_EQ(in.channels[0].rx, 13612500);
    EXPECT_EQ(in.channels[0].tx, 13672500);
}

TEST(ChirpCsv, ATextWithoutLocationAndFrequencyIsNoChannelList) {
    for (const char* text : {"", "a,b,c\n1,2,3\n", "Location,Name\n1,x\n", "\x01\x02\x03"})
        EXPECT_FALSE(ParseChirpCsv(text, 12000000, 52000000, 16).isCsv) << text;
}

TEST(ChirpCsv, ExportsTheChannelsInUseOfADocument) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    const auto channels = ChirpChannelsOf(s.doc);
    int used = 0;
    for (int n = 1; n <= 16; ++n) used += s.doc.chInfo().empty(n) ? 0 : 1;
    ASSERT_EQ(static_cast<int>(channels.size()), used);
    for (const ChirpChannel& c : channels) {
        EXPECT_EQ(c.rx, s.doc.chInfo()(c.location, chf::RxFre));
        EXPECT_NE(c.decodeTone, s.doc.toneList().NoneText());
    }
}

}  // namespace
}  // namespace tarvos::test

namespace tarvos::test {
namespace {

std::vector<uint8_t> SavedBytes(RadioDocument& doc, const std::filesystem::path& path) {
    EXPECT_TRUE(doc.SaveAsFile(path));
    return *ReadFileBytes(path, 2000);
}

// An export imported into the same file gives back the same bytes.
TEST(ChirpCsvImport, AnExportReadBackChangesNoByte) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    const auto before = SavedBytes(s.doc, s.folder / "before.dat");
    const std::string text = ChirpCsvText(ChirpChannelsOf(s.doc));
    const ChirpImport in = ParseChirpCsv(text, s.doc.bandLow(), s.doc.bandHigh(), 16);
    EXPECT_TRUE(in.skipped.empty());
    ImportChirpChannels(s.doc, in.channels);
    EXPECT_EQ(SavedBytes(s.doc, s.folder / "after.dat"), before);
}

TEST(ChirpCsvImport, SetsChannelsAsTypingWould) {
    StartedDocument s;
    ChannelTable& t = s.doc.chInfo();
    // Channel 2 in use with busy lockout carrier: an import keeps what the row does not name.
    const ChirpImport first =
        ParseChirpCsv("Location,Frequency\n2,440.0\n", s.doc.bandLow(), s.doc.bandHigh(), 16);
    ImportChirpChannels(s.doc, first.channels);
    t(2, chf::BusyLock) = 1;
    s.doc.codec().ChInfoToIicDat();

    const ChirpImport in = ParseChirpCsv(
        "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Skip,Power\n"
        "1,438.5,+,5,TSQL,,100.0,NFM,S,Low\n"
        "2,441.0,off,,Cross,,67.0,FM,,High\n",
        s.doc.bandLow(), s.doc.bandHigh(), 16);
    ASSERT_EQ(in.channels.size(), 2u);
    s.changes.clear();
    ImportChirpChannels(s.doc, in.channels);
    EXPECT_TRUE(s.doc.modified());

    EXPECT_EQ(t(1, chf::RxFre), 43850000);
    EXPECT_EQ(t(1, chf::TxFre), 44350000);
    EXPECT_EQ(s.doc.toneText().decode(1), "100.0");
    EXPECT_EQ(s.doc.toneText().encode(1), "100.0");
    EXPECT_EQ(t(1, chf::Wide), 0);
    EXPECT_EQ(t(1, chf::Scan), 0);
    EXPECT_EQ(t(1, chf::Power), 0);
    EXPECT_EQ(t(1, chf::BusyLock), s.doc.layout().columnDefault(chf::BusyLock));

    EXPECT_EQ(t(2, chf::RxFre), 44100000);
    EXPECT_EQ(t(2, chf::TxFre), -1);
    EXPECT_EQ(s.doc.toneText().decode(2), "67.0");
    EXPECT_EQ(t(2, chf::BusyLock), 1);
    // Channel 1's row is complete, so the image holds it; channel 2 without transmit reaches
    // the image at the next encode, as a row typed so would.
    EXPECT_EQ(s.doc.image().at(ChannelRecordAddr(1, 3)), 0x43);
    const auto saved = SavedBytes(s.doc, s.folder / "saved.dat");
    EXPECT_EQ(saved[static_cast<size_t>(ChannelRecordAddr(2, 7) + 16)], 0xFF);
}

TEST(ChirpCsvImport, NothingWhileLocked) {
    StartedDocument s;
    s.doc.channelEditor().SetLocked(true);
    const ChirpImport in =
        ParseChirpCsv("Location,Frequency\n1,440.0\n", s.doc.bandLow(), s.doc.bandHigh(), 16);
    ImportChirpChannels(s.doc, in.channels);
    EXPECT_TRUE(s.doc.chInfo().empty(1));
}

}  // namespace
}  // namespace tarvos::test
