#pragma once
// Help: the help page of the language in force (help/ChsHelp.html, ChtHelp.html or
// EngHelp.html in the application folder), opened with the desktop's viewer for it. A desktop
// without one (no browser, no xdg-open) gets the page in a window of the program instead;
// a page that is not there is said so.

#include <QWidget>

class QTextBrowser;

namespace tarvos::ui {

struct AppContext;

// The help page of a language (1..3; any other is English) in the application folder.
QString HelpPagePath(const AppContext& app);

// The help command: the desktop's viewer, else the program's own window (made once, kept as
// a child of owner and raised again at the next Help).
void ShowHelp(AppContext& app, QWidget* owner);

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    HelpWindow(AppContext& app, const QString& page, QWidget* owner);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace tarvos::ui
