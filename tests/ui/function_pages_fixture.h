#pragma once
// The function pages on screen, as a user drives them: the application started in a
// language with the pages' containers in the channel window, and the gestures a user makes
// on a control (a pick from a list, a click, typing, a two-tone cell), each after bringing
// the control's page to the front. Data files go in and out through the window, or through
// the built tarvos-cli, whose bytes a change on screen must give too.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>

#include "functions/ui/function_pages.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {

inline constexpr int kFileImageOffset = 0x10;  // a data file holds the image after its header

class FunctionPagesTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        setting("FirRun", "0");
        setting("COM", "1");
    }
    void startIn(int language) {
        setting("Language", QByteArray::number(language).constData());
        start();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    FunctionPages& pages() { return *window->functionPages(); }
    ByteImage& image() { return app->document.image(); }
    template <class W>
    W* find(const QString& name) {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // Brings the page holding w to the front (revealing the hidden tab control for it) and
    // scrolls w into view, as a user would before touching it.
    void showPageOf(QWidget* w) {
        if (channels().optionFrame()->isAncestorOf(w)) channels().setModeTabs()->setCurrentIndex(1);
        if (channels().codeArea()->isAncestorOf(w)) channels().setModeTabs()->setCurrentIndex(0);
        for (int t = 0; t < 4; ++t)
            if (channels().moreFuncPage(t)->isAncestorOf(w)) {
                channels().moreFuncTabs()->show();
                channels().moreFuncTabs()->setCurrentIndex(t);
            }
        QApplication::processEvents();
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (auto* scroll = qobject_cast<QScrollArea*>(p)) scroll->ensureWidgetVisible(w);
        QApplication::processEvents();
    }

    // Picks entry p of a drop-down list with the mouse, in its opened list.
    void pick(const QString& name, int p) {
        auto* box = find<QComboBox>(name);
        showPageOf(box);
        box->showPopup();
        QAbstractItemView* view = box->view();
        const QModelIndex index = box->model()->index(p, 0);
        view->scrollTo(index);
        view->setCurrentIndex(index);
        QTest::keyClick(view, Qt::Key_Return);
        ASSERT_EQ(box->currentIndex(), p) << name.toStdString();
    }
    void clickRow(const QString& name, int row) {
        auto* list = find<QListWidget>(name);
        showPageOf(list);
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void click(const QString& name) {
        auto* box = find<QAbstractButton>(name);
        showPageOf(box);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    void type(const QString& name, const QString& text, bool clear = true) {
        auto* box = find<QLineEdit>(name);
        showPageOf(box);
        box->setFocus();
        if (clear) {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
        }
        QTest::keyClicks(box, text);
    }
    // Text from an input method (Chinese characters, symbols a keyboard does not have).
    void compose(const QString& name, const QString& text) {
        auto* box = find<QLineEdit>(name);
        showPageOf(box);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    }
    // Types into a two-tone cell and commits it with Enter.
    void typeCell(int g, int row, int col, const QString& text) {
        auto* grid = find<GridControl>(QString("vsfgGridTwoTone(%1)").arg(g));
        showPageOf(grid);
        grid->select(row, col);
        grid->editCell();
        // The cell's editor: a line, or the line of a drop-down.
        auto* line = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QApplication::processEvents();  // the grid commits the edit after the key
    }

    QByteArray readFile(const QString& file) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll();
    }
    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The defaults file with some bytes of its image replaced, opened in the window.
    void openPatched(const std::vector<std::pair<int, uint8_t>>& bytes) {
        QByteArray file = readFile(path("DefRadioSet.def"));
        for (auto [address, value] : bytes)
            file[kFileImageOffset + address] = static_cast<char>(value);
        writeFile(path("patched.dat"), file);
        window->OpenFile(path("patched.dat"));
    }
    // The same defaults file changed by tarvos-cli set (assignments one a line).
    QByteArray savedByCli(const QString& assignments) {
        return UiFixture::savedByCli("set", assignments.split('\n'));
    }
};

}  // namespace tarvos::ui::test
