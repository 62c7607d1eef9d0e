#include "document/print_sheet.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "base/face_text.h"
#include "base/split.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"
#include "document/write_preview.h"
#include "functions/function_frames.h"
#include "functions/function_model.h"
#include "functions/two_tone.h"
#include "memory/channel_codec.h"
#include "memory/image_fingerprint.h"

namespace tarvos {

namespace {

// Texts the sheet needs that have no FaceText entry: Simplified, Traditional, English.
const char* const kFileNameCaption[3] = {"文件名", "檔案名稱", "File name"};
const char* const kPrintedCaption[3] = {"打印时间", "列印時間", "Printed"};
const char* const kCodeSetText[3] = {"已设置", "已設置", "Set"};
const char* const kFingerprintCaption[3] = {"指纹 (CRC-32, 0010-037F)", "指紋 (CRC-32, 0010-037F)",
                                            "Fingerprint (CRC-32, 0010-037F)"};
const char* const kInUseCaption[3] = {"已用信道", "已用信道", "Channels in use"};
const char* const kPagePattern[3] = {"第 %1 页，共 %2 页", "第 %1 頁，共 %2 頁", "Page %1 of %2"};

constexpr const char* kItemNames[3] = {"cover", "settings", "channels"};

std::string TimeText(std::time_t t) {
    char buf[32] = {};
    if (const std::tm* tm = std::localtime(&t))
        std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", tm);
    return buf;
}

// --- Channel information --------------------------------------------------------------------

// The grid: its captions (as many as it has columns), the row labels and every cell's text.
SheetTable ChannelTableOf(const RadioDocument& doc) {
    const ChannelLayout& layout = doc.layout();
    const ChannelEditor& grid = doc.channelEditor();
    const int cols = grid.cols();
    SheetTable t;
    t.header = layout.captions();
    t.header.resize(static_cast<size_t>(cols) + 1);
    for (int c = 0; c <= cols; ++c) t.widths.push_back(layout.widths[static_cast<size_t>(c)]);
    for (int r = 1; r <= grid.rows(); ++r) {
        std::vector<SheetCell> row{{std::to_string(r), false}};
        for (int c = 1; c <= cols; ++c) {
            const GridCell& cell = grid.cell(r, c);
            row.push_back({cell.text, cell.colour == CellColour::Over});
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

int ChannelsInUse(const RadioDocument& doc) {
    int used = 0;
    for (int ch = 1; ch <= doc.layout().channelCount; ++ch)
        if (!doc.chInfo().empty(ch)) ++used;
    return used;
}

// --- Radio settings -------------------------------------------------------------------------

SheetTable TwoToneTableOf(const FunctionModel& m) {
    SheetTable t;
    t.header = SplitAt(TwoToneHeaderFormat(m.language()), '|');
    t.widths = {500, 1300, 1050, 1300, 1050, 1050};
    for (int e = 1; e <= kTwoToneEntries; ++e) {
        const TwoToneCells& cells = m.twoTone()[static_cast<size_t>(e - 1)];
        std::vector<SheetCell> row{{std::to_string(e), false}};
        for (int c = 1; c <= 5; ++c) row.push_back({cells.cell(static_cast<TwoToneColumn>(c))});
        t.rows.push_back(std::move(row));
    }
    return t;
}

// A control's caption as its frame shows it: its own or its label's, and for the ten VOX
// comparison lists the shared caption with the level label of each.
std::string CaptionOf(const FunctionModel& m, const Binding& b) {
    const FaceTextTable& ft = m.faceText();
    std::string caption = b.caption >= 0 ? ft[b.caption] : b.fixedCaption;
    if (b.voxIndex) caption += " " + VoxLevelCaption(ft, b.voxIndex - 1);
    return caption;
}

std::string ValueOf(const FunctionModel& m, int index) {
    const Binding& b = m.bindings()[static_cast<size_t>(index)];
    if (b.kind == ControlKind::Check) return m.faceText()[m.state(index).checked ? 303 : 302];
    return m.shownEntry(index);
}

bool Shown(const FunctionModel& m, const Binding& b) {
    return b.name != "chkJumpFreFunc" || m.jumpFreFuncVisible();
}

// Where a control sits in its frame, as the page lays a frame out: list boxes, then the
// caption and field pairs, then the check boxes, then the grids.
int Section(const Binding& b) {
    switch (b.kind) {
        case ControlKind::List:
            return b.name.rfind("list", 0) == 0 ? 0 : 1;
        case ControlKind::Text:
            return 1;
        case ControlKind::Check:
            return 2;
        case ControlKind::Grid:
            return 3;
    }
    return 3;
}

SheetFrame FrameOf(const FunctionModel& m, std::string_view frame) {
    SheetFrame f;
    f.title = FrameCaption(m.faceText(), frame);
    const auto& table = m.bindings();
    for (int section = 0; section <= 3; ++section) {
        // Lists that share one label (the six identity digits) are one line.
        std::map<std::string, size_t> byLabel;
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            const Binding& b = table[static_cast<size_t>(i)];
            if (b.frame != frame || Section(b) != section || !Shown(m, b)) continue;
            if (b.kind == ControlKind::Grid) {
                if (b.grid == 0) f.tables.push_back(TwoToneTableOf(m));
                continue;
            }
            const std::string value = ValueOf(m, i);
            if (!b.captionLabel.empty() && !b.voxIndex) {
                auto [it, fresh] = byLabel.try_emplace(b.captionLabel, f.lines.size());
                if (!fresh) {
                    f.lines[it->second].value += " " + value;
                    continue;
                }
            }
            f.lines.push_back({CaptionOf(m, b), value, m.enabled(i)});
        }
    }
    return f;
}

}  // namespace

std::optional<PrintContent> ParsePrintContent(std::string_view text) {
    PrintContent c{false, false, false};
    bool* items[3] = {&c.cover, &c.settings, &c.channels};
    for (const std::string& name : SplitAt(text, ',')) {
        int k = 0;
        while (k < 3 && name != kItemNames[k]) ++k;
        if (k == 3 || *items[k]) return std::nullopt;
        *items[k] = true;
    }
    return c;
}

std::string PrintContentText(const PrintContent& content) {
    const bool ticked[3] = {content.cover, content.settings, content.channels};
    std::string text;
    for (int k = 0; k < 3; ++k)
        if (ticked[k]) text += (text.empty() ? "" : ",") + std::string(kItemNames[k]);
    return text;
}

std::string ImageFingerprint(const RadioDocument& doc) {
    // Encoded into a copy, as a save encodes the table first: edits the grid holds but the
    // image does not yet count, and the document is left as it is.
    return ImageFingerprint(ImageWithChannels(doc));
}

std::string PageNumberText(std::string_view pattern, int page, int pages) {
    std::string text(pattern);
    for (auto [mark, n] : {std::pair{"%1", page}, std::pair{"%2", pages}})
        if (size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, 2, std::to_string(n));
    return text;
}

PrintSheet BuildPrintSheet(const RadioDocument& doc, const PrintStamp& stamp,
                           const PrintContent& content) {
    const FunctionModel& m = doc.functions();
    const FaceTextTable& ft = m.faceText();
    const int l = NormalizeLanguage(doc.language()) - 1;
    PrintSheet sheet;
    sheet.language = l + 1;
    sheet.content = content;
    sheet.fileName = doc.currentFilePath().filename().string();
    sheet.pagePattern = kPagePattern[l];

    if (content.cover) {
        sheet.coverTitle = ft[95];
        sheet.cover = {
            {ft[186], stamp.program},
            {kFileNameCaption[l], sheet.fileName},
            {kPrintedCaption[l], TimeText(stamp.printedAt)},
            {ft[371], ft[356]},
            {ft[372], doc.bandCaption()},
            {ft[362], m.rdWrCodeStored() ? kCodeSetText[l] : ft[304]},
            {kFingerprintCaption[l], ImageFingerprint(doc)},
        };
    }
    if (content.channels) {
        sheet.channelsTitle = ft[146];
        sheet.channels = ChannelTableOf(doc);
        sheet.channelsInUse = {kInUseCaption[l], std::to_string(ChannelsInUse(doc)) + " / " +
                                                     std::to_string(doc.layout().channelCount)};
    }
    if (content.settings) {
        sheet.settingsTitle = ft[145];
        for (const FunctionFrame& frame : FunctionFrames())
            sheet.frames.push_back(FrameOf(m, frame.name));
    }
    return sheet;
}

}  // namespace tarvos
