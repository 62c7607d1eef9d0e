#include "shell/startup.h"

#include <QApplication>
#include <QFontDatabase>

#include "memory/data_file.h"
#include "memory/image_settings.h"
#include "memory/read_backup.h"
#include "shell/app_context.h"
#include "shell/app_services.h"
#include "shell/main_window.h"
#include "shell/qt_translations.h"
#include "shell/settings_repair.h"
#include "shell/system_locale.h"
#include "shell/window_geometry.h"

namespace tarvos::ui {

namespace {

// First run: the language from the system locale and an automatic port choice.
void GetSysLang(AppContext& app, AppServices& services) {
    app.guard("mdifrmMain->GetSysLang", [&] {
        if (app.setting("FirRun", "1", 3).toInt() == 0) return;
        app.writeSetting("FirRun", "0");
        app.writeSetting("Language", QString::number(LanguageFromLocaleId(SystemLocaleId())));
        services.autoSetPort();
    });
}

void ApplyUiFont(AppContext& app) {
    const QString name = app.language == 1 ? app.setting("ChsFont", "宋体", 30)
                                           : app.setting("EngFont", "Times New Roman", 30);
    // A font the desktop does not have would fall back to whatever fontconfig picks; keep
    // the desktop's own interface font then.
    QFont f = QApplication::font();
    if (QFontDatabase::hasFamily(name)) f.setFamilies({name});
    app.uiFont = f;
}

void ReadCellColours(AppContext& app) {
    bool ok = false;
    const uint32_t over = app.setting("OverColor", "255", 30).toUInt(&ok);
    if (ok) app.overColor = over;
    const uint32_t def = app.setting("DefColor", "0", 30).toUInt(&ok);
    if (ok) app.defColor = def;
}

// The data folder, the files the document starts new files from, and the folder every read
// from a radio is backed up into.
void GenerateDatFolder(AppContext& app) {
    app.guard("mdifrmMain->GenerateDatFolder", [&] {
        const std::filesystem::path folder = app.appFolder.toStdString();
        const DataFolder data = tarvos::GenerateDatFolder(folder, app.log);
        app.document.SetTemplate(folder / kTemplateFileName);
        app.document.SetFiles(data.untitledPath, folder / kDefaultsFileName);
        app.document.SetReadBackups(data.folder / kBackupFolderName);
    });
}

}  // namespace

void RunStartup(AppContext& app, AppServices& services, MainWindow& window) {
    // 1-2: the line settings and bit tables are constants of the link and memory cores.
    // 3: the settings file lives in the application folder (AppContext).
    // A damaged settings file is said so and repaired, or stood in for, before anything
    // reads it.
    RepairSettingsFile(app, &window);
    // 4: first run.
    GetSysLang(app, services);
    // 5-6: the language, its texts, and the document's lists in that language.
    app.guard("mdifrmMain->MDIForm_Load", [&] {
        app.language = NormalizeLanguage(app.setting("Language", "2", 10).toInt());
        app.faceText = FaceTextTable(app.language);
        LoadQtTranslations(app.language);
        app.document.SetLanguage(app.language);
        window.ShowLanguageTick(app.language);
    });
    // 7: the radio character table is computed by the core on use.
    // 8: the port.
    app.guard("mdifrmMain->MDIForm_Load", [&] { services.startupPortChoice(); });
    // 9: the memory image.
    app.guard("mdifrmMain->MDIForm_Load",
              [&] { app.document.CreateImage(ReadDatNum(app.settings)); });
    // 10: fonts.
    app.guard("mdifrmMain->MDIForm_Load", [&] { ApplyUiFont(app); });
    // 11: cell colours.
    app.guard("mdifrmMain->MDIForm_Load", [&] { ReadCellColours(app); });
    // 12: the volume dialog's mode.
    app.guard("mdifrmMain->MDIForm_Load",
              [&] { app.volumeMode = app.setting("VolumeMode", "0", 30).toInt(); });
    // 13-16: the transfer ranges and scripts; the code buffer and the voice sequence are the
    // function core's, made with the document.
    app.guard("mdifrmMain->MDIForm_Load", [&] { services.prepareLink(); });
    // 17: the data folder.
    GenerateDatFolder(app);
    // 18: texts and fonts.
    window.SetSoftFace();
    // 19: the channel editor; its first band selection loads the template.
    app.guard("mdifrmMain->MDIForm_Load", [&] { window.CreateChannelWindow(); });
    // What start-up did is no edit of the user's: nothing to take back, nothing unsaved.
    app.document.ResetHistory();
    // 20: the memory view; its grid is made the first time the view is wanted.
    app.guard("modMemDat->SetGridMemDat", [&] { window.CreateMemoryWindow(); });
    // 21: show the channel window, maximised; the main window where the user left it.
    window.ShowChannelWindow();
    app.guard("mdifrmMain->MDIForm_Load", [&] { new MainWindowGeometry(app, window); });
    // 22: the lock state.
    app.guard("mdifrmMain->MDIForm_Load", [&] {
        // Anything but "ShowLock" ("ShowNo", "NoMenu", a damaged value) is unlocked.
        const bool locked = app.setting("ChannelLock", "ShowNo", 15) == "ShowLock";
        window.ShowLockTick(locked);
        window.LockFaceOperate(locked);
    });
}

}  // namespace tarvos::ui
