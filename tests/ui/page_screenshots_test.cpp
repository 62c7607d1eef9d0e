// Pictures of every function page in each language, for a person to look at: set
// TARVOS_PAGE_SHOTS to a folder and run this test under a window system (or offscreen).
// Without the variable it does nothing.

#include <QDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include "functions/ui/function_pages.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class PageScreenshots : public UiFixture, public ::testing::WithParamInterface<int> {};

TEST_P(PageScreenshots, EachPage) {
    const QString folder = qEnvironmentVariable("TARVOS_PAGE_SHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "TARVOS_PAGE_SHOTS not set";
    const int language = GetParam();
    setting("FirRun", "0");
    setting("Language", QByteArray::number(language).constData());
    start();
    window->resize(1240, 780);
    window->OpenFile(path("DefRadioSet.def"));
    auto shot = [&](const QString& name) {
        QApplication::processEvents();
        window->grab().save(QString("%1/%2_%3.png").arg(folder, name).arg(language));
    };
    channels().setModeTabs()->setCurrentIndex(0);
    shot("radio_info");
    channels().setModeTabs()->setCurrentIndex(1);
    shot("function_parameter_1");
    channels().moreFuncTabs()->show();
    for (int t = 0; t < 4; ++t) {
        channels().moreFuncTabs()->setCurrentIndex(t);
        shot(QString("more_func_%1").arg(t));
        // The whole page, also what is scrolled out of view.
        for (auto* scroll : channels().moreFuncPage(t)->findChildren<QScrollArea*>())
            scroll->widget()->grab().save(
                QString("%1/more_func_%2_whole_%3.png").arg(folder).arg(t).arg(language));
    }
    // The dialogs behind the page's buttons.
    auto dialogShot = [&](const char* button, const QString& name) {
        OnModal<QDialog>([&](QDialog* d) {
            QApplication::processEvents();
            d->grab().save(QString("%1/%2_%3.png").arg(folder, name).arg(language));
            d->close();
        });
        QMetaObject::invokeMethod(window->findChild<QPushButton*>(button), "click");
    };
    dialogShot("cmdTwoWayVolSet", "volume_dialog");
    dialogShot("cmdPttIdPauseChSet", "ptt_id_pause_dialog");
    dialogShot("cmdMoreFunc", "input_code_dialog");
}

INSTANTIATE_TEST_SUITE_P(Languages, PageScreenshots, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tarvos::ui::test
