#pragma once
// The splitter between the channel window's two tab controls: the channel grid with the model
// frame above, the hidden function pages below (shown once the access code is given). When
// the pages below appear, the handle goes where the user last left it (`ChannelSplitter` in
// section Setting, the height above the handle in pixels), or else low enough for every
// channel row of the grid to show; moving the handle stores the new place.

#include <QSplitter>

namespace tarvos::ui {

struct WindowContext;
class GridControl;

class ChannelSplitter : public QSplitter {
    Q_OBJECT
  public:
    ChannelSplitter(WindowContext& ctx, QWidget* top, QWidget* bottom, GridControl* grid,
                    QWidget* parent = nullptr);

    // The height above the handle at which every row of the grid shows.
    int wholeGridHeight() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeHandle();

    WindowContext& ctx_;
    QWidget* top_;
    QWidget* bottom_;
    QWidget* holder_ = nullptr;  // holds bottom_, shown and hidden with it
    GridControl* grid_;
    int stored_ = -1;  // read when first wanted
};

}  // namespace tarvos::ui
