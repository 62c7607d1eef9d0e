#pragma once
// The Auto Read/Write window's texts with no FaceText entry, in the three languages:
// Simplified, Traditional, English. Index by the language in force minus one.

#include <QString>

#include "base/face_text.h"

namespace tarvos::ui::fleet_text {

inline QString Tr(const char* const texts[3], int language) {
    return QString::fromUtf8(texts[NormalizeLanguage(language) - 1]);
}

inline const char* const kPorts[3] = {"串口（可选多个）", "串口（可選多個）",
                                      "Ports (one or several)"};
inline const char* const kSeconds[3] = {"秒", "秒", "s"};
inline const char* const kNumbering[3] = {"编号", "編號", "Numbering"};
inline const char* const kFirstNumber[3] = {"起始号", "起始號", "First number"};
inline const char* const kStep[3] = {"步长", "步長", "Step"};
inline const char* const kFolder[3] = {"保存文件夹", "儲存資料夾", "Folder"};
inline const char* const kStart[3] = {"开始", "開始", "Start"};
inline const char* const kStop[3] = {"停止", "停止", "Stop"};

// A line's state.
inline const char* const kWaitingForRadio[3] = {"等待对讲机……", "等待對講機……",
                                                "Waiting for a radio..."};
inline const char* const kVerifying[3] = {"正在校验……", "正在校驗……", "Verifying..."};
inline const char* const kTakeOff[3] = {"请取下对讲机", "請取下對講機", "Take the radio off"};
inline const char* const kEnded[3] = {"已停止", "已停止", "Stopped"};
inline const char* const kStopping[3] = {"正在停止……", "正在停止……", "Stopping..."};

// The columns of the lines and of the report.
inline const char* const kDevice[3] = {"设备", "裝置", "Device"};
inline const char* const kProgress[3] = {"进度", "進度", "Progress"};
inline const char* const kState[3] = {"状态", "狀態", "State"};
inline const char* const kOperation[3] = {"操作", "操作", "Operation"};
inline const char* const kResult[3] = {"结果", "結果", "Result"};
inline const char* const kReason[3] = {"原因", "原因", "Reason"};
inline const char* const kVerified[3] = {"校验", "校驗", "Verified"};
inline const char* const kNumber[3] = {"编号", "編號", "Number"};
inline const char* const kFingerprint[3] = {"指纹", "指紋", "Fingerprint"};

// Values in the report table.
inline const char* const kUnfinished[3] = {"未完成", "未完成", "Unfinished"};
inline const char* const kYes[3] = {"是", "是", "Yes"};
inline const char* const kNo[3] = {"否", "否", "No"};

// Refusals before a start, and the summary after a run (%1 done, %2 failed, %3 unfinished).
inline const char* const kNoPortChosen[3] = {"请至少选择一个串口。", "請至少選擇一個串口。",
                                             "Choose at least one port."};
inline const char* const kNoFirstNumber[3] = {"请输入起始号。", "請輸入起始號。",
                                              "Give the first number."};
inline const char* const kSummary[3] = {"成功 %1 台，失败 %2 台，未完成 %3 台。",
                                        "成功 %1 台，失敗 %2 台，未完成 %3 台。",
                                        "%1 done, %2 failed, %3 unfinished."};
inline const char* const kReportIn[3] = {"报告：", "報告：", "Report: "};

}  // namespace tarvos::ui::fleet_text
