#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "base/error_log.h"

using namespace tarvos;

namespace {

// Every failure number the error log describes.
const long long kDescribed[] = {
    3,   5,   6,   7,   9,   10,  11,    13,    14,    16,    17,    18,    20,   28,  35,
    47,  48,  49,  51,  52,  53,  54,    55,    57,    58,    59,    61,    62,   63,  67,
    68,  70,  71,  74,  75,  76,  91,    92,    93,    94,    97,    298,   320,  321, 322,
    325, 327, 328, 335, 336, 337, 338,   360,   361,   363,   364,   365,   368,  371, 380,
    381, 382, 383, 385, 387, 393, 394,   400,   402,   419,   422,   423,   424,  425, 429,
    430, 432, 438, 440, 442, 443, 445,   446,   447,   448,   449,   450,   451,  452, 453,
    454, 455, 457, 458, 459, 460, 461,   462,   463,   480,   481,   482,   483,  484, 485,
    486, 520, 521, 735, 744, 746, 31001, 31004, 31018, 31027, 31032, 31036, 31037};

}  // namespace

TEST(VbErrNumDes, EveryDescribedNumberHasAText) {
    ASSERT_EQ(std::size(kDescribed), 118u);
    for (long long n : kDescribed) EXPECT_FALSE(VbErrNumDes(n).empty()) << n;
}

TEST(VbErrNumDes, TheApplicationsOwnFailuresReadExactly) {
    const struct {
        long long number;
        const char* text;
    } rows[] = {
        {5, "无效的过程调用"},
        {6, "溢出"},
        {7, "内存不足"},
        {9, "数组索引超出范围"},
        {11, "除以零"},
        {13, "类型不符合"},
        {52, "错误的文件名或数目"},
        {53, "文件找不到"},
        {54, "错误的文件方式"},
        {55, "文件已打开"},
        {57, "I/O设备错误"},
        {61, "磁盘已满"},
        {62, "输入已超过文件结尾"},
        {70, "没有访问权限"},
        {75, "路径/文件访问错误"},
        {76, "找不到路径"},
        {91, "尚未设置对象变量或With区块变量"},
        {380, "属性值无效"},
        {381, "无效的属性数组索引"},
        {424, "需要对象"},
        {438, "对象不支持此属性或方法"},
    };
    for (const auto& r : rows) EXPECT_EQ(VbErrNumDes(r.number), r.text) << r.number;
}

TEST(VbErrNumDes, AnyOtherNumberHasNoText) {
    // Neighbours of described numbers, the ends of the 16- and 32-bit ranges, and numbers
    // far outside them as some controls report.
    for (long long n :
         {0LL,     1LL,      2LL,   4LL,   8LL,          12LL,          56LL,
          77LL,    90LL,     456LL, 999LL, 1000LL,       31000LL,       31038LL,
          32767LL, -32768LL, -1LL,  -9LL,  2147483647LL, -2147483648LL, 4294967305LL}) {
        if (std::find(std::begin(kDescribed), std::end(kDescribed), n) != std::end(kDescribed))
            continue;
        EXPECT_EQ(VbErrNumDes(n), "") << n;
    }
}
