#pragma once
// A difference in the words the window uses, in one interface language: where it is (the
// grid's column caption for a channel field, a setting's caption, the two-tone column
// captions, "0190-0193" for a range of bytes) and both values as shown (MHz with five
// decimals, tone names, the option texts of the grid, the entries a list shows, On/Off for a
// check box, hexadecimal bytes). tarvos-cli diff prints one line per difference,
// "CH 3  Rx Freq.: 446.12500 -> 446.13750"; the comparison window shows the three parts in
// its columns.

#include <string>

#include "base/face_text.h"
#include "document/image_compare.h"
#include "memory/channel_layout.h"

namespace tarvos {

struct DifferenceText {
    std::string where;
    std::string oldText;
    std::string newText;
};

class DifferenceWords {
  public:
    // language 1..3; layout: the channel grid's, for its captions and option texts.
    DifferenceWords(int language, const ChannelLayout& layout);

    DifferenceText describe(const Difference& d) const;
    // "where: old -> new".
    std::string line(const Difference& d) const;

  private:
    std::string where(const Difference& d) const;
    std::string value(const Difference& d, const DumpValue& v) const;
    std::string channelWhere(const Difference& d) const;
    std::string channelValue(const Difference& d, const DumpValue& v) const;
    std::string settingWhere(int row) const;
    std::string settingValue(int row, const DumpValue& v) const;
    std::string bandText(const Band& band) const;

    int language_;
    FaceTextTable ft_;
    const ChannelLayout& layout_;
};

// The address range of a bytes difference: "0190-0193", or "0190" for one byte.
std::string ByteRangeText(int start, int end);
// Bytes as two upper-case hexadecimal digits each, separated by one space.
std::string HexBytesText(const std::vector<int>& bytes);

}  // namespace tarvos
