#pragma once
// What every window of the application shares besides the radio document: the application
// folder and its settings file, the error log, the language in force with its texts and
// interface font, the desktop (message boxes, file dialogs), the cell colours of the
// settings file, the port shown in the status bar and the rules that govern closing. The
// application owns one; tests build their own. Each window gets it by reference.

#include <QFont>
#include <QString>
#include <functional>
#include <memory>
#include <string_view>

#include "base/error_log.h"
#include "base/face_text.h"
#include "base/settings_file.h"
#include "widgets/desktop_host.h"

class QWidget;

namespace tarvos::ui {

struct WindowContext {
    // host: the desktop to use; nullptr for the real one.
    explicit WindowContext(QString folder, DesktopHost* desktopHost = nullptr);
    virtual ~WindowContext() = default;
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    QString appFolder;
    SettingsFile settings;
    ErrorLog log;
    DesktopHost* host;

    int language = 3;
    FaceTextTable faceText{3};
    QFont uiFont;

    // Text colours of channel cells: a frequency outside the band, and every other cell.
    uint32_t overColor = 0x0000FF;
    uint32_t defColor = 0x000000;
    // The port status panel 2 shows.
    int comPort = 1;
    // "VolumeMode": how the volume dialog's lists show a level, 1 the code itself, 0 a
    // loudness step; read at start-up, written when the user switches it.
    int volumeMode = 0;

    // Closing rules: the user confirmed leaving; close without asking (a restart after a
    // language change); the automatic channel input window is open.
    bool exitConfirmed = false;
    bool exitWithoutPrompt = false;
    bool mainCloseBlocked = false;

    // Before a command replaces the document: asks whether to save its unsaved changes.
    // True to go on, false to stop the command. The application sets it; until then (and in
    // a window tested alone) nothing is asked.
    std::function<bool(QWidget* parent)> mayDiscardChanges;
    bool MayDiscardChanges(QWidget* parent) const {
        return !mayDiscardChanges || mayDiscardChanges(parent);
    }

    // FaceText n of the language in force.
    QString ft(int index) const { return QString::fromStdString(faceText[index]); }
    // Section "Setting" of the settings file.
    QString setting(const char* key, const char* def, int readLength) const;
    void writeSetting(const char* key, const QString& value) const;
    QString settingsPath() const { return appFolder + "/tarvosk.def"; }

    // Runs body under the error log with location.
    template <class Body>
    bool guard(std::string_view location, Body&& body) {
        return Guard(log, location, std::forward<Body>(body));
    }

  private:
    std::unique_ptr<DesktopHost> ownHost_;
};

}  // namespace tarvos::ui
