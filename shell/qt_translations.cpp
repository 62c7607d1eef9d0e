#include "shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "base/face_text.h"

namespace tarvos::ui {

namespace {
// The one translation in force: one language per run, but the start-up may install the one
// for the settings repair's question before the language is read.
std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> installed;
    return installed;
}
}  // namespace

bool LoadQtTranslations(int language) {
    std::unique_ptr<QTranslator>& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const int l = NormalizeLanguage(language);
    if (l == 3) return false;
    auto translator = std::make_unique<QTranslator>();
    const QString name = l == 1 ? "qtbase_zh_CN" : "qtbase_zh_TW";
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

}  // namespace tarvos::ui
