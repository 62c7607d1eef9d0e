#pragma once
// The application-wide state the windows share: the settings file, the error log, the texts
// of the language in force, the memory image and the paths and flags of start-up and
// shutdown. One object owned by main() (or by a test), handed to every window by reference.

#include <QFont>
#include <QString>
#include <memory>

#include "functions/function_model.h"
#include "memory/band.h"
#include "memory/channel_codec.h"
#include "memory/channel_layout.h"
#include "memory/channel_table.h"
#include "memory/image.h"
#include "memory/tone_list.h"
#include "shell/error_log.h"
#include "shell/face_text.h"
#include "shell/settings_file.h"
#include "shell/ui/desktop_host.h"

namespace tarvos::ui {

struct AppContext {
    explicit AppContext(QString folder, DesktopHost* desktopHost = nullptr);

    QString appFolder;
    SettingsFile settings;
    ErrorLog log;
    DesktopHost* host;

    int language = 3;
    FaceTextTable faceText{3};
    QFont uiFont;

    ByteImage iicDat;
    ByteImage tempArray;
    ChannelTable chInfo;
    ToneTexts toneText;
    ChannelLayout layout;
    ToneList toneList{3};
    ChannelCodec codec{iicDat, tempArray, chInfo, toneText, layout, toneList, log};

    // The function pages' state, rebuilt for the language in force at start-up.
    std::unique_ptr<FunctionModel> functions = std::make_unique<FunctionModel>(3, &log);

    // The band in force (10 Hz units) and the absolute limits.
    int32_t bandLow = 40000000;
    int32_t bandHigh = 52000000;
    int32_t absLow = kAbsLow;
    int32_t absHigh = kAbsHigh;

    QString untitledPath;
    QString currentFilePath;

    int comPort = 1;

    uint32_t overColor = 0x0000FF;
    uint32_t defColor = 0x000000;
    QString channelLock = "ShowNo";

    // Closing rules.
    bool exitConfirmed = false;
    bool exitWithoutPrompt = false;
    bool mainCloseBlocked = false;

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
