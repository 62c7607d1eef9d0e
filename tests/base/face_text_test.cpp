#include "base/face_text.h"

#include <gtest/gtest.h>

#include <string>

#include "base/failure.h"

using namespace tarvos;

namespace {

struct Quote {
    int index;
    const char* chs;
    const char* cht;
    const char* eng;
};

// Texts as other parts of the application rely on them: message boxes, captions, list
// entries, and the entries whose Traditional form is deliberately English or Simplified.
const Quote kQuotes[] = {
    {0, "新建", "新建", "New"},
    {6, "帮助", "説明", "Help"},  // the toolbar's Traditional text uses 説, the menu's 說
    {16, "对讲机写频软件V2.3", "对讲机写频软件V2.3", "Radio Software V2.3"},
    {24, "另存为(&A)", "另存為(&A)", "S&ave As"},
    {35, "English(&E)", "English(&E)", "&English"},
    {36, "帮助(&H)", "說明(&H)", "&Help"},
    {37, "帮助主题(&T)", "幫助(&T)", "Help &Topic"},
    {45, "DTMF(双音多频)(&D)", "DTMF(雙音多頻)(&D)", "&DTMF"},
    {57, "中文繁体(&T)", "中文繁體(&T)", "Traditional Chinese"},
    {58, "锁定界面(&D)", "鎖定介面(&D)", "Lock Face(&D)"},
    {60, "通信端口设置", "通信埠設置", "Communication Port"},
    {68, "Language has changed, you need to restart the software.",
     "Language has changed, you need to restart the software.",
     "Language has changed, you need to restart the software."},
    {69, "本写频软件不支持此对讲机的读写,请选择专用的版本或与代理商联系!",
     "本寫頻軟體不支援此對講機的讀寫,請選擇專用的版本或與代理商聯繫!",
     "This software Can't support this radio!Please use special radio software or contact "
     "with dealers!"},
    {70, "提示", "提示", "Notice"},
    {79, "通信出错，请检查连线及串口的选择!", "通信出錯，請檢查連線及串口的選擇!",
     "Communication failed,please check commuication port!"},
    {85, "文件名:", " ", "File Name:"},
    {94, "就绪", "Ready", "Ready"},
    {97, "读写密码错误,请与相应代理商联系,谢谢合作!", "讀寫密碼錯誤,請與相應代理商聯繫,謝謝合作!",
     "Program Code Error, Please contact with dealers, Thank You!"},
    {116, "信道界面已锁定", "Face Locked", "Interface Locked"},
    {164, "正在读取.....", "正在讀取.....", "Reading Now......"},
    {175, "Rx：没有收到数据，请检查串口及连线！", "Rx：沒有收到資料，請檢查串口及連線！",
     "Rx：Communication failed! No receive Data!"},
    {356, "对讲机", "对讲机", "Radio"},
    {363, "[可输入:中文,0-9,A-Z等]", "[可輸入:中文,0-9,A-Z等]", "[Input:Chinese,0-9,A-Z,etc]"},
    {374, "自定义频率范围", "自定義頻率範圍", "Custom"},
    {382, "信道信息", "信道資訊", "Channel Info"},
    {402, "级", "級", ""},
    {426, "16--紧急报警    ", "16--緊急報警    ", "16--Emergency Alarm    "},
    {454, "音量模式2", "音量模式2", "Volume Mode 2"},
};

// Entries quoted only in Simplified Chinese and English.
const Quote kTwoForms[] = {
    {72, "当前所有信道数据将被清除，是否继续?", nullptr, "All data will be cleared,continue?"},
    {73, "你要退出吗?", nullptr, "Are you sure want to exit?"},
    {82, "文件内容已经改变,想保存文件吗?", nullptr,
     "TempData has changed,Do you want to save it now?"},
    {83, "错误的文件类型!", nullptr, "Wrong file type!"},
    {89, nullptr, nullptr, "Frequency range is not right，continue?"},
    {213, "发射定时[秒]", nullptr, "Time-out Timer[s]"},
    {285, "1--120度", nullptr, "1--120 Degree"},
    {288, "4--频率", nullptr, "4--Freqency"},
    {354, "按住PTT键开机: 报本机身份码", nullptr, "Power On When Press PTT KEY: An Radio ID"},
    {411, "1--无", nullptr, "1--Off"},
    {441, nullptr, nullptr, "31--1750Hz"},
};

}  // namespace

TEST(FaceText, QuotedEntriesInAllThreeLanguages) {
    const FaceTextTable chs(1), cht(2), eng(3);
    for (const auto& q : kQuotes) {
        SCOPED_TRACE(q.index);
        EXPECT_EQ(chs[q.index], q.chs);
        EXPECT_EQ(cht[q.index], q.cht);
        EXPECT_EQ(eng[q.index], q.eng);
    }
    for (const auto& q : kTwoForms) {
        SCOPED_TRACE(q.index);
        if (q.chs) {
            EXPECT_EQ(chs[q.index], q.chs);
        }
        EXPECT_EQ(eng[q.index], q.eng);
        // Every entry shown in English is shown in both Chinese sets too.
        EXPECT_FALSE(chs[q.index].empty());
        EXPECT_FALSE(cht[q.index].empty());
    }
}

TEST(FaceText, LanguagesAgreeOnWhichEntriesExist) {
    // An index means the same thing in every language, so an entry is either present in all
    // three or absent in all three; 402 (the level suffix) alone has no English form.
    int used = 0;
    for (int i = 0; i < kFaceTextCount; ++i) {
        SCOPED_TRACE(i);
        const bool c = *FaceTextOf(1, i), t = *FaceTextOf(2, i), e = *FaceTextOf(3, i);
        EXPECT_EQ(c, t);
        if (i != 402) {
            EXPECT_EQ(c, e);
        }
        used += c;
    }
    EXPECT_EQ(kFaceTextCount, 456);
    EXPECT_EQ(used, 387);
    for (int unused : {9, 17, 55, 59, 103, 329, 410, 442, 449, 455}) {
        EXPECT_STREQ(FaceTextOf(1, unused), "") << unused;
        EXPECT_STREQ(FaceTextOf(3, unused), "") << unused;
    }
}

TEST(FaceText, LanguageOutsideOneToThreeIsEnglish) {
    for (int language : {0, -1, 4, 7, 1000}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(NormalizeLanguage(language), 3);
        const FaceTextTable table(language);
        EXPECT_EQ(table.language(), 3);
        EXPECT_EQ(table[94], "Ready");
        EXPECT_STREQ(FaceTextOf(language, 3), "Read");
    }
    EXPECT_EQ(FaceTextTable(1)[3], "读频");
    EXPECT_EQ(FaceTextTable(2)[3], "讀頻");
}

TEST(FaceText, IndexOutsideTheTable) {
    const FaceTextTable table(1);
    for (int index : {-1, 456, 100000}) {
        SCOPED_TRACE(index);
        EXPECT_STREQ(FaceTextOf(1, index), "");
        try {
            (void)table[index];
            ADD_FAILURE() << "no failure raised";
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), err::IndexOutOfRange);
        }
    }
}
