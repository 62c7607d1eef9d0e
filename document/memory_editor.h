#pragma once
// The memory data view on the radio document: the hexadecimal grid's model (memory_view.h)
// with the gestures a user makes on it, each carried out on the document. The window in
// memview/ renders the model and forwards its events here; tarvos-cli edit plays the same
// gestures without a window, so both give the same bytes.
//
// A typed cell stores only its own byte, and a partial fill writes its range into the image
// itself: no gesture copies the whole grid back, so a cell never filled does not write 0 and
// a byte changed since the last refresh (by a function page, a channel edit) is not put
// back. Both go through RadioDocument::EditBytes, which keeps the channel table and the
// function pages in step with the bytes stored.

#include <string_view>

#include "document/memory_view.h"

namespace tarvos {

class RadioDocument;

class MemoryEditor {
  public:
    // SetGridMemDat: the rows for the view's last address at start-up.
    MemoryEditor(RadioDocument& doc, int tableMaxAddr);
    ~MemoryEditor();
    MemoryEditor(const MemoryEditor&) = delete;
    MemoryEditor& operator=(const MemoryEditor&) = delete;

    const MemoryView& view() const { return view_; }
    // The last address of the start-up, which the rows were built for.
    int startTableMaxAddr() const { return startTableMaxAddr_; }

    // TableFreDat up to the view's last address as it is now (the communication window's
    // grid-size box may have changed it since the start).
    void TableFreDat(int tableMaxAddr);
    // cmdFillGrid: the channel table encoded into the image, then the refresh.
    void FillGrid(int tableMaxAddr);
    // cmdSetDefCol.
    void SetDefColor();
    // vsfgGridMemDat_AfterEdit: text typed into the cell of address. An edit left as it was
    // stores nothing; a text above FF stores nothing and is logged. True when the image
    // changed.
    bool AfterEdit(int address, std::string_view text);
    // cmdFillData: the range filled in the image, its cells showing the bytes. A value or an
    // address that cannot be used is logged and changes nothing. True when the image changed.
    bool PartFill(const FillRequest& request);

  private:
    RadioDocument& doc_;
    int startTableMaxAddr_;
    MemoryView view_;
    int undoPart_ = 0;
};

}  // namespace tarvos
