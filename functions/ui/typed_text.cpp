#include "functions/ui/typed_text.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace tarvos::ui {

void ShowTyped(QLineEdit* box, const QString& stored, bool typedNow) {
    if (box->text() == stored) return;
    const bool typing = typedNow || box->hasFocus();
    if (typing && QString(box->text()).remove(QRegularExpression(" +$")) == stored) return;
    box->setText(stored);
}

}  // namespace tarvos::ui
