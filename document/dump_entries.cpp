#include "document/dump_entries.h"

#include "functions/bindings.h"

namespace tarvos {

DumpValue DumpValue::Number(long long n) {
    DumpValue v;
    v.type = Type::Number;
    v.number = n;
    return v;
}

DumpValue DumpValue::Flag(bool on) {
    DumpValue v;
    v.type = Type::Flag;
    v.number = on ? 1 : 0;
    return v;
}

DumpValue DumpValue::Text(std::string s) {
    DumpValue v;
    v.type = Type::Text;
    v.text = std::move(s);
    return v;
}

DumpValue DumpValue::Numbers(std::vector<int> list) {
    DumpValue v;
    v.type = Type::Numbers;
    v.numbers = std::move(list);
    return v;
}

DumpValue DumpValue::OfBand(const Band& b) {
    DumpValue v;
    v.type = Type::Band;
    v.band = b;
    return v;
}

DumpValue DumpValue::Bytes(std::vector<int> bytes) {
    DumpValue v = Numbers(std::move(bytes));
    v.type = Type::Bytes;
    return v;
}

bool DumpValue::operator==(const DumpValue& o) const {
    return type == o.type && number == o.number && text == o.text && numbers == o.numbers &&
           band.low == o.band.low && band.high == o.band.high && band.index == o.band.index;
}

namespace {

void AddChannel(std::vector<DumpEntry>& out, int n, const ChannelDump& ch) {
    auto add = [&](std::string field, DumpValue v) {
        out.push_back({DumpKind::Channel, n, std::move(field), std::move(v)});
    };
    const bool used = !ch.empty;
    const bool sends = used && ch.tx != -1;
    add("rx", used ? DumpValue::Number(ch.rx) : DumpValue::Null());
    add("tx", sends ? DumpValue::Number(ch.tx) : DumpValue::Null());
    add("decode", used ? DumpValue::Text(ch.decode) : DumpValue::Null());
    add("encode", sends ? DumpValue::Text(ch.encode) : DumpValue::Null());
    for (int j = chf::FirstOption; j <= chf::LastStored; ++j)
        add(std::to_string(j), used ? DumpValue::Number(ch.field(j)) : DumpValue::Null());
}

DumpValue SettingValue(const SettingDump& s) {
    switch (FunctionBindings()[static_cast<size_t>(s.row)].kind) {
        case ControlKind::Check:
            return DumpValue::Flag(s.checked);
        case ControlKind::Text:
            return DumpValue::Text(s.text);
        default:
            return DumpValue::Number(s.selected);
    }
}

}  // namespace

std::vector<DumpEntry> DumpEntries(const ImageDump& dump) {
    std::vector<DumpEntry> out;
    out.reserve(300);
    out.push_back({DumpKind::Model, 0, "", DumpValue::Number(dump.model)});
    out.push_back({DumpKind::Band, 0, "", DumpValue::OfBand(dump.band)});
    for (int n = 1; n <= kMaxChannelCount; ++n)
        AddChannel(out, n, dump.channels[static_cast<size_t>(n - 1)]);
    const auto& rows = FunctionBindings();
    for (const SettingDump& s : dump.page.settings)
        out.push_back(
            {DumpKind::Setting, s.row, rows[static_cast<size_t>(s.row)].name, SettingValue(s)});
    for (int e = 1; e <= kTwoToneEntries; ++e) {
        const TwoToneCells& c = dump.page.twoTone[static_cast<size_t>(e - 1)];
        for (int col = 1; col <= 5; ++col)
            out.push_back({DumpKind::TwoTone, e, kTwoToneFieldNames[col - 1],
                           DumpValue::Text(c.cell(static_cast<TwoToneColumn>(col)))});
    }
    out.push_back(
        {DumpKind::Volume, 0, "codes",
         DumpValue::Numbers({dump.page.volumeCodes.begin(), dump.page.volumeCodes.end()})});
    out.push_back({DumpKind::Volume, 0, "useTable", DumpValue::Flag(dump.page.volumeUseTable)});
    out.push_back(
        {DumpKind::RdWrCode, 0, "", DumpValue::Text(dump.page.rdWrCodeStored ? "set" : "none")});
    return out;
}

}  // namespace tarvos
