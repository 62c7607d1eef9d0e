#pragma once
// Unsaved changes: the one question every command asks before it would throw them away, and
// the window title that shows the file and whether it holds them.
//
// New, Open, Restore Default Setting, a read into the document, Exit and a language change
// each ask MayDiscard first; so does any later window that replaces the document (through
// WindowContext::mayDiscardChanges, which the main window points here). A command that only
// looks at the radio or a file without replacing the document (a read to compare) does not
// ask. While the document is not modified nothing is asked and the command runs as it always
// has.

#include <QString>
#include <functional>

class QWidget;

namespace tarvos::ui {

struct AppContext;

class UnsavedChanges {
  public:
    // commitPending stores an entry still being made (the tone box), so it counts as a
    // change; saveAs runs Save As and tells whether the file was written (it says so itself
    // when it was not).
    UnsavedChanges(AppContext& app, std::function<void()> commitPending,
                   std::function<bool()> saveAs);

    // True: go on (nothing unsaved, saved, or the user chose to discard). False: the command
    // stops (Cancel, or a save that was cancelled or failed). Save writes to the document's
    // file, or runs Save As when it has none of its own (Untitled.dat, or the defaults file,
    // which a save never overwrites).
    bool MayDiscard(QWidget* parent);

    // The question in a language (1..3) for a file name.
    static QString Question(int language, const QString& fileName);
    // "Untitled.dat[*] - Radio Software V2.3": the file's name and Qt's modified mark, shown
    // as "*" while the document holds unsaved changes; a maximised child window's caption
    // follows in brackets, as the window system's frame shows it ("... - [400 - 520 MHz]").
    QString Title(const QString& childCaption = {}) const;

  private:
    bool hasOwnFile() const;
    bool save(QWidget* parent);

    AppContext& app_;
    std::function<void()> commitPending_;
    std::function<bool()> saveAs_;
};

}  // namespace tarvos::ui
