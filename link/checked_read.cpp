#include "link/checked_read.h"

#include "link/verify.h"

namespace tarvos::link {

std::vector<int> Disagreements(const ReadPass& a, const ReadPass& b) {
    std::vector<int> at;
    for (int i = 0; i < a.bytes.size(); ++i) {
        const auto k = static_cast<size_t>(i);
        if (a.touched[k] && (!b.touched[k] || a.bytes.at(i) != b.bytes.at(i))) at.push_back(i);
    }
    return at;
}

std::vector<int> SettleByMajority(const ReadPass& a, const ReadPass& b, const ReadPass& c,
                                  const std::vector<int>& at, ByteImage& into) {
    std::vector<int> unsettled;
    for (int addr : at) {
        const auto k = static_cast<size_t>(addr);
        const ReadPass* reads[3] = {&a, &b, &c};
        bool settled = false;
        for (int i = 0; i < 3 && !settled; ++i)
            for (int j = i + 1; j < 3 && !settled; ++j)
                if (reads[i]->touched[k] && reads[j]->touched[k] &&
                    reads[i]->bytes.at(addr) == reads[j]->bytes.at(addr)) {
                    into.at(addr) = reads[i]->bytes.at(addr);
                    settled = true;
                }
        if (!settled) unsettled.push_back(addr);
    }
    return unsettled;
}

std::string ReadCheckPassText(int pass, int language) {
    const std::string n = std::to_string(pass);
    const bool third = pass >= 3;
    if (language == 1) return "校验：第 " + n + " 次读取" + (third ? "（前两次不一致）" : "");
    if (language == 2) return "校驗：第 " + n + " 次讀取" + (third ? "（前兩次不一致）" : "");
    return "Checking: read " + n + (third ? " (the first two differ)" : "");
}

std::string ReadCheckFailedText(const std::vector<int>& unsettled, int language, size_t shown) {
    const std::string k = std::to_string(unsettled.size());
    const std::string where = AddressList(unsettled, language, shown);
    if (language == 1)
        return "读取校验失败：三次读取在 " + k + " 个地址上互不一致：" + where +
               "。未采用任何数据。";
    if (language == 2)
        return "讀取校驗失敗：三次讀取在 " + k + " 個位址上互不一致：" + where +
               "。未採用任何資料。";
    return "Read check failed: no two of three reads agree at " + k + " address" +
           (unsettled.size() == 1 ? "" : "es") + ": " + where + ". Nothing was taken.";
}

}  // namespace tarvos::link
