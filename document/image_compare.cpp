#include "document/image_compare.h"

#include "document/dump_ownership.h"

namespace tarvos {

namespace {

Difference Between(const DumpEntry& o, const DumpEntry& n) {
    Difference d;
    d.kind = o.kind;
    d.index = o.index;
    d.field = o.field;
    d.oldValue = o.value;
    d.newValue = n.value;
    return d;
}

// Bytes whose unowned bits differ, consecutive ones as one range.
void CompareBytes(const ByteImage& a, const ByteImage& b, std::vector<Difference>& out) {
    const BitMap& owned = DumpOwnedBits();
    auto differs = [&](int addr) {
        return ((a.at(addr) ^ b.at(addr)) & ~owned[static_cast<size_t>(addr)]) != 0;
    };
    for (int addr = 0; addr < kRadioMemorySize;) {
        if (!differs(addr)) {
            ++addr;
            continue;
        }
        Difference d;
        d.kind = DumpKind::Bytes;
        d.start = addr;
        std::vector<int> before, after;
        while (addr < kRadioMemorySize && differs(addr)) {
            before.push_back(a.at(addr));
            after.push_back(b.at(addr));
            ++addr;
        }
        d.end = addr - 1;
        d.oldValue = DumpValue::Bytes(std::move(before));
        d.newValue = DumpValue::Bytes(std::move(after));
        out.push_back(std::move(d));
    }
}

}  // namespace

std::vector<Difference> CompareDumps(const ImageDump& oldDump, const ImageDump& newDump) {
    const std::vector<DumpEntry> before = DumpEntries(oldDump);
    const std::vector<DumpEntry> after = DumpEntries(newDump);
    std::vector<Difference> out;
    // Every dump lists the same entries in the same order.
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].kind == DumpKind::RdWrCode) {
            if (!(before[i].value == after[i].value)) {
                out.push_back(Between(before[i], after[i]));
            } else if (oldDump.page.rdWrCodeStored &&
                       oldDump.page.rdWrCode != newDump.page.rdWrCode) {
                out.push_back(Between(before[i], after[i]));
                out.back().newValue = DumpValue::Text("changed");
            }
            continue;
        }
        if (!(before[i].value == after[i].value)) out.push_back(Between(before[i], after[i]));
    }
    CompareBytes(oldDump.image, newDump.image, out);
    return out;
}

std::vector<Difference> CompareImages(const RadioDocument& base, const ByteImage& oldImage,
                                      const ByteImage& newImage) {
    return CompareDumps(DumpImage(base, oldImage), DumpImage(base, newImage));
}

}  // namespace tarvos
