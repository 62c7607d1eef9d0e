#include "shell/settings_repair.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "base/error_log.h"
#include "base/face_text.h"
#include "base/safe_save.h"
#include "base/settings_file.h"
#include "memory/channel_layout.h"
#include "shell/app_context.h"
#include "shell/app_folder.h"
#include "shell/qt_translations.h"
#include "shell/system_locale.h"

namespace tarvos::ui {

namespace {

// No FaceText entry says any of this: Simplified, Traditional, English.
using Texts = const char* const[3];
Texts kFolder = {"它是一个文件夹，不是文件", "它是一個資料夾，不是檔案",
                 "it is a folder, not a file"};
Texts kUnreadable = {"无法读取它", "無法讀取它", "it cannot be read"};
Texts kEmpty = {"它是空的", "它是空的", "it is empty"};
Texts kNoSetting = {"缺少 [Setting] 节（语言、串口、内存大小、地址范围）",
                    "缺少 [Setting] 區段（語言、串口、記憶體大小、位址範圍）",
                    "the section [Setting] (language, port, memory size, address ranges) is "
                    "missing"};
// %1 the language, %2 and %3 the first and last key of its block.
Texts kLayout = {"%1信道表格的布局（[ChInfo] 节，键 %2–%3）缺失或不完整",
                 "%1信道表格的佈局（[ChInfo] 區段，鍵 %2–%3）缺失或不完整",
                 "the channel grid layout for %1 (section [ChInfo], keys %2–%3) is missing or "
                 "incomplete"};
const char* const kLanguageNames[3][3] = {{"简体中文", "繁体中文", "英文"},
                                          {"簡體中文", "繁體中文", "英文"},
                                          {"Simplified Chinese", "Traditional Chinese", "English"}};
// %1 the file, %2 its faults, %3 the name the damaged file is kept under.
Texts kQuestion = {
    "设置文件\n%1\n已损坏：\n%2\n\n要恢复程序自带的设置文件吗？损坏的文件将保留为 %3。\n"
    "选择“否”：本次运行使用自带的设置，该文件保持不变。",
    "設定檔\n%1\n已損壞：\n%2\n\n要還原程式附帶的設定檔嗎？損壞的檔案將保留為 %3。\n"
    "選擇「否」：本次執行使用附帶的設定，該檔案保持不變。",
    "The settings file\n%1\nis damaged:\n%2\n\nRestore the settings file that came with the "
    "program? The damaged file is kept as %3.\nNo: this session runs on the settings that came "
    "with the program, and the file is left as it is."};
// %1 why.
Texts kNotRestored = {"无法恢复设置文件（%1）。本次运行使用程序自带的设置。",
                      "無法還原設定檔（%1）。本次執行使用程式附帶的設定。",
                      "The settings file could not be restored (%1). This session runs on the "
                      "settings that came with the program."};

QString T(Texts texts, int language) {
    return QString::fromUtf8(texts[NormalizeLanguage(language) - 1]);
}

bool HasSettingSection(const QByteArray& text) {
    static const QRegularExpression section(
        R"(^\s*\[\s*setting\s*\])",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    return section.match(QString::fromUtf8(text)).hasMatch();
}

// A layout the grid can show: read without a fault, with channels and the four fixed columns.
bool LayoutReads(const SettingsFile& settings, int language) {
    RecordingSink sink;
    ErrorLog log(&sink);
    const ChannelLayout layout = ReadChInfo(settings, language, log);
    return sink.lines.empty() && layout.channelCount >= 1 && layout.columnCount >= 4;
}

// The user's choices the damaged file still holds: its language and port.
struct Kept {
    QString language, com;
};

QString Number(const SettingsFile& settings, const char* key) {
    bool ok = false;
    const QString text = QString::fromStdString(settings.read("Setting", key, "", 10));
    text.toInt(&ok);
    return ok ? text : QString();
}

Kept KeptSettings(const QString& path) {
    if (!QFileInfo(path).isFile()) return {};
    const SettingsFile settings(path.toStdString());
    return {Number(settings, "Language"), Number(settings, "COM")};
}

// The language to ask in: the damaged file's own when it still names one, else the
// system's, as a first run would choose it.
int QuestionLanguage(const Kept& kept) {
    if (!kept.language.isEmpty()) return NormalizeLanguage(kept.language.toInt());
    return LanguageFromLocaleId(SystemLocaleId());
}

QByteArray ShippedSettings() {
    for (const ShippedItem& item : ShippedInstallationData())
        if (item.name == kSettingsFileName) return item.bytes();
    return {};
}

// "tarvosk.def.damaged", or "tarvosk.def.damaged.2" ... when an older one is there already.
QString AsideName(const QString& path) {
    QString aside = path + ".damaged";
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path + ".damaged." + QString::number(n);
    return aside;
}

// Writes the file whole or not at all; the reason when it could not.
QString WriteFile(const QString& path, const QByteArray& bytes) {
    const auto failed =
        SaveFileSafely(path.toStdString(), std::string_view(bytes.constData(), bytes.size()));
    return failed ? QString::fromStdString(failed->message) : QString();
}

// Puts the shipped file in place of the damaged one; the reason when it cannot.
QString Restore(const QString& path, const QString& aside) {
    std::error_code ec;
    std::filesystem::rename(path.toStdString(), aside.toStdString(), ec);
    if (ec) return QString::fromStdString(ec.message());
    return WriteFile(path, ShippedSettings());
}

// This session's settings: a copy of the shipped file outside the application folder, which
// takes the session's writes and goes when the program ends.
void UseShippedCopy(AppContext& app) {
    static std::unique_ptr<QTemporaryDir> folder;
    folder = std::make_unique<QTemporaryDir>();
    const QString path = folder->filePath(kSettingsFileName);
    if (folder->isValid() && WriteFile(path, ShippedSettings()).isEmpty())
        app.settings = SettingsFile(path.toStdString());
}

}  // namespace

QStringList SettingsFileDamage(const QString& path, int language) {
    const QFileInfo info(path);
    if (!info.exists()) return {};  // a first run: the shipped file is put there
    if (info.isDir()) return {T(kFolder, language)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {T(kUnreadable, language)};
    const QByteArray text = file.readAll();
    if (text.trimmed().isEmpty()) return {T(kEmpty, language)};
    QStringList faults;
    if (!HasSettingSection(text)) faults << T(kNoSetting, language);
    const SettingsFile settings = SettingsFile(path.toStdString()).snapshot();
    const int in = NormalizeLanguage(language) - 1;
    for (int l = 1; l <= 3; ++l) {
        if (LayoutReads(settings, l)) continue;
        const int base = LanguageBase(l);
        faults << T(kLayout, language)
                      .arg(QString::fromUtf8(kLanguageNames[in][l - 1]))
                      .arg(base)
                      .arg(base + 999);
    }
    return faults;
}

void RepairSettingsFile(AppContext& app, QWidget* parent) {
    const QString path = app.settingsPath();
    const Kept kept = KeptSettings(path);
    const int language = QuestionLanguage(kept);
    const QStringList faults = SettingsFileDamage(path, language);
    if (faults.isEmpty()) return;
    LoadQtTranslations(language);  // the question's buttons in its language
    const QString title = QString::fromStdString(FaceTextTable(language)[70]);
    const QString aside = AsideName(path);
    const QString question = T(kQuestion, language)
                                 .arg(QDir::toNativeSeparators(path), "• " + faults.join("\n• "),
                                      QFileInfo(aside).fileName());
    bool restored = false;
    if (app.host->askYesNo(parent, title, question)) {
        const QString why = Restore(path, aside);
        restored = why.isEmpty();
        if (!restored)
            app.host->tell(parent, title, T(kNotRestored, language).arg(why),
                           DesktopHost::Icon::Exclamation);
    }
    if (!restored) UseShippedCopy(app);
    // The language the question was asked in and the port stay the user's.
    if (!kept.language.isEmpty()) {
        app.settings.write("Setting", "FirRun", "0");
        app.settings.write("Setting", "Language", kept.language.toStdString());
    }
    if (!kept.com.isEmpty()) app.settings.write("Setting", "COM", kept.com.toStdString());
}

}  // namespace tarvos::ui
