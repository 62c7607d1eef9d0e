#include "widgets/bring_into_view.h"

#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

namespace tarvos::ui {

bool BringIntoView(QWidget* control) {
    if (!control) return false;
    // A hidden ancestor (other than a tab page, which is hidden while another is current)
    // means the control is not to be shown.
    for (QWidget* w = control; w && !w->isWindow(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (w->isHidden() && !stack) return false;
    }
    for (QWidget* w = control; w && !w->isWindow(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (stack) {
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                tabs->setCurrentWidget(w);
            else
                stack->setCurrentWidget(w);
        }
    }
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) scroll->ensureWidgetVisible(control);
    control->window()->raise();
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

}  // namespace tarvos::ui
