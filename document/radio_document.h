#pragma once
// The radio document: everything the application edits, in one object both front ends build
// and use, so the same gestures give the same bytes in the window and in tarvos-cli.
//
// It owns the memory image IicDat and the template copy TempArray, the channel table ChInfo
// with its tone texts, the channel layout, the tone list, the band in force, the function
// page model (with the new read/write code buffer), the file the image belongs to and
// whether it holds changes not yet saved. Its operations are what a user does to them: New,
// Open, Save, taking a read's result, preparing a write, choosing the model and the band,
// and (through Edit) every change an editor makes.
//
// The questions and dialogs around the operations (Save's question, the file dialogs, the
// custom band dialog) belong to the window; the document is what happens after the answer.
// Editors observe the document and redraw from it.

#include <any>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "base/error_log.h"
#include "base/file_error.h"
#include "functions/function_model.h"
#include "memory/band.h"
#include "memory/channel_codec.h"
#include "memory/channel_layout.h"
#include "memory/channel_table.h"
#include "memory/image.h"
#include "memory/read_back.h"
#include "memory/tone_list.h"

namespace tarvos {

class ChannelEditor;

// What changed, as the observers hear it.
enum class DocumentChange {
    Replaced,   // the whole image was replaced (New, Open, a read, a band change): redraw all
    Channels,   // the channel table or the channel records
    Functions,  // a function setting
    Image,      // bytes of the image outside the editors' own fields (hex edits, fills)
    FilePath,   // CurrentFilePath
    Modified,   // the unsaved-changes flag
};

// Where New reloads the template from: the file in the application folder, or the copy
// built into the program (tarvos-cli).
using TemplateSource = std::variant<std::filesystem::path, std::vector<uint8_t>>;

class RadioDocument {
  public:
    explicit RadioDocument(ErrorLog& log, int language = 3, int datNum = kMinDatNum);
    ~RadioDocument();
    RadioDocument(const RadioDocument&) = delete;
    RadioDocument& operator=(const RadioDocument&) = delete;

    // --- Start-up, in the order the application starts in -------------------------------
    // The language (1..3) of the tone list and the function pages.
    void SetLanguage(int language);
    // IicDat and TempArray with indexes 0..datNum, all zero.
    void CreateImage(int datNum);
    void SetTemplate(TemplateSource source);
    // The data folder's Untitled.dat (CurrentFilePath starts as it) and the defaults file.
    void SetFiles(std::filesystem::path untitledPath, std::filesystem::path defaultsPath);
    // The channel layout of the language (ReadChInfo).
    void SetLayout(ChannelLayout layout);
    // Every channel reset from TempArray (InitChTable).
    void InitChTable();
    // The rest of start-up is the first band selection, SelectBand(kStartBandIndex).

    // --- What it holds -----------------------------------------------------------------
    ErrorLog& log() { return log_; }
    int language() const { return language_; }
    ByteImage& image() { return iicDat_; }
    const ByteImage& image() const { return iicDat_; }
    const ByteImage& tempArray() const { return tempArray_; }
    ChannelTable& chInfo() { return chInfo_; }
    const ChannelTable& chInfo() const { return chInfo_; }
    ToneTexts& toneText() { return toneText_; }
    const ToneTexts& toneText() const { return toneText_; }
    const ChannelLayout& layout() const { return layout_; }
    const ToneList& toneList() const { return toneList_; }
    ChannelCodec& codec() { return codec_; }
    FunctionModel& functions() { return *functions_; }
    const FunctionModel& functions() const { return *functions_; }
    // The channel grid as the editing rules see it, with the gestures on it.
    ChannelEditor& channelEditor() { return *editor_; }
    const ChannelEditor& channelEditor() const { return *editor_; }

    // The band in force (10 Hz units) and its selector entry (0..14).
    int32_t bandLow() const { return bandLow_; }
    int32_t bandHigh() const { return bandHigh_; }
    int bandIndex() const { return bandIndex_; }
    // The channel window's caption for the band ("400 - 520 MHz", "Custom  136 - 174 MHz").
    std::string bandCaption() const;
    // The custom band dialog's texts, last accepted, kept for the run ("120" and "520").
    const std::string& customMinText() const { return customMinText_; }
    const std::string& customMaxText() const { return customMaxText_; }
    // The model selector's entry.
    int modelIndex() const { return modelIndex_; }
    static constexpr int kModelCount = 1;

    const std::filesystem::path& currentFilePath() const { return currentFilePath_; }
    const std::filesystem::path& untitledPath() const { return untitledPath_; }
    const std::filesystem::path& defaultsPath() const { return defaultsPath_; }
    // The document holds changes that no file has: edits since the last New, Open or Save,
    // or a radio's memory just read.
    bool modified() const { return modified_; }

    // --- File commands ---------------------------------------------------------------------
    // New: CurrentFilePath becomes Untitled.dat, then NewFileSol.
    void NewFile();
    // The template again with the model and band kept; every editor redraws.
    void NewFileSol();
    // Open: false when the file is no data file ("Wrong file type!"); nothing changed then.
    bool OpenFile(const std::filesystem::path& path);
    // "Restore Default Setting": Open of the defaults file.
    bool RestoreDefaultSetting();
    // Save As: CurrentFilePath becomes path, then SaveDatFile.
    bool SaveAsFile(const std::filesystem::path& path);
    // The file the image belongs to, without opening or saving it.
    void SetCurrentFilePath(std::filesystem::path path);
    // Save: the channel table encoded into the image, then the file written to
    // CurrentFilePath. False when the file was not written (the failure is logged).
    bool SaveDatFile();
    // Why the last Open or Save failed, in one English line (empty when it did not).
    const std::string& fileError() const { return fileError_.message; }

    // --- Transfers -------------------------------------------------------------------------
    // After a successful read has filled the image: a backup of it as read, when backups
    // are on, then every editor redisplays from it.
    void TakeReadResult();
    // Backups of every read into folder (the window gives its Data/backups); an empty path
    // turns them off, as they are at first. clock gives the time a backup is named after
    // (the system clock when empty).
    void SetReadBackups(std::filesystem::path folder, std::function<std::time_t()> clock = {});
    // The backup the last read left; empty when none was written.
    const std::filesystem::path& lastReadBackup() const { return lastReadBackup_; }
    // A read into an image of its own (Compare with Radio) is backed up the same way; it
    // becomes the last read's backup. Empty when backups are off or it could not be written.
    std::filesystem::path BackUpRead(const ByteImage& image);
    // Before a write: the channel table encoded and the function page's write values forced.
    WriteParamBits PrepareWrite();

    // --- Model and band --------------------------------------------------------------------
    void SelectModel(int index);  // cboModel_Click
    // A band chosen in the selector: limits from the band table and a new channel set. For
    // the custom entry (14) give the dialog's result when it was accepted, nullptr when it
    // was cancelled (the limits stay, the new channel set comes all the same).
    void SelectBand(int index, const CustomBand* custom = nullptr);

    // The full refresh after an open or a read (SoftDisplay): model and band from the image,
    // the channel table decoded, the identification block, the function pages; then every
    // editor redraws.
    void SoftDisplay();

    // --- Editing ---------------------------------------------------------------------------
    // A change an editor makes: body changes the document; afterwards, when it changed
    // anything, the document counts as modified, the change can be taken back (Undo) and the
    // observers hear `what`. Edits inside an edit are part of it, and what the body itself
    // would tell the observers is told once, when the edit ends, before `what`.
    template <class Body>
    void Edit(DocumentChange what, Body&& body) {
        if (editDepth_ > 0) {
            body();
            return;
        }
        beginEdit();
        try {
            body();
        } catch (...) {
            abandonEdit();
            throw;
        }
        finishEdit(what);
    }

    // --- Undo and redo -----------------------------------------------------------------------
    // Every edit since the last New, Open or read can be taken back and made again, except
    // while the interface is locked: the lock freezes the channels against every change.
    bool canUndo() const;
    bool canRedo() const;
    void Undo();
    void Redo();
    // Forgets every edit so far and counts the document as unmodified (the end of start-up).
    void ResetHistory();
    // A view whose own state goes with the document's in every undo step (the memory view's
    // cell texts): save() is kept with each state the history keeps, restore() puts it back
    // when Undo or Redo returns to that state. States kept before a part was added leave it
    // as it is. The part must be removed before it goes.
    struct UndoPart {
        std::function<std::any()> save;
        std::function<void(const std::any&)> restore;
    };
    int addUndoPart(UndoPart part);
    void removeUndoPart(int id);

    // --- The memory view's changes ----------------------------------------------------------
    // Bytes the memory view changes (a typed cell, a partial fill), as one Edit: channel edits
    // the image does not have yet are encoded first, as a save would, so they are not lost;
    // then store writes the bytes; then the channel table is decoded from the image again (as
    // at an open; the band selector is not re-read) and the function pages are reloaded from
    // it. The observers hear Replaced, so the grid and the pages redraw from what was stored.
    void EditBytes(const std::function<void(ByteImage&)>& store);
    // The channel table encoded into the image ("Fill Gird").
    void EncodeChannels();

    // --- Observation -----------------------------------------------------------------------
    using Observer = std::function<void(DocumentChange)>;
    int addObserver(Observer observer);
    void removeObserver(int id);

  private:
    struct State;
    std::unique_ptr<State> captureState() const;
    void restoreState(const State& state);
    void beginEdit();
    void finishEdit(DocumentChange what);
    void abandonEdit();
    void releaseHeld(DocumentChange last);
    void clearHistory();
    void stepHistory(std::vector<std::unique_ptr<State>>& from,
                     std::vector<std::unique_ptr<State>>& to);
    void notify(DocumentChange what);
    void setModified(bool modified);
    void reloadTemplate();
    void IicDatToModel();
    void IicDatToBand();
    void softDisplay();
    void selectBand(int index, const CustomBand* custom);

    ErrorLog& log_;
    int language_;
    ByteImage iicDat_;
    ByteImage tempArray_;
    ChannelTable chInfo_;
    ToneTexts toneText_;
    ChannelLayout layout_;
    ToneList toneList_;
    ChannelCodec codec_;
    std::unique_ptr<FunctionModel> functions_;
    TemplateSource template_;

    int32_t bandLow_ = 40000000;
    int32_t bandHigh_ = 52000000;
    int bandIndex_ = kStartBandIndex;
    std::string customMinText_ = "120";
    std::string customMaxText_ = "520";
    int modelIndex_ = 0;

    std::filesystem::path untitledPath_;
    std::filesystem::path defaultsPath_;
    std::filesystem::path currentFilePath_;
    bool modified_ = false;
    FileError fileError_;
    std::filesystem::path backupFolder_;
    std::function<std::time_t()> backupClock_;
    std::filesystem::path lastReadBackup_;

    std::vector<std::pair<int, Observer>> observers_;
    int nextObserver_ = 1;
    std::vector<std::pair<int, UndoPart>> undoParts_;

    // What Undo and Redo go back and forth between; each state has an id, and the document
    // is unmodified exactly while its state is the one last saved or opened.
    std::vector<std::unique_ptr<State>> undo_;
    std::vector<std::unique_ptr<State>> redo_;
    std::unique_ptr<State> editBefore_;  // the state an edit in progress started from
    int editDepth_ = 0;
    std::vector<DocumentChange> held_;  // changes to tell once the edit in progress ends
    uint64_t stateId_ = 0;
    uint64_t nextStateId_ = 1;
    uint64_t cleanStateId_ = 0;
    // Last: it observes the document from its construction on.
    std::unique_ptr<ChannelEditor> editor_;
};

}  // namespace tarvos
