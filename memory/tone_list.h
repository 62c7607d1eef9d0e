#pragma once
// The tones a channel can decode and encode: none, 50 CTCSS tones, 105 DCS codes of normal
// polarity and the same 105 inverted. A tone's list index is its position in ToneList:
// 0 none, 1..50 CTCSS, 51..155 DCS "N", 156..260 DCS "I". The stored 16-bit value of each
// follows from its name (ToneCodeOf in channel_codec.h); there is no second table.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvos {

inline constexpr int kToneCount = 261;
inline constexpr int kCtcssCount = 50;
inline constexpr int kDcsCount = 105;

inline constexpr std::array<std::string_view, kCtcssCount> kCtcssTones = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

// The common 104-code DCS set with 645 added, ascending.
inline constexpr std::array<std::string_view, kDcsCount> kDcsCodes = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265",
    "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662",
    "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// "无" for Simplified Chinese (language 1), "None" otherwise (2, 3 and anything else).
std::string NoneTextFor(int language);

// The tone list for one interface language (GenCtdcsList without the drop-downs).
class ToneList {
  public:
    explicit ToneList(int language = 3);

    int size() const { return kToneCount; }
    // Name at index 0..260; another index raises failure 9.
    const std::string& operator[](int index) const;
    const std::string& NoneText() const { return names_[0]; }
    const std::vector<std::string>& names() const { return names_; }
    // Index of a name (exact match), or -1.
    int indexOf(std::string_view name) const;

  private:
    std::vector<std::string> names_;
};

}  // namespace tarvos
