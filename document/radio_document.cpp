#include "document/radio_document.h"

#include <algorithm>
#include <utility>

#include "document/channel_editor.h"
#include "functions/write_prepare.h"
#include "memory/data_file.h"
#include "memory/identification.h"
#include "memory/read_backup.h"

namespace tarvos {

// Everything an edit can change, as it was: small enough (a few tens of kilobytes) to keep a
// copy per edit.
struct RadioDocument::State {
    uint64_t id = 0;
    ByteImage iicDat;
    ByteImage tempArray;
    ChannelTable chInfo;
    ToneTexts toneText;
    ChannelEditor::Saved editor;
    FunctionModel::CodeBoxes codeBoxes;
    int32_t bandLow = 0, bandHigh = 0;
    int bandIndex = 0, modelIndex = 0;
    std::string customMinText, customMaxText;
    std::filesystem::path currentFilePath;
    // The undo parts' own states, by part id; not part of what makes two states the same.
    std::vector<std::pair<int, std::any>> parts;

    // The same document, whatever the id.
    bool sameAs(const State& o) const {
        return iicDat == o.iicDat && tempArray == o.tempArray && chInfo == o.chInfo &&
               toneText == o.toneText && editor == o.editor && codeBoxes == o.codeBoxes &&
               bandLow == o.bandLow && bandHigh == o.bandHigh && bandIndex == o.bandIndex &&
               modelIndex == o.modelIndex && customMinText == o.customMinText &&
               customMaxText == o.customMaxText && currentFilePath == o.currentFilePath;
    }
};

namespace {
// Edits kept for Undo; the oldest go first.
constexpr size_t kUndoDepth = 200;
}  // namespace

RadioDocument::RadioDocument(ErrorLog& log, int language, int datNum)
    : log_(log),
      language_(NormalizeLanguage(language)),
      iicDat_(datNum),
      tempArray_(datNum),
      toneList_(language_),
      codec_(iicDat_, tempArray_, chInfo_, toneText_, layout_, toneList_, log_),
      functions_(std::make_unique<FunctionModel>(language_, &log_)),
      editor_(std::make_unique<ChannelEditor>(*this)) {}

RadioDocument::~RadioDocument() = default;

// --- Start-up -------------------------------------------------------------------------------

void RadioDocument::SetLanguage(int language) {
    language_ = NormalizeLanguage(language);
    toneList_ = ToneList(language_);
    functions_ = std::make_unique<FunctionModel>(language_, &log_);
}

void RadioDocument::CreateImage(int datNum) {
    iicDat_ = ByteImage(datNum);
    tempArray_ = ByteImage(datNum);
}

void RadioDocument::SetTemplate(TemplateSource source) {
    template_ = std::move(source);
}

void RadioDocument::SetFiles(std::filesystem::path untitledPath,
                             std::filesystem::path defaultsPath) {
    untitledPath_ = std::move(untitledPath);
    defaultsPath_ = std::move(defaultsPath);
    SetCurrentFilePath(untitledPath_);
}

void RadioDocument::SetLayout(ChannelLayout layout) {
    layout_ = std::move(layout);
}

void RadioDocument::InitChTable() {
    for (int ch = 1; ch <= layout_.channelCount; ++ch) codec_.DelOneChannel(ch);
    editor_->ClearAll();
    notify(DocumentChange::Channels);
}

// --- What it holds --------------------------------------------------------------------------

std::string RadioDocument::bandCaption() const {
    return BandCaption(bandIndex_, bandLow_, bandHigh_, functions_->faceText()[373]);
}

// --- File commands --------------------------------------------------------------------------

void RadioDocument::NewFile() {
    Guard(log_, "mdifrmMain->NewFile", [&] {
        SetCurrentFilePath(untitledPath_);
        NewFileSol();
    });
    ResetHistory();
}

void RadioDocument::reloadTemplate() {
    if (const auto* path = std::get_if<std::filesystem::path>(&template_))
        NewFileImage(*path, iicDat_, tempArray_, log_);
    else
        NewFileImage(std::get<std::vector<uint8_t>>(template_), iicDat_, tempArray_, log_);
}

void RadioDocument::NewFileSol() {
    Guard(log_, "mdifrmMain->NewFileSol", [&] {
        reloadTemplate();
        codec_.IicDatToChInfo();
        editor_->TableSynced();
        functions_->InitOpt(iicDat_);
    });
    setModified(false);
    notify(DocumentChange::Replaced);
}

bool RadioDocument::OpenFile(const std::filesystem::path& path) {
    if (!OpenDatFile(path, iicDat_, log_, &fileError_)) return false;
    softDisplay();
    SetCurrentFilePath(path);
    ResetHistory();
    notify(DocumentChange::Replaced);
    return true;
}

bool RadioDocument::RestoreDefaultSetting() {
    return OpenFile(defaultsPath_);
}

bool RadioDocument::SaveAsFile(const std::filesystem::path& path) {
    SetCurrentFilePath(path);
    return SaveDatFile();
}

bool RadioDocument::SaveDatFile() {
    const bool saved = tarvos::SaveDatFile(currentFilePath_, iicDat_, log_, &codec_, &fileError_);
    editor_->TableSynced();
    // Encoding the table and the save's own marks changed bytes of the image.
    notify(DocumentChange::Image);
    if (saved) {
        cleanStateId_ = stateId_;
        setModified(false);
    }
    return saved;
}

// --- Transfers ------------------------------------------------------------------------------

void RadioDocument::SetReadBackups(std::filesystem::path folder,
                                   std::function<std::time_t()> clock) {
    backupFolder_ = std::move(folder);
    backupClock_ = std::move(clock);
}

void RadioDocument::TakeReadResult() {
    // The backup comes first: the redisplay may normalise bytes of the image.
    BackUpRead(iicDat_);
    softDisplay();
    // The memory just read is in no file yet: a new history that starts unsaved.
    ResetHistory();
    cleanStateId_ = 0;
    setModified(true);
    notify(DocumentChange::Replaced);
}

std::filesystem::path RadioDocument::BackUpRead(const ByteImage& image) {
    lastReadBackup_.clear();
    if (!backupFolder_.empty())
        lastReadBackup_ = SaveReadBackup(backupFolder_, image, log_,
                                         backupClock_ ? backupClock_() : std::time(nullptr));
    return lastReadBackup_;
}

WriteParamBits RadioDocument::PrepareWrite() {
    codec_.ChInfoToIicDat();
    editor_->TableSynced();
    const WriteParamBits bits = PrepareImageForWrite(*functions_, iicDat_);
    notify(DocumentChange::Functions);
    notify(DocumentChange::Image);
    return bits;
}

// --- Model and band -------------------------------------------------------------------------

void RadioDocument::SelectModel(int index) {
    // The model in force picked again changes nothing: no edit, nothing to redraw.
    const int model = std::max(0, index);
    if (model == modelIndex_ && Get(iicDat_, kModelIndex) == static_cast<unsigned>(model)) return;
    Edit(DocumentChange::Replaced, [&] {
        Guard(log_, "frmChMem->cboModel_Click", [&] {
            modelIndex_ = model;
            Set(iicDat_, kModelIndex, static_cast<unsigned>(modelIndex_));
        });
    });
}

void RadioDocument::SelectBand(int index, const CustomBand* custom) {
    // A new channel set, and a change that can be taken back like any other.
    Edit(DocumentChange::Replaced, [&] { selectBand(index, custom); });
}

void RadioDocument::selectBand(int index, const CustomBand* custom) {
    Guard(log_, "frmChMem->cboFrequency_Click", [&] {
        if (index < 0 || index >= kBandCount) return;
        if (index == kCustomBandIndex) {
            if (custom) {
                // Accepting the dialog starts a new file, with the dialog's limits.
                SetCurrentFilePath(untitledPath_);
                bandLow_ = custom->low;
                bandHigh_ = custom->high;
                customMinText_ = custom->minText;
                customMaxText_ = custom->maxText;
            }
        } else {
            bandLow_ = kBandTable[static_cast<size_t>(index)].low;
            bandHigh_ = kBandTable[static_cast<size_t>(index)].high;
        }
        bandIndex_ = index;
        WriteBandLimits(iicDat_, bandLow_, bandHigh_);
        NewFileSol();
    });
}

void RadioDocument::IicDatToModel() {
    Guard(log_, "frmChMem->IicDatToModel", [&] {
        const int model = static_cast<int>(Get(iicDat_, kModelIndex));
        modelIndex_ = model < kModelCount ? model : 0;
    });
}

void RadioDocument::IicDatToBand() {
    const Band band = tarvos::IicDatToBand(iicDat_);
    bandLow_ = band.low;
    bandHigh_ = band.high;
    bandIndex_ = band.index;
}

void RadioDocument::SoftDisplay() {
    softDisplay();
    notify(DocumentChange::Replaced);
}

void RadioDocument::softDisplay() {
    Guard(log_, "frmChMem->SoftDisplay", [&] {
        IicDatToModel();
        IicDatToBand();
        Guard(log_, "modChMem->ShowChTblGrid", [&] { codec_.IicDatToChInfo(); });
        editor_->TableSynced();
        // The identification block is no function field, so it can go in first; the
        // function model's own redisplay then loads every page and checks the VOX values.
        EnsureIdentificationBlock(iicDat_);
        functions_->SoftDisplay(iicDat_);
    });
}

// --- Undo and redo --------------------------------------------------------------------------

std::unique_ptr<RadioDocument::State> RadioDocument::captureState() const {
    auto s = std::make_unique<State>();
    s->id = stateId_;
    s->iicDat = iicDat_;
    s->tempArray = tempArray_;
    s->chInfo = chInfo_;
    s->toneText = toneText_;
    s->editor = editor_->saved();
    s->codeBoxes = functions_->codeBoxes();
    s->bandLow = bandLow_;
    s->bandHigh = bandHigh_;
    s->bandIndex = bandIndex_;
    s->modelIndex = modelIndex_;
    s->customMinText = customMinText_;
    s->customMaxText = customMaxText_;
    s->currentFilePath = currentFilePath_;
    for (const auto& [id, part] : undoParts_) s->parts.emplace_back(id, part.save());
    return s;
}

void RadioDocument::restoreState(const State& s) {
    iicDat_ = s.iicDat;
    tempArray_ = s.tempArray;
    chInfo_ = s.chInfo;
    toneText_ = s.toneText;
    bandLow_ = s.bandLow;
    bandHigh_ = s.bandHigh;
    bandIndex_ = s.bandIndex;
    modelIndex_ = s.modelIndex;
    customMinText_ = s.customMinText;
    customMaxText_ = s.customMaxText;
    if (currentFilePath_ != s.currentFilePath) SetCurrentFilePath(s.currentFilePath);
    // The function pages show the image again; their loading must not change a byte of it.
    functions_->InitOpt(iicDat_);
    functions_->restoreCodeBoxes(s.codeBoxes, iicDat_);
    iicDat_ = s.iicDat;
    for (const auto& [id, saved] : s.parts)
        for (const auto& [partId, part] : undoParts_)
            if (partId == id) part.restore(saved);
    notify(DocumentChange::Replaced);
    // Cells of rows not yet complete are no part of the table: put them back after the redraw.
    editor_->restoreSaved(s.editor);
    notify(DocumentChange::Channels);
}

void RadioDocument::beginEdit() {
    editBefore_ = captureState();
    ++editDepth_;
}

void RadioDocument::abandonEdit() {
    --editDepth_;
    editBefore_.reset();
    // What did change before the failure is still told, so no view shows a state gone by.
    for (DocumentChange what : std::exchange(held_, {})) notify(what);
}

// A band change starts a new file, which tells the observers Replaced on its own; inside the
// edit that would redraw every view twice (and four times at start-up). Held changes are told
// once each, then the edit's own.
void RadioDocument::releaseHeld(DocumentChange last) {
    for (DocumentChange what : std::exchange(held_, {}))
        if (what != last) notify(what);
    notify(last);
}

void RadioDocument::finishEdit(DocumentChange what) {
    --editDepth_;
    std::unique_ptr<State> before = std::move(editBefore_);
    if (captureState()->sameAs(*before)) {
        releaseHeld(what);
        return;
    }
    undo_.push_back(std::move(before));
    if (undo_.size() > kUndoDepth) undo_.erase(undo_.begin());
    redo_.clear();
    stateId_ = nextStateId_++;
    setModified(stateId_ != cleanStateId_);
    releaseHeld(what);
}

bool RadioDocument::canUndo() const {
    return !undo_.empty() && !editor_->locked();
}

bool RadioDocument::canRedo() const {
    return !redo_.empty() && !editor_->locked();
}

void RadioDocument::Undo() {
    if (canUndo()) stepHistory(undo_, redo_);
}

void RadioDocument::Redo() {
    if (canRedo()) stepHistory(redo_, undo_);
}

// Takes the newest state of one list back into the document; the state it replaces goes on
// the other list, so the step can be taken back in turn.
void RadioDocument::stepHistory(std::vector<std::unique_ptr<State>>& from,
                                std::vector<std::unique_ptr<State>>& to) {
    if (from.empty()) return;
    std::unique_ptr<State> target = std::move(from.back());
    from.pop_back();
    to.push_back(captureState());
    restoreState(*target);
    stateId_ = target->id;
    setModified(stateId_ != cleanStateId_);
}

void RadioDocument::clearHistory() {
    undo_.clear();
    redo_.clear();
}

void RadioDocument::ResetHistory() {
    clearHistory();
    stateId_ = nextStateId_++;
    cleanStateId_ = stateId_;
    modified_ = false;
    notify(DocumentChange::Modified);
}

int RadioDocument::addUndoPart(UndoPart part) {
    undoParts_.emplace_back(nextObserver_, std::move(part));
    return nextObserver_++;
}

void RadioDocument::removeUndoPart(int id) {
    std::erase_if(undoParts_, [id](const auto& p) { return p.first == id; });
}

// --- The memory view's changes ----------------------------------------------------------------

void RadioDocument::EditBytes(const std::function<void(ByteImage&)>& store) {
    Edit(DocumentChange::Replaced, [&] {
        // Without pending channel edits the image is not encoded, so a record typed in byte
        // by byte is not normalised half-way.
        if (editor_->pendingEdits()) codec_.ChInfoToIicDat();
        store(iicDat_);
        Guard(log_, "modChMem->ShowChTblGrid", [&] { codec_.IicDatToChInfo(); });
        editor_->TableSynced();
        // The pages show what the image now holds. They load from a copy: the load rules
        // would otherwise rewrite a byte the user has just typed the moment it is stored.
        ByteImage shown = iicDat_;
        functions_->InitOpt(shown);
    });
}

void RadioDocument::EncodeChannels() {
    // An edit only when it changes bytes (Edit leaves no step for a change of nothing).
    Edit(DocumentChange::Image, [&] {
        codec_.ChInfoToIicDat();
        editor_->TableSynced();
    });
}

// --- Observation ----------------------------------------------------------------------------

int RadioDocument::addObserver(Observer observer) {
    observers_.emplace_back(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void RadioDocument::removeObserver(int id) {
    std::erase_if(observers_, [id](const auto& o) { return o.first == id; });
}

void RadioDocument::notify(DocumentChange what) {
    if (editDepth_ > 0) {
        if (std::find(held_.begin(), held_.end(), what) == held_.end()) held_.push_back(what);
        return;
    }
    // A copy: an observer may remove itself or another while it is told.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers) observer(what);
}

void RadioDocument::setModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    notify(DocumentChange::Modified);
}

void RadioDocument::SetCurrentFilePath(std::filesystem::path path) {
    currentFilePath_ = std::move(path);
    notify(DocumentChange::FilePath);
}

}  // namespace tarvos
