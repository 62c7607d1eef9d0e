#include "widgets/grid_delegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "widgets/grid_control.h"

namespace tarvos::ui {

namespace {
constexpr const char* kOpenedAs = "tarvosOpenedAs";

// '#' is an optional digit and '0' a required one in the layouts; Qt spells them '0' and '9'.
QString QtInputMask(const QString& mask) {
    QString out;
    for (QChar ch : mask) {
        if (ch == '#')
            out += '0';
        else if (ch == '0')
            out += '9';
        else if (ch == '.' || ch == ',' || ch == ':')
            out += ch;
        else
            out += QString("\\") + ch;
    }
    return out;
}
}  // namespace

GridDelegate::GridDelegate(GridControl* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const int col = index.column() + 1;
    const QString list = grid_->colComboList(col);
    if (!list.isEmpty()) {
        auto* box = new QComboBox(parent);
        box->addItems(list.split('|'));
        // Typed text goes through the column's own rule as typed: Qt's completion would
        // otherwise turn "c" into the first entry starting with it, in any case.
        box->setEditable(!grid_->colListOnly(col));
        box->setCompleter(nullptr);
        return box;
    }
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        const QString mask = grid_->colEditMask(col);
        if (!mask.isEmpty()) line->setInputMask(QtInputMask(mask));
    }
    return w;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentText(index.data().toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setProperty(kOpenedAs, LineText(line));
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    QString text;
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        text = box->currentText();
        grid_->comboIndex_ = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // A line left as it opened gives the cell's text back as it was: its input layout
        // shows "136" as "136.", which would read as an edit of its own.
        text = LineText(line);
        if (text == line->property(kOpenedAs).toString()) text = index.data().toString();
        grid_->comboIndex_ = -1;
    }
    if (!masked(editor)) text = text.trimmed();
    model->setData(index, text, Qt::DisplayRole);
    emit grid_->afterEdit(index.row() + 1, index.column() + 1);
}

void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    // The drop-down's arrow takes room the column does not have to spare: the box grows to
    // the right (to the left when the column is the last one in view), over its neighbour.
    auto* box = qobject_cast<QComboBox*>(editor);
    if (!box) return;
    QRect r = editor->geometry();
    const int wanted = box->sizeHint().width();
    if (wanted <= r.width()) return;
    r.setWidth(wanted);
    const int room = editor->parentWidget() ? editor->parentWidget()->width() : r.right();
    if (r.right() >= room) r.moveRight(std::max(wanted - 1, room - 1));
    editor->setGeometry(r);
}

QString GridDelegate::LineText(QLineEdit* line) {
    return line->inputMask().isEmpty() ? line->text() : MaskedText(line);
}

bool GridDelegate::masked(QWidget* editor) {
    auto* line = qobject_cast<QLineEdit*>(editor);
    return line && !line->inputMask().isEmpty();
}

// A masked entry keeps its places: a place left blank stays a blank where it is, so the text
// reads by position as the layout shows it. Trailing blanks go; an entry without a single
// character typed is empty.
QString GridDelegate::MaskedText(QLineEdit* line) {
    QString text = line->displayText();
    QString typed = text;
    typed.remove(' ').remove('.').remove(',').remove(':');
    if (typed.isEmpty()) return {};
    while (text.endsWith(' ')) text.chop(1);
    return text;
}

}  // namespace tarvos::ui
