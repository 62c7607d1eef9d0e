#include <gtest/gtest.h>

#include "shell/error_log.h"

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
