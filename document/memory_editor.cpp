#include "document/memory_editor.h"

#include <any>
#include <memory>
#include <string>

#include "document/radio_document.h"

namespace tarvos {

MemoryEditor::MemoryEditor(RadioDocument& doc, int tableMaxAddr)
    : doc_(doc), startTableMaxAddr_(tableMaxAddr), view_(tableMaxAddr) {
    // The cells go back with the bytes they stand for: after an undo, typing the text of the
    // edit taken back is an edit again, not a cell "left as it was".
    undoPart_ = doc_.addUndoPart(
        {[this] { return std::any(view_.saveCells()); },
         [this](const std::any& cells) {
             view_.restoreCells(std::any_cast<std::shared_ptr<const MemoryView::Cells>>(cells));
         }});
}

MemoryEditor::~MemoryEditor() {
    doc_.removeUndoPart(undoPart_);
}

void MemoryEditor::TableFreDat(int tableMaxAddr) {
    view_.TableFreDat(doc_.image(), tableMaxAddr, doc_.log());
}

void MemoryEditor::FillGrid(int tableMaxAddr) {
    doc_.EncodeChannels();
    TableFreDat(tableMaxAddr);
}

void MemoryEditor::SetDefColor() {
    view_.SetDefColor();
}

bool MemoryEditor::AfterEdit(int address, std::string_view text) {
    bool stored = false;
    Guard(doc_.log(), "frmMemDat->vsfgGridMemDat_AfterEdit", [&] {
        if (view_.hasCell(address) && view_.text(address) == text) return;
        const std::string before = view_.hasCell(address) ? view_.text(address) : std::string();
        const std::optional<uint8_t> byte = view_.TypeCell(address, text, doc_.log());
        if (!byte) return;
        Guard(doc_.log(), "frmMemDat->GridDataTemp", [&] {
            // The last row may reach past the image's end.
            if (doc_.image().at(address) == *byte) return;
            // The text goes in with its byte, in one step: the step starts from the old text.
            view_.SetText(address, before);
            doc_.EditBytes([&](ByteImage& image) {
                image.at(address) = *byte;
                view_.SetText(address, std::string(text));
            });
            stored = true;
        });
    });
    return stored;
}

bool MemoryEditor::PartFill(const FillRequest& request) {
    ErrorLog& log = doc_.log();
    const std::optional<PartialFill> fill = CheckFill(request, doc_.image().DatNum(), log);
    if (!fill) return false;
    bool changes = false;
    for (int a = fill->start; a <= fill->end && !changes; ++a)
        changes = doc_.image().at(a) != fill->value;
    if (changes)
        doc_.EditBytes([&](ByteImage& image) {
            for (int a = fill->start; a <= fill->end; ++a) image.at(a) = fill->value;
            view_.ShowRange(image, fill->start, fill->end);
        });
    else
        view_.ShowRange(doc_.image(), fill->start, fill->end);
    return changes;
}

}  // namespace tarvos
