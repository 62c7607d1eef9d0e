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

#include "bench/common/demo_app.h"
#include "channels/channel_window.h"
#include "widgets/grid_control.h"

using namespace tarvos;
using namespace tarvos::ui;

namespace {

void Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs action on the modal dialog once it is shown.
void OnModal(const std::function<void(QDialog*)>& action) {
    QTimer::singleShot(50, [action] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return OnModal(action);
        action(d);
    });
}

int ShootLanguage(const QString& folder, int language) {
    QTemporaryDir home;
    qputenv("TARVOS_HOME", home.path().toLocal8Bit());
    bench::SilentHost host;
    RecordingSink errors;
    auto app = std::make_unique<AppContext>(ResolveAppFolder(), &host);
    InstallMissingData(app->appFolder, ShippedInstallationData());
    app->settings.write("Setting", "FirRun", "0");
    app->settings.write("Setting", "Language", std::to_string(language));
    app->log.setSink(&errors);
    auto services = std::make_unique<AppServices>(*app);
    auto window = std::make_unique<MainWindow>(*app, *services);
    window->MDIForm_Load();
    window->show();
    window->OpenFile(home.path() + "/DefRadioSet.def");
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
    save(window.get(), "channels");
    channels.moreFuncTabs()->show();
    save(window.get(), "channels_hidden_tabs");
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
    save(window.get(), "rows_selected");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(2, 5));
    grid->cancelEdit();
    window->mnuLockFace_Click(true);
    save(window.get(), "locked");
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

    OnModal([&](QDialog* d) {
        save(d, "about");
        d->close();
    });
    window->ShowAbout();

    for (const std::string& line : errors.lines) std::fprintf(stderr, "log: %s\n", line.c_str());
    app->exitWithoutPrompt = true;
    window->close();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = qapp.arguments().mid(1);
    if (args.isEmpty() || !QDir().mkpath(args[0])) {
        std::fprintf(stderr, "usage: tarvos_channel_shots FOLDER [LANGUAGE...]  (1, 2, 3)\n");
        return 2;
    }
    QList<int> languages;
    for (const QString& a : args.mid(1)) languages << a.toInt();
    if (languages.isEmpty()) languages = {1, 2, 3};
    int saved = 0;
    for (int language : languages)
        if (language >= 1 && language <= 3) saved += ShootLanguage(args[0], language);
    std::printf("%d pictures in %s\n", saved, qPrintable(QDir(args[0]).absolutePath()));
    return saved > 0 ? 0 : 1;
}
