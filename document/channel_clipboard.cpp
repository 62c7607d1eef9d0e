#include "document/channel_clipboard.h"

#include <algorithm>

#include "base/error_log.h"
#include "base/split.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"
#include "memory/bit_masks.h"
#include "memory/channel_codec.h"

namespace tarvos {

namespace {

constexpr size_t kClipChannelBytes = 17;

size_t ScanBit(int row) {
    return static_cast<size_t>(row - 1);
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The rows of a pasted text and their cells; a final line feed ends the last row and
// starts none.
std::vector<std::vector<std::string>> TextRows(std::string_view text) {
    std::vector<std::string> lines = SplitAt(text, '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::vector<std::vector<std::string>> rows;
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rows.push_back(SplitAt(line, '\t'));
    }
    return rows;
}

// One cell typed as a user types it; a cell already showing the text is left alone.
void TypeCell(ChannelEditor& e, int r, int c, const std::string& text) {
    if (text == e.text(r, c)) return;
    if (c == 3 || c == 4) {
        // The tone box opens only over a channel (and an encode tone only with a transmit
        // frequency), as a click opens it.
        e.Click(r, c);
        if (e.openToneCell() != CellPos{r, c}) return;
        e.SetToneBoxText(text);
        e.LeaveToneBox();
        return;
    }
    int chosen = -1;
    if (e.optionColumn(c)) {
        const std::vector<std::string> items = e.dropDownItems(c);
        const auto it = std::find(items.begin(), items.end(), text);
        if (it == items.end()) return;
        chosen = static_cast<int>(it - items.begin());
    } else if (c != 1 && c != 2) {
        return;  // a column without a rule of its own (the channel name) takes nothing
    }
    if (!e.BeforeEdit(r, c).cancel) e.AfterEdit(r, c, text, chosen);
}

}  // namespace

std::vector<int> RowRange(int first, int last) {
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) rows.push_back(r);
    return rows;
}

ChannelClip CopyChannels(const ChannelEditor& editor, const std::vector<int>& rows) {
    const RadioDocument& doc = editor.document();
    ByteImage image = doc.image();
    if (editor.pendingEdits()) {
        // What a save would write, worked out on copies: the document stays as it is. The
        // save itself logs whatever cannot be encoded.
        ChannelTable info = doc.chInfo();
        ToneTexts tones = doc.toneText();
        ErrorLog quiet;
        ChannelCodec(image, doc.tempArray(), info, tones, doc.layout(), doc.toneList(), quiet)
            .ChInfoToIicDat();
    }
    const unsigned scan = Get(image, kScanWordHigh) * 256u + Get(image, kScanWordLow);
    ChannelClip clip;
    for (int row : rows) {
        if (row < 1 || row > editor.rows()) continue;
        ClipChannel channel;
        for (int i = 0; i < kChannelRecordSize; ++i)
            channel.record[static_cast<size_t>(i)] = image.at(ChannelRecordAddr(row, i));
        channel.scan = (scan & BitMask[ScanBit(row)]) != 0;
        clip.push_back(channel);
    }
    return clip;
}

std::string ChannelRowsText(const ChannelEditor& editor, const std::vector<int>& rows) {
    std::string text;
    for (int row : rows) {
        if (row < 1 || row > editor.rows()) continue;
        for (int c = 1; c <= editor.cols(); ++c) {
            if (c > 1) text += '\t';
            text += editor.text(row, c);
        }
        text += '\n';
    }
    return text;
}

std::string ClipBytes(const ChannelClip& clip) {
    std::string bytes;
    for (const ClipChannel& channel : clip) {
        bytes.append(channel.record.begin(), channel.record.end());
        bytes += static_cast<char>(channel.scan ? 1 : 0);
    }
    return bytes;
}

std::optional<ChannelClip> ClipFromBytes(std::string_view bytes) {
    if (bytes.empty() || bytes.size() % kClipChannelBytes != 0) return std::nullopt;
    ChannelClip clip;
    for (size_t at = 0; at < bytes.size(); at += kClipChannelBytes) {
        ClipChannel channel;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), 16, channel.record.begin());
        const char scan = bytes[at + 16];
        if (scan != 0 && scan != 1) return std::nullopt;
        channel.scan = scan == 1;
        clip.push_back(channel);
    }
    return clip;
}

void PutChannel(ChannelEditor& editor, int row, const ClipChannel& channel) {
    RadioDocument& doc = editor.document();
    ByteImage& image = doc.image();
    for (int i = 0; i < kChannelRecordSize; ++i)
        image.at(ChannelRecordAddr(row, i)) = channel.record[static_cast<size_t>(i)];
    unsigned scan = Get(image, kScanWordHigh) * 256u + Get(image, kScanWordLow);
    scan = channel.scan ? (scan | BitMask[ScanBit(row)]) : (scan & BitClearMask[ScanBit(row)]);
    Set(image, kScanWordHigh, scan / 256);
    Set(image, kScanWordLow, scan & 0xFF);
    doc.codec().DecodeChannel(row);
    editor.ShowChannel(row);
}

PasteOutcome PasteChannels(ChannelEditor& editor, int row, const ChannelClip& clip) {
    PasteOutcome out;
    if (editor.locked() || row < 1 || row > editor.rows()) return out;
    Guard(editor.document().log(), "mdifrmMain->mnuChPaste_Click", [&] {
        editor.Gesture([&] {
            // A tone still being entered is stored first, as before every command.
            editor.LeaveToneBox();
            // Rows the table has in the image already stay in step with it.
            const bool synced = !editor.pendingEdits();
            for (size_t i = 0; i < clip.size(); ++i) {
                const int r = row + static_cast<int>(i);
                if (r > editor.rows()) {
                    ++out.leftOut;
                    continue;
                }
                PutChannel(editor, r, clip[i]);
                ++out.pasted;
            }
            if (synced) editor.TableSynced();
        });
    });
    return out;
}

PasteOutcome PasteText(ChannelEditor& editor, int row, std::string_view text) {
    PasteOutcome out;
    if (editor.locked() || row < 1 || row > editor.rows()) return out;
    const std::vector<std::vector<std::string>> rows = TextRows(text);
    Guard(editor.document().log(), "mdifrmMain->mnuChPaste_Click", [&] {
        editor.Gesture([&] {
            editor.LeaveToneBox();
            // Typing into a tone cell clicks it; the row the user last clicked stays painted.
            const int painted = editor.paintedRow();
            for (size_t i = 0; i < rows.size(); ++i) {
                const int r = row + static_cast<int>(i);
                if (r > editor.rows()) {
                    ++out.leftOut;
                    continue;
                }
                const std::vector<std::string>& cells = rows[i];
                const int last = std::min(static_cast<int>(cells.size()), editor.cols());
                for (int c = 1; c <= last; ++c)
                    TypeCell(editor, r, c, std::string(Trimmed(cells[static_cast<size_t>(c - 1)])));
                ++out.pasted;
            }
            editor.SetPaintedRow(painted);
        });
    });
    return out;
}

void DeleteChannels(ChannelEditor& editor, const std::vector<int>& rows) {
    if (editor.locked()) return;
    editor.Gesture([&] {
        for (int row : rows) editor.DeleteOne(row);
    });
}

}  // namespace tarvos
