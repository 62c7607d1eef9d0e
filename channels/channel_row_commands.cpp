#include "channels/channel_row_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "channels/channel_window.h"
#include "document/channel_clipboard.h"
#include "document/channel_editor.h"
#include "document/channel_moves.h"
#include "document/radio_document.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
// The channel menu's new items have no FaceText entries: Simplified, Traditional, English.
const char* const kTexts[][3] = {
    {"剪切(&T)", "剪下(&T)", "Cu&t"},       {"复制(&C)", "複製(&C)", "&Copy"},
    {"粘贴(&P)", "貼上(&P)", "&Paste"},     {"上移(&U)", "上移(&U)", "Move &Up"},
    {"下移(&D)", "下移(&D)", "Move &Down"}, {"删除信道", "刪除信道", "Delete channels"},
};
// %1 rows past the last channel, %2 that channel.
const char* const kLeftOut[3] = {"超出信道 %2 的 %1 行未粘贴", "超出信道 %2 的 %1 行未貼上",
                                 "%1 row(s) past channel %2 were not pasted"};
enum Text { kCut, kCopy, kPaste, kMoveUp, kMoveDown, kDelete };

QString Tr(const char* const texts[3], int language) {
    return QString::fromUtf8(texts[std::clamp(language, 1, 3) - 1]);
}
}  // namespace

ChannelRowCommands::ChannelRowCommands(ChannelWindow& window) : QObject(&window), w_(window) {
    GridControl* grid = w_.grid();
    // Rows are selected by their labels, Shift and Ctrl extending the selection.
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QAction* cut = add("mnuChCut", kCut, QKeySequence::Cut);
    QAction* copy = add("mnuChCopy", kCopy, QKeySequence::Copy);
    QAction* paste = add("mnuChPaste", kPaste, QKeySequence::Paste);
    QAction* up = add("mnuChMoveUp", kMoveUp, QKeySequence(Qt::ALT | Qt::Key_Up));
    QAction* down = add("mnuChMoveDown", kMoveDown, QKeySequence(Qt::ALT | Qt::Key_Down));
    // The Delete key deletes the selected channels; the menu keeps its own "Delete channel".
    QAction* del = add("actChDelete", kDelete, QKeySequence::Delete);
    connect(cut, &QAction::triggered, this, [this] { Cut(); });
    connect(copy, &QAction::triggered, this, [this] { Copy(); });
    connect(paste, &QAction::triggered, this, [this] { Paste(); });
    connect(up, &QAction::triggered, this, [this] { Move(-1); });
    connect(down, &QAction::triggered, this, [this] { Move(+1); });
    connect(del, &QAction::triggered, this, [this] { Delete(); });

    QMenu* menu = w_.channelMenu();
    QAction* first = menu->actions().value(0);
    menu->insertActions(first, {cut, copy, paste});
    menu->insertSeparator(first);
    menu->insertActions(first, {up, down});
    menu->insertSeparator(first);
    connect(menu, &QMenu::aboutToShow, this, [this] { menuShown(); });
    connect(menu, &QMenu::aboutToHide, this, [this] {
        // The keys work whenever the grid does; the core refuses what cannot be done.
        for (QAction* a : actions_) a->setEnabled(true);
        // Triggered items run after the menu hides: they still act on the menu row.
        QMetaObject::invokeMethod(
            this, [this] { fromMenu_ = false; }, Qt::QueuedConnection);
    });
}

QAction* ChannelRowCommands::add(const char* name, int text, const QKeySequence& keys) {
    auto* a = new QAction(Tr(kTexts[text], w_.ctx_.language), this);
    a->setObjectName(name);
    a->setShortcut(keys);
    // Only while the grid itself has the focus: a cell being edited keeps its own keys.
    a->setShortcutContext(Qt::WidgetShortcut);
    w_.grid()->addAction(a);
    actions_.push_back(a);
    return a;
}

QAction* ChannelRowCommands::action(const char* objectName) const {
    for (QAction* a : actions_)
        if (a->objectName() == objectName) return a;
    return nullptr;
}

void ChannelRowCommands::menuShown() {
    fromMenu_ = true;
    const ChannelEditor& e = w_.editor();
    const std::vector<int> rows = targetRows();
    const bool open = !w_.chLockChecked_ && !e.locked() && !rows.empty();
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const bool pasteable = clip && (clip->hasFormat(kMimeType) || clip->hasText());
    action("mnuChCut")->setEnabled(open);
    action("mnuChCopy")->setEnabled(open);
    action("mnuChPaste")->setEnabled(open && pasteable);
    action("mnuChMoveUp")->setEnabled(open && rows.front() > 1);
    action("mnuChMoveDown")->setEnabled(open && rows.back() < e.rows());
}

std::vector<int> ChannelRowCommands::targetRows() const {
    GridControl* grid = w_.grid();
    std::vector<int> rows;
    for (const QModelIndex& i : grid->selectionModel()->selectedRows()) rows.push_back(i.row() + 1);
    std::sort(rows.begin(), rows.end());
    const int menuRow = w_.menuRow();
    if (fromMenu_ && std::find(rows.begin(), rows.end(), menuRow) == rows.end()) rows = {menuRow};
    if (rows.empty() && grid->row() >= 1) rows = {grid->row()};
    return rows;
}

void ChannelRowCommands::copyToClipboard(const std::vector<int>& rows) {
    const ChannelEditor& e = w_.editor();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(ChannelRowsText(e, rows)));
    const std::string bytes = ClipBytes(CopyChannels(e, rows));
    data->setData(kMimeType, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ChannelRowCommands::Copy() {
    w_.CommitToneEntry();
    const std::vector<int> rows = targetRows();
    if (rows.empty() || w_.editor().locked()) return;
    w_.ctx_.guard("mdifrmMain->mnuChCopy_Click", [&] { copyToClipboard(rows); });
}

void ChannelRowCommands::Cut() {
    w_.CommitToneEntry();
    const std::vector<int> rows = targetRows();
    if (rows.empty() || w_.editor().locked()) return;
    w_.ctx_.guard("mdifrmMain->mnuChCut_Click", [&] {
        copyToClipboard(rows);
        DeleteChannels(w_.editor(), rows);
    });
    w_.render();
}

void ChannelRowCommands::Delete() {
    w_.CommitToneEntry();
    DeleteChannels(w_.editor(), targetRows());
    w_.render();
}

void ChannelRowCommands::Paste() {
    w_.CommitToneEntry();
    GridControl* grid = w_.grid();
    const int row = fromMenu_ ? w_.menuRow() : grid->row();
    ChannelEditor& e = w_.editor();
    if (row < 1 || e.locked()) return;
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    if (!clip) return;
    PasteOutcome out;
    const QByteArray bytes = clip->data(kMimeType);
    if (const auto channels = ClipFromBytes(std::string_view(bytes.constData(), bytes.size())))
        out = PasteChannels(e, row, *channels);
    else if (clip->hasText())
        out = PasteText(e, row, clip->text().toStdString());
    w_.render();
    if (out.pasted > 0) selectRows(row, row + out.pasted - 1, out.pasted > 1);
    if (out.leftOut > 0)
        emit w_.notice(Tr(kLeftOut, w_.ctx_.language).arg(out.leftOut).arg(e.rows()));
}

void ChannelRowCommands::Move(int by) {
    w_.CommitToneEntry();
    std::vector<int> rows = targetRows();
    if (rows.empty()) return;
    // A selection with gaps moves as the current channel alone.
    if (rows.back() - rows.front() + 1 != static_cast<int>(rows.size())) rows = {w_.grid()->row()};
    const int first = rows.front(), last = rows.back();
    const bool wholeRows = !w_.grid()->selectionModel()->selectedRows().isEmpty();
    if (!MoveChannels(w_.editor(), first, last, by)) return;
    // The painted row and the selection go with the channels.
    ChannelEditor& e = w_.editor();
    if (e.paintedRow() >= first && e.paintedRow() <= last) e.SetPaintedRow(e.paintedRow() + by);
    w_.render();
    selectRows(first + by, last + by, wholeRows);
}

void ChannelRowCommands::selectRows(int first, int last, bool wholeRows) {
    GridControl* grid = w_.grid();
    grid->select(first, std::max(1, grid->col()));
    if (!wholeRows) return;
    QItemSelection rows(grid->model()->index(first - 1, 0),
                        grid->model()->index(last - 1, grid->model()->columnCount() - 1));
    grid->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

}  // namespace tarvos::ui
