#pragma once
// The comparison's texts with no FaceText entry, in the three languages: Simplified,
// Traditional, English. Index by the language in force minus one.

#include <QString>

#include "base/face_text.h"

namespace tarvos::ui::compare_text {

// texts in the language given (1..3; any other counts as 3).
inline QString Tr(const char* const texts[3], int language) {
    return QString::fromUtf8(texts[NormalizeLanguage(language) - 1]);
}

// The menu items: File, Program, Settings.
inline const char* const kCompareWithFile[3] = {"与文件比较…", "與檔案比較…", "Compare with File…"};
inline const char* const kCompareWithRadio[3] = {"与对讲机比较", "與對講機比較",
                                                 "Compare with Radio"};
inline const char* const kConfirmWrite[3] = {"写入前显示更改", "寫入前顯示更改",
                                             "Show changes before writing"};

// The columns of a list of differences.
inline const char* const kWhere[3] = {"位置", "位置", "Where"};
inline const char* const kThisDocument[3] = {"本文档", "本文檔", "This document"};
inline const char* const kOtherFile[3] = {"对比文件", "對比檔案", "The other file"};
inline const char* const kTheRadio[3] = {"对讲机", "對講機", "The radio"};
inline const char* const kRadioNow[3] = {"对讲机现在", "對講機現在", "On the radio now"};
inline const char* const kAfterWrite[3] = {"写入后", "寫入後", "After the write"};

// The summary above a list; %1 is the number of differences.
inline const char* const kNoDifference[3] = {"没有差异。", "沒有差異。", "No differences."};
inline const char* const kOneDifference[3] = {"共 1 处差异。", "共 1 處差異。", "1 difference."};
inline const char* const kDifferences[3] = {"共 %1 处差异。", "共 %1 處差異。", "%1 differences."};
inline const char* const kBackup[3] = {"读取的备份：", "讀取的備份：", "Backup of the read: "};

// The question before a write; %1 is the address range that was read.
inline const char* const kPreviewTitle[3] = {"写入前的更改", "寫入前的更改",
                                             "Changes before writing"};
inline const char* const kWriteChangesNothing[3] = {
    "写入不会改变对讲机上的任何内容（已比较 %1）。",
    "寫入不會改變對講機上的任何內容（已比較 %1）。",
    "The write changes nothing on the radio (compared %1)."};
inline const char* const kWriteChanges[3] = {
    "写入将改变对讲机上的以下内容（已比较 %1）：", "寫入將改變對講機上的以下內容（已比較 %1）：",
    "The write will change these on the radio (compared %1):"};

}  // namespace tarvos::ui::compare_text
