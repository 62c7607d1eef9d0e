#include "channels/channel_splitter.h"

#include <QEvent>
#include <QHeaderView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr const char* kKey = "ChannelSplitter";
}

ChannelSplitter::ChannelSplitter(WindowContext& ctx, QWidget* top, QWidget* bottom,
                                 GridControl* grid, QWidget* parent)
    : QSplitter(Qt::Vertical, parent), ctx_(ctx), top_(top), bottom_(bottom), grid_(grid) {
    setObjectName("splChannel");
    setChildrenCollapsible(false);
    // The pages below sit in a holder that shows and hides with them: the splitter measures
    // even a hidden part, and measuring the pages would load the fonts of every caption on
    // them (a large Chinese one too) at every start, for pages most sessions never show.
    holder_ = new QWidget;
    auto* layout = new QVBoxLayout(holder_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bottom);
    holder_->setVisible(!bottom->isHidden());
    addWidget(top);
    addWidget(holder_);
    setStretchFactor(0, 1);
    setStretchFactor(1, 1);
    bottom->installEventFilter(this);
    // Only the user's own moves of the handle are kept.
    connect(this, &QSplitter::splitterMoved, this, [this](int pos) {
        stored_ = pos;
        ctx_.writeSetting(kKey, QString::number(pos));
    });
}

int ChannelSplitter::wholeGridHeight() const {
    // What the page around the grid's rows takes (the header, frames, tabs, a scroll bar),
    // plus every row.
    const int around = top_->height() - grid_->viewport()->height();
    return around + grid_->verticalHeader()->length() + 2;
}

bool ChannelSplitter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bottom_ && event->type() == QEvent::ShowToParent) {
        holder_->show();
        // Once the splitter has made room for the pages below.
        QTimer::singleShot(0, this, [this] { placeHandle(); });
    } else if (watched == bottom_ && event->type() == QEvent::HideToParent) {
        holder_->hide();
    }
    return QSplitter::eventFilter(watched, event);
}

void ChannelSplitter::placeHandle() {
    if (!bottom_->isVisibleTo(this)) return;
    const QList<int> now = sizes();
    const int total = now.value(0) + now.value(1);
    if (total <= 0) return;
    if (stored_ < 0) stored_ = std::max(0, ctx_.setting(kKey, "0", 10).toInt());
    int top = stored_ > 0 ? stored_ : wholeGridHeight();
    const int least = top_->minimumSizeHint().height();
    const int most = total - holder_->minimumSizeHint().height();
    top = std::clamp(top, std::min(least, most), std::max(least, most));
    setSizes({top, total - top});
}

}  // namespace tarvos::ui
