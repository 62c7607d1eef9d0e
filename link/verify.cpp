#include "link/verify.h"

#include <cstdio>

namespace tarvos::link {

VerifyPlan PlanVerification(const std::vector<WrittenArea>& written) {
    VerifyPlan plan;
    // A later write to the same address replaces what an earlier one left there.
    for (const WrittenArea& area : written)
        for (size_t i = 0; i < area.bytes.size(); ++i) {
            const int addr = area.addr + static_cast<int>(i);
            if (addr >= 0 && addr < kRadioMemorySize) plan.expected[addr] = area.bytes[i];
        }
    if (!plan.empty()) {
        plan.start = plan.expected.begin()->first;
        plan.end = plan.expected.rbegin()->first;
    }
    return plan;
}

VerifyResult CompareReadBack(const VerifyPlan& plan, const ByteImage& readBack) {
    VerifyResult result;
    for (const auto& [addr, want] : plan.expected) {
        ++result.checked;
        const uint8_t got = readBack.at(addr);
        if (got != want) result.differences.push_back({addr, want, got});
    }
    return result;
}

namespace {
std::string Hex4(int v) {
    char s[8];
    std::snprintf(s, sizeof s, "%04X", static_cast<unsigned>(v) & 0xFFFFu);
    return s;
}
}  // namespace

std::string AddressList(const std::vector<int>& addresses, int language, size_t shown) {
    const bool chinese = language == 1 || language == 2;
    std::string list;
    for (size_t i = 0; i < addresses.size() && i < shown; ++i)
        list += (i ? (chinese ? "、" : ", ") : "") + Hex4(addresses[i]);
    if (addresses.size() > shown) list += chinese ? "……" : ", ...";
    return list;
}

std::string DifferenceLine(const ByteDifference& d) {
    char line[48];
    std::snprintf(line, sizeof line, "%04X: wrote %02X, read %02X", static_cast<unsigned>(d.addr),
                  d.wrote, d.read);
    return line;
}

std::string VerifySummary(const VerifyResult& r, int language, size_t shown) {
    const std::string n = std::to_string(r.checked);
    if (r.matched()) {
        if (language == 1) return "校验通过：全部 " + n + " 个字节一致";
        if (language == 2) return "校驗通過：全部 " + n + " 個位元組一致";
        return "Verified: all " + n + " bytes match";
    }
    const std::string k = std::to_string(r.differences.size());
    std::vector<int> at;
    for (const ByteDifference& d : r.differences) at.push_back(d.addr);
    const std::string where = AddressList(at, language, shown);
    if (language == 1) return "校验失败：" + n + " 个字节中有 " + k + " 个不一致，地址 " + where;
    if (language == 2) return "校驗失敗：" + n + " 個位元組中有 " + k + " 個不一致，位址 " + where;
    return "Verify failed: " + k + " of " + n + " bytes differ, at " + where;
}

std::string VerifyReadFailedText(int language) {
    if (language == 1) return "校验失败：读回不成功，无法比较";
    if (language == 2) return "校驗失敗：讀回不成功，無法比較";
    return "Verify failed: the read-back did not succeed";
}

}  // namespace tarvos::link
