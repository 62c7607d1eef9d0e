#pragma once
// What the windows ask of the desktop: message boxes, file dialogs, opening a document and
// starting a new instance of the program. The application uses the Qt implementation; the
// tests put in one that answers from a script and records what was shown.

#include <QString>

class QWidget;

namespace tarvos::ui {

class DesktopHost {
  public:
    enum class Icon { Question, Information, Exclamation, Critical };
    enum class Answer { Yes, No, Cancel };
    virtual ~DesktopHost() = default;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // A Yes/No/Cancel question; closing the box is Cancel.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) = 0;
    // Save / Discard / Cancel before unsaved changes would be lost: Yes saves, No discards;
    // closing the box is Cancel. Asked as a Yes/No/Cancel question unless the desktop has
    // buttons of its own for it.
    virtual Answer askSaveDiscardCancel(QWidget* parent, const QString& title,
                                        const QString& text) {
        return askYesNoCancel(parent, title, text);
    }
    // A message with an OK button.
    virtual void tell(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    // File dialogs: an empty result means the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& dir, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& dir, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // A folder dialog starting at dir; empty when the user cancelled (and from a desktop
    // that has none).
    virtual QString folderName(QWidget* /*parent*/, const QString& /*dir*/) { return {}; }
    // Opens a file with the desktop's viewer for it; false when nothing could open it.
    virtual bool openDocument(const QString& path) = 0;
    // Starts another instance of this program with the same arguments.
    virtual bool startNewInstance() = 0;
};

class QtDesktopHost : public DesktopHost {
  public:
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) override;
    Answer askSaveDiscardCancel(QWidget* parent, const QString& title,
                                const QString& text) override;
    void tell(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    QString openFileName(QWidget* parent, const QString& dir, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& dir, const QString& filter,
                         const QString& defaultSuffix) override;
    QString folderName(QWidget* parent, const QString& dir) override;
    bool openDocument(const QString& path) override;
    bool startNewInstance() override;
};

// "Data File(*.dat)|*.dat" -> "Data File(*.dat)" for the Qt dialogs: the patterns are added
// in parentheses only when the description does not end with them already.
QString QtFilter(const QString& vbFilter);

}  // namespace tarvos::ui
