#pragma once
// An image dump as a flat list of named values, in the order a comparison reports them:
// model, band, each channel's rx, tx, decode, encode and option fields 5..15, the settings in
// the binding table's order, the two-tone cells, the volume codes and "Use This Set", and
// whether a read/write code is stored. Every image gives the same list of names; a value the
// dump leaves out (the fields of an empty channel, the encode tone without a transmit
// frequency) is null.

#include <string>
#include <vector>

#include "document/image_dump.h"

namespace tarvos {

enum class DumpKind { Model, Band, Channel, Setting, TwoTone, Volume, RdWrCode, Bytes };

struct DumpValue {
    enum class Type { Null, Number, Flag, Text, Numbers, Band, Bytes };
    Type type = Type::Null;
    long long number = 0;      // Number; Flag: 1 or 0
    std::string text;          // Text
    std::vector<int> numbers;  // Numbers; Bytes: the byte values
    Band band;                 // Band

    static DumpValue Null() { return {}; }
    static DumpValue Number(long long n);
    static DumpValue Flag(bool on);
    static DumpValue Text(std::string s);
    static DumpValue Numbers(std::vector<int> list);
    static DumpValue OfBand(const Band& b);
    static DumpValue Bytes(std::vector<int> bytes);
    bool operator==(const DumpValue& o) const;
};

struct DumpEntry {
    DumpKind kind = DumpKind::Model;
    // Channel: the channel 1..16; Setting: the binding row; TwoTone: the entry 1..16.
    int index = 0;
    // Channel: "rx", "tx", "decode", "encode", "5".."15"; Setting: the control's name;
    // TwoTone: "aFre", "aTime", "bFre", "bTime", "interval"; Volume: "codes", "useTable".
    std::string field;
    DumpValue value;
};

// The read/write code is "none" or "set" here; telling two stored codes apart is the
// comparison's (it says "changed").
std::vector<DumpEntry> DumpEntries(const ImageDump& dump);

// The two-tone cell names in column order.
inline constexpr const char* kTwoToneFieldNames[5] = {"aFre", "aTime", "bFre", "bTime", "interval"};

}  // namespace tarvos
