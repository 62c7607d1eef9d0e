#include "shell/menu_captions.h"

#include <QAction>
#include <QWidget>

namespace tarvos::ui {

namespace {

struct Convention {
    const char* item;
    char mnemonic;  // for a caption without one
    bool dialog;
};

// File, then Settings, then the Program menu's production-line window and the About box.
constexpr Convention kConventions[] = {
    {"mnuFileNew", 'N', false},      {"mnuFileOpen", 'O', true},    {"mnuFileSave", 'S', true},
    {"mnuFileSaveAs", 'A', true},    {"mnuCompareFile", 'M', true}, {"mnuImportCsv", 'I', true},
    {"mnuExportCsv", 'X', true},     {"mnuPrintFile", 'P', true},   {"mnuExit", 'E', false},
    {"mnuCommunicate", 'C', true},   {"mnuVerifyRead", 'R', false}, {"mnuVerifyWrite", 'V', false},
    {"mnuConfirmWrite", 'W', false}, {"mnuLockFace", 'D', false},   {"mnuLangSetting", 'L', false},
    {"mnuLangSel0", 'C', false},     {"mnuLangSel1", 'T', false},   {"mnuLangSel2", 'E', false},
    {"mnuReadWriteFre", 'A', true},  {"mnuAboutSoft", 'A', true},
};

const QString kEllipsis = QStringLiteral("…");

bool HasMnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return true;
        ++i;  // "&&" is an ampersand
    }
    return false;
}

}  // namespace

QString ConventionalCaption(const QString& caption, QChar mnemonic, bool dialog) {
    QString text = caption;
    bool ellipsis = false;
    for (const QString& end : {kEllipsis, QStringLiteral("...")}) {
        if (text.endsWith(end)) {
            text.chop(end.size());
            ellipsis = true;
        }
    }
    if (!HasMnemonic(text)) {
        // A Latin caption underlines the letter where it first appears; others add it.
        bool latin = true;
        for (QChar ch : text) latin = latin && ch.unicode() < 0x2E80;
        const qsizetype at = latin ? text.indexOf(mnemonic, 0, Qt::CaseInsensitive) : -1;
        if (at >= 0)
            text.insert(at, '&');
        else
            text += QString("(&%1)").arg(mnemonic.toUpper());
    }
    if (dialog || ellipsis) text += kEllipsis;
    return text;
}

void ApplyMenuConventions(QWidget& window) {
    for (const Convention& c : kConventions) {
        auto* a = window.findChild<QAction*>(c.item);
        if (!a || a->text().isEmpty()) continue;
        a->setText(ConventionalCaption(a->text(), QChar(c.mnemonic), c.dialog));
    }
}

}  // namespace tarvos::ui
