#include "document/dump_ownership.h"

#include "functions/bindings.h"
#include "functions/two_tone.h"
#include "functions/volume.h"
#include "memory/band.h"
#include "memory/channel_codec.h"
#include "memory/radio_text.h"

namespace tarvos {

namespace {

// The record bits the channel decode reads besides the frequency and tone bytes.
constexpr Field kDecodedOptionBits[] = {
    rec::PttIdBit0, rec::Opt11,     rec::BusyLock, rec::Opt15, rec::Wide, rec::HighPower,
    rec::Vox,       rec::PttIdBit1, rec::Opt13,    rec::Opt12, rec::Opt14};

struct MapBuilder {
    BitMap bits{};
    void field(Field f) { bits[f.addr] |= f.mask(); }
    void bytes(int first, int count) {
        for (int a = first; a < first + count; ++a) bits[static_cast<size_t>(a)] = 0xFF;
    }
};

void AddBinding(MapBuilder& m, const Binding& b) {
    switch (b.kind) {
        case ControlKind::List:
        case ControlKind::Check:
            m.field(b.field);
            if (b.voxIndex > 0) m.bytes(kVoxCmpMarkerAddr, 1);  // decides how the lists load
            break;
        case ControlKind::Text:
            if (b.textRule == TextRule::Code) {
                for (int i = 0; i < b.codeField.length; ++i) m.bytes(b.codeField.address(i), 1);
            } else {
                m.bytes(MessageBase(b.messageLine), 2 * kMessageChars);
            }
            break;
        case ControlKind::Grid:
            m.bytes(TwoToneAddr(8 * b.grid + 1), 8 * 8);
            break;
    }
}

BitMap Build() {
    MapBuilder m;
    m.field(kModelIndex);
    m.bytes(kBandLowAddr, 2);
    m.bytes(kBandHighAddr, 2);
    for (int n = 1; n <= kMaxChannelCount; ++n) {
        m.bytes(ChannelRecordAddr(n, 0), 12);  // receive, transmit, decode and encode tone
        for (Field f : kDecodedOptionBits) m.field(ForChannel(f, n));
    }
    m.field(kScanWordLow);
    m.field(kScanWordHigh);
    for (const Binding& b : FunctionBindings()) AddBinding(m, b);
    m.bytes(kVolumeLevel0Addr, 11);
    m.bytes(kVolumeUseTableAddr, 1);
    for (uint16_t a : kRdWrCodeAddrs) m.bytes(a, 1);
    return m.bits;
}

}  // namespace

const BitMap& DumpOwnedBits() {
    static const BitMap map = Build();
    return map;
}

}  // namespace tarvos
