#include "shell/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/app_context.h"
#include "widgets/centre_over.h"

namespace tarvos::ui {

namespace {
// No FaceText entry says this: Simplified, Traditional, English. %1 is the page's path.
const char* const kNoHelpPage[3] = {"找不到帮助页面：\n%1", "找不到說明頁面：\n%1",
                                    "The help page is missing:\n%1"};
}  // namespace

QString HelpPagePath(const AppContext& app) {
    const int l = NormalizeLanguage(app.language);
    return app.appFolder + (l == 1   ? "/help/ChsHelp.html"
                            : l == 2 ? "/help/ChtHelp.html"
                                     : "/help/EngHelp.html");
}

void ShowHelp(AppContext& app, QWidget* owner) {
    const QString page = HelpPagePath(app);
    if (!QFileInfo(page).isFile()) {
        app.host->tell(
            owner, app.ft(70),
            QString::fromUtf8(kNoHelpPage[NormalizeLanguage(app.language) - 1]).arg(page),
            DesktopHost::Icon::Exclamation);
        return;
    }
    if (app.host->openDocument(page)) return;
    // No viewer on this desktop: the page is plain local HTML, which the program shows itself.
    auto* window = owner ? owner->findChild<HelpWindow*>() : nullptr;
    if (!window) window = new HelpWindow(app, page, owner);
    window->show();
    window->raise();
    window->activateWindow();
}

HelpWindow::HelpWindow(AppContext& app, const QString& page, QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setObjectName("frmHelp");
    // Opens over the main window the first time, then where the user leaves it.
    CentreOnFirstShow(this);
    setWindowTitle(app.ft(6));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("txtHelp");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(page));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 640);
}

}  // namespace tarvos::ui
