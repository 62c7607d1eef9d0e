#include "link/stop_point.h"

#include "link/hex_text.h"

namespace tarvos::link {

namespace {
std::string Range(int from, int to) {
    return Hex4(static_cast<unsigned>(from)) + "-" + Hex4(static_cast<unsigned>(to));
}
}  // namespace

std::string StopPointText(const StopPoint& p, int language) {
    const int l = language == 1 || language == 2 ? language : 3;
    if (p.direction == Direction::Read) {
        const char* const kRead[3] = {"读取已停止，未采用任何数据。",
                                      "讀取已停止，未採用任何資料。",
                                      "Read stopped; nothing was taken from the radio."};
        return kRead[l - 1];
    }
    if (!p.wroteAnything) {
        const char* const kUnchanged[3] = {"写入已停止，对讲机未被改动。",
                                           "寫入已停止，對講機未被改動。",
                                           "Write stopped before anything was written; the radio "
                                           "is unchanged."};
        return kUnchanged[l - 1];
    }
    const std::string all = Range(p.rangeStart, p.rangeEnd);
    if (p.blocksDone || p.doneEnd >= p.rangeEnd) {
        if (l == 1)
            return "写入已停止：" + all +
                   " 已写入，其后的机型、频段和参数帧未全部发送。请重新写入。";
        if (l == 2)
            return "寫入已停止：" + all +
                   " 已寫入，其後的機型、頻段和參數幀未全部發送。請重新寫入。";
        return "Write stopped after " + all +
               " was written, before the model, band and parameter frames were all sent. Write "
               "again to finish.";
    }
    const int next = p.doneEnd < p.rangeStart ? p.rangeStart : p.doneEnd + 1;
    const std::string rest = Range(next, p.rangeEnd);
    const std::string at = Hex4(static_cast<unsigned>(next));
    if (p.doneEnd < p.rangeStart) {
        if (l == 1)
            return "写入已停止于 " + at + "：" + all +
                   " 均未写入。对讲机已被部分改写，请重新写入。";
        if (l == 2)
            return "寫入已停止於 " + at + "：" + all +
                   " 均未寫入。對講機已被部分改寫，請重新寫入。";
        return "Write stopped at " + at + ": none of " + all +
               " was written. The radio is partly written; write again to finish.";
    }
    const std::string done = Range(p.rangeStart, p.doneEnd);
    if (l == 1)
        return "写入已停止于 " + at + "：" + done + " 已写入，" + rest +
               " 未写入。对讲机已被部分改写，请重新写入。";
    if (l == 2)
        return "寫入已停止於 " + at + "：" + done + " 已寫入，" + rest +
               " 未寫入。對講機已被部分改寫，請重新寫入。";
    return "Write stopped at " + at + ": " + done + " was written, " + rest +
           " was not. The radio is partly written; write again to finish.";
}

}  // namespace tarvos::link
