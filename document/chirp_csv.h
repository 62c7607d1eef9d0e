#pragma once
// Channel lists in CHIRP's CSV form, the way most hobby users keep and share them.
//
// Export writes the header below and a row per channel in use, in channel order, lines ending
// CR LF, no byte-order mark. Import reads such a file (columns found by their header names,
// any order and letter case, missing columns taking CHIRP's defaults) into the channels it
// names; rows the radio cannot hold are named and left out.
//
// Tones: T is the encode (transmit) tone, R the decode (receive) tone.
//   none / none                  Tone ""
//   T CTCSS, R none              "Tone"  rToneFreq = T
//   T = R, CTCSS                 "TSQL"  cToneFreq = T
//   T, R DCS with the same code  "DTCS"  DtcsCode, DtcsPolarity (T then R; N normal, R inverted)
//   anything else                "Cross" CrossMode "Tone->Tone" .. "->DTCS" (T side first),
//                                rToneFreq = T CTCSS, cToneFreq = R CTCSS, DtcsCode = T DCS,
//                                RxDtcsCode = R DCS; a side that is not DCS counts as N
// Columns a row does not use hold CHIRP's defaults: 88.5, 88.5, 023, 023, NN, Tone->Tone.

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "memory/tone_list.h"

namespace tarvos {

class RadioDocument;

inline constexpr std::array<std::string_view, 21> kChirpColumns = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// One channel as the export writes it and the import reads it.
struct ChirpChannel {
    int location = 0;
    int32_t rx = -1;         // 10 Hz units
    int32_t tx = -1;         // 10 Hz units; -1: no transmit (Duplex "off")
    std::string decodeTone;  // a tone list name, or "" for none
    std::string encodeTone;  // the same; always none without transmit
    bool wide = true;
    bool scan = true;
    bool high = true;

    bool operator==(const ChirpChannel&) const = default;
};

// The channels in use of the document's channel table, as rows.
std::vector<ChirpChannel> ChirpChannelsOf(const RadioDocument& doc);
// The CSV text of rows.
std::string ChirpCsvText(const std::vector<ChirpChannel>& channels);

// What an import found in a file.
struct ChirpImport {
    // The file is CSV with a Location and a Frequency column.
    bool isCsv = false;
    // The rows the radio can hold, one per location (a later row replaces an earlier one),
    // in location order. Frequencies are rounded to 250 Hz as a typed frequency is.
    std::vector<ChirpChannel> channels;
    // Why each row that is not imported is left out, naming it by its location and line (the
    // first hundred; a last line counts the others). Text from the file is shown printable.
    std::vector<std::string> skipped;
    // What was imported all the same but may not be what the file meant: a column given
    // twice (the first is used), a location given in several rows (the last is used).
    std::vector<std::string> warnings;
};

// Reads a CSV text for a band (10 Hz units), row by row: memory stays small however long the
// file. Tones are matched by value (88.5 is 88.50, DCS 23 is 023) against the tone list. A
// row is left out when its location lies outside 1..channelCount, when a frequency lies
// outside the band after rounding (a frequency of more than eight digits, 999.99999 MHz, lies
// outside every band), when its transmit frequency would be below zero, when a tone is not
// in the list, or when a quote opened in it swallowed the lines after it (named by the line
// the quote opened on, with the lines swallowed).
ChirpImport ParseChirpCsv(std::istream& in, int32_t bandLow, int32_t bandHigh, int channelCount);
ChirpImport ParseChirpCsv(std::string_view text, int32_t bandLow, int32_t bandHigh,
                          int channelCount);

// Sets each channel as a user typing it into the channel grid would: the receive and
// transmit frequencies typed (a channel that was empty takes the column defaults of the
// other option columns, a used one keeps them), the tones chosen in the tone box, power,
// bandwidth and scan picked. One change of the document; nothing while the grid is locked.
void ImportChirpChannels(RadioDocument& doc, const std::vector<ChirpChannel>& channels);

}  // namespace tarvos
