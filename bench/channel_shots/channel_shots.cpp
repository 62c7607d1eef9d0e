// tarvos_channel_shots FOLDER [LANGUAGE...]: saves pictures of the channel window into FOLDER
// for a person to look at, in the languages given (1 Simplified Chinese, 2 Traditional
// Chinese, 3 English; all three when none is given): the window at its default size with the
// defaults file open, the same with the hidden tabs shown, the W/N drop-down open on a cell,
// the channel menu, rows selected, the grid locked, the File and Settings menus and the About
// box. Runs offscreen unless a display and
// QT_QPA_PLATFORM are set, so the pictures show what a window system shows when run under one
// (Xvfb will do).

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "bench/common/shot_app.h"
#include "widgets/grid_control.h"

using namespace tarvos;
using namespace tarvos::ui;
using namespace tarvos::ui::bench;

namespace {

void Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int ShootLanguage(const QString& folder, int language) {
    ShotApp shot(language);
    MainWindow* window = shot.window.get();
    ChannelWindow& channels = *window->channelWindow();
    GridControl* grid = channels.grid();

    int saved = 0;
    auto save = [&](QWidget* w, const QString& name) {
        Settle(150);
        const QString file = QString("%1/%2_%3.png").arg(folder, name).arg(language);
        if (w->grab().save(file))
            ++saved;
        else
            std::fprintf(stderr, "tarvos_channel_shots: cannot write %s\n", qPrintable(file));
    };
    auto centre = [&](int r, int c) {
        return grid->visualRect(grid->model()->index(r - 1, c - 1)).center();
    };
    save(window, "channels");
    channels.moreFuncTabs()->show();
    save(window, "channels_hidden_tabs");
    channels.moreFuncTabs()->hide();

    // The W/N drop-down opened on channel 4 (narrow), as a click opens it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(4, 6));
    save(grid, "wn_editor");
    if (auto* box = qobject_cast<QComboBox*>(grid->indexWidget(grid->currentIndex())))
        std::printf("W/N editor %d px wide in a %d px column, text \"%s\"\n", box->width(),
                    grid->columnWidth(5), qPrintable(box->currentText()));
    grid->cancelEdit();

    // The channel menu over channel 3, by the Menu key.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(3, 4));
    QTest::keyClick(channels.toneBox(), Qt::Key_Escape);
    QTimer::singleShot(300, [&] {
        if (QMenu* menu = channels.channelMenu(); menu->isVisible()) {
            save(menu, "channel_menu");
            menu->close();
        }
    });
    QTest::keyClick(grid, Qt::Key_Menu);
    Settle(600);

    // Rows 5..7 selected by their labels, then the grid locked after a click on channel 2.
    QTest::mouseClick(grid->verticalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(10, grid->rowViewportPosition(4) + 5));
    QTest::mouseClick(grid->verticalHeader()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(10, grid->rowViewportPosition(6) + 5));
    save(window, "rows_selected");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(2, 5));
    grid->cancelEdit();
    window->mnuLockFace_Click(true);
    save(window, "locked");
    save(grid, "locked_grid");
    std::printf(
        "style %s: disabled highlighted text %s, header button text %s, enabled %d\n",
        qPrintable(grid->style()->name()),
        qPrintable(grid->palette().color(QPalette::Disabled, QPalette::HighlightedText).name()),
        qPrintable(grid->verticalHeader()
                       ->palette()
                       .color(QPalette::Disabled, QPalette::ButtonText)
                       .name()),
        grid->isEnabled());
    {
        const QImage im = grid->grab().toImage();
        auto darkest = [&](QRect r) {
            int d = 255;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) d = std::min(d, qGray(im.pixel(x, y)));
            return d;
        };
        const QRect cell =
            grid->visualRect(grid->model()->index(1, 4)).translated(grid->viewport()->pos());
        std::printf("darkest: header %d, selected cell %d, row label 2 %d\n",
                    darkest(QRect(0, 0, 40, 18)), darkest(cell.adjusted(2, 2, -2, -2)),
                    darkest(QRect(2, cell.top() + 2, 30, cell.height() - 4)));
    }
    Settle(100);
    grid->grab(QRect(0, 0, 480, 110))
        .scaled(960, 220)
        .save(QString("%1/locked_detail_%2.png").arg(folder).arg(language));
    window->mnuLockFace_Click(false);

    // The File and Settings menus, to read their captions.
    for (const char* name : {"mnuFile", "mnuSet"}) {
        if (auto* menu = window->findChild<QMenu*>(name)) {
            menu->popup(window->mapToGlobal(QPoint(40, 30)));
            save(menu, name);
            menu->close();
        }
    }

    OnModal(
        [&](QDialog* d) {
            save(d, "about");
            d->close();
        },
        50);
    window->ShowAbout();

    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    return RunShotTool(argc, argv, "tarvos_channel_shots", ShootLanguage);
}
