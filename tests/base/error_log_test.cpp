#include "base/error_log.h"

#include <gtest/gtest.h>

using namespace tarvos;

TEST(ErrorLog, EntryIsTwoExactLines) {
    RecordingSink sink;
    ErrorLog log(&sink);
    log.setClock([] { return std::string("2026/12/10 12:00:00"); });
    log.ShowErr("modMemDat->TableFreDat", 9, "Tarvos");
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(sink.lines[0], "---------2026/12/10 12:00:00--------");
    EXPECT_EQ(sink.lines[1],
              "         错误:  modMemDat->TableFreDat     出错号:  9     出错点:  Tarvos"
              "     出错描述:  数组索引超出范围");
    EXPECT_EQ(sink.locations(), std::vector<std::string>{"modMemDat->TableFreDat"});
}

TEST(ErrorLog, GuardLogsAndSwallowsTheFailure) {
    RecordingSink sink;
    ErrorLog log(&sink);
    bool after = false;
    EXPECT_FALSE(Guard(log, "here->There", [] { Raise(err::TypeMismatch); }));
    EXPECT_TRUE(Guard(log, "here->Fine", [&] { after = true; }));
    EXPECT_TRUE(after);
    EXPECT_EQ(sink.locations(), std::vector<std::string>{"here->There"});
}

TEST(ErrorLog, SecondLineForNumbersInAndOutsideTheTable) {
    const std::string head = "         错误:  frmChMem->InitOpt:     出错号:  ";
    const struct {
        long long number;
        const char* source;
        const char* tail;
    } cases[] = {
        {13, "Tarvos", "13     出错点:  Tarvos     出错描述:  类型不符合"},
        {380, "VSFlexGrid", "380     出错点:  VSFlexGrid     出错描述:  属性值无效"},
        {1000, "Tarvos", "1000     出错点:  Tarvos     出错描述:  "},
        {-2147221504, "QSerialPort", "-2147221504     出错点:  QSerialPort     出错描述:  "},
        {70000, "", "70000     出错点:       出错描述:  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorLog::secondLine("frmChMem->InitOpt:", c.number, c.source), head + c.tail)
            << c.number;
    }
}

TEST(ErrorLog, FailuresAppendInOrderWithTheirOwnNumberAndSource) {
    RecordingSink sink;
    ErrorLog log(&sink);
    int tick = 0;
    log.setClock([&] { return "t" + std::to_string(++tick); });
    log.ShowErr("frmCommun->txtReadStartAddr_Change", Failure(err::TypeMismatch));
    log.ShowErr("mdifrmMain->OpenFile", Failure(err::FileNotFound, "FileSystem"));
    ASSERT_EQ(sink.lines.size(), 4u);
    EXPECT_EQ(sink.lines[0], "---------t1--------");
    EXPECT_EQ(sink.lines[2], "---------t2--------");
    EXPECT_NE(sink.lines[1].find("出错号:  13     出错点:  Tarvos     出错描述:  类型不符合"),
              std::string::npos);
    EXPECT_NE(sink.lines[3].find("出错号:  53     出错点:  FileSystem     出错描述:  文件找不到"),
              std::string::npos);
    EXPECT_EQ(sink.locations(), (std::vector<std::string>{"frmCommun->txtReadStartAddr_Change",
                                                          "mdifrmMain->OpenFile"}));
}
