#include "shell/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/app_context.h"
#include "shell/app_icon.h"

namespace tarvos::ui {

namespace {
struct AboutTexts {
    const char* caption;
    const char* title;
    const char* ok;
    const char* version;
    const char* release;
    const char* description;
    const char* useRange;
};
const AboutTexts kAbout[3] = {
    {"关于", "对讲机编程软件", "确定", "中英文版: V1.0", "发布时间: 2016.04.19",
     "读取、编辑并写入对讲机的信道与功能设置。", "适用于 16 信道对讲机。"},
    {"關於", "對講機編程軟體", "確定", "中英文版: V1.0", "發佈時間: 2016.04.19",
     "讀取、編輯並寫入對講機的信道與功能設置。", "適用於 16 信道對講機。"},
    {"About", "Radio Software", "OK", "Version: V1.0", "Release: 2016.04.19",
     "Reads, edits and writes the channels and functions of the radio.",
     "For the 16-channel two-way radio."},
};
}  // namespace

AboutBox::AboutBox(AppContext& app, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAboutSoft");
    setModal(true);
    InitFace(app);
}

void AboutBox::InitFace(AppContext& app) {
    const AboutTexts& t = kAbout[NormalizeLanguage(app.language) - 1];
    setWindowTitle(QString::fromUtf8(t.caption));
    setFont(app.uiFont);

    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto make = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        return l;
    };
    QLabel* title = make("lblTitle", QString::fromUtf8(t.title));
    QFont tf = app.uiFont;
    tf.setPointSize(14);
    tf.setBold(true);
    title->setFont(tf);
    QLabel* version = make("lblVersion", QString::fromUtf8(t.version));
    // The program itself, as --version names it.
    QLabel* product = make("lblProduct", QStringLiteral("Tarvos " TARVOS_VERSION));
    QLabel* release = make("lblRelease", QString::fromUtf8(t.release));
    QLabel* description = make("lblDescription", QString::fromUtf8(t.description));
    QLabel* useRange = make("lblUseRange", QString::fromUtf8(t.useRange));
    QLabel* rights = make("lblRights", QString());

    auto* ok = new QPushButton(QString::fromUtf8(t.ok), this);
    ok->setObjectName("cmdOk");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addSpacing(6);
    for (QLabel* l : {product, version, release, description, useRange, rights}) text->addWidget(l);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    setFixedWidth(420);
}

}  // namespace tarvos::ui
