#pragma once
// The About box frmAboutSoft: its own texts for the three languages.

#include <QDialog>

namespace tarvos::ui {

struct AppContext;

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(AppContext& app, QWidget* parent);

  private:
    void InitFace(AppContext& app);
};

}  // namespace tarvos::ui
