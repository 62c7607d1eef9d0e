// Help on a desktop without a viewer for the page, and Qt's own buttons in the interface
// language.

#include <QAbstractButton>
#include <QMessageBox>
#include <QTextBrowser>

#include "shell/help_window.h"
#include "shell/qt_translations.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

using HelpTest = UiFixture;

TEST_F(HelpTest, WithoutAViewerThePageShowsInAWindowOfTheProgram) {
    settled(2);
    start();
    host.documentsOpen = false;
    window->Help();
    ASSERT_EQ(host.documents, QStringList{path("help/ChtHelp.html")});
    auto* help = window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), ft(6));
    EXPECT_EQ(help->browser()->source().toLocalFile(), path("help/ChtHelp.html"));
    EXPECT_FALSE(help->browser()->toPlainText().isEmpty());
    // Asked again, the same window comes forward.
    help->close();
    window->Help();
    EXPECT_EQ(window->findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(help->isVisible());

    // A page that is not there is said so, not left to a viewer.
    QFile::remove(path("help/ChtHelp.html"));
    host.documents.clear();
    window->Help();
    EXPECT_TRUE(host.documents.isEmpty());
    ASSERT_EQ(host.told.size(), 1);
    EXPECT_TRUE(host.told[0].contains(path("help/ChtHelp.html")));
}

// Shows a real message box and reads the text of its standard buttons, then closes it.
QStringList ButtonTexts(QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Question, "t", "q", buttons);
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) texts << b->text();
    return texts;
}

TEST_F(HelpTest, QtsOwnButtonsSpeakTheInterfaceLanguage) {
    const auto buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                         QMessageBox::Save | QMessageBox::Discard;
    LoadQtTranslations(3);
    const QStringList english = ButtonTexts(buttons);
    struct Case {
        int language;
        const char* yes;  // what the Yes button says, in part
    };
    const Case cases[] = {{1, "是"}, {2, "是"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        settled(c.language);
        start();
        const QStringList texts = ButtonTexts(buttons);
        EXPECT_TRUE(texts.join(" ").contains(QString::fromUtf8(c.yes)))
            << texts.join(" ").toStdString();
        for (int i = 0; i < texts.size(); ++i) EXPECT_NE(texts[i], english[i]);
        TearDown();
    }
    // English again: Qt's own texts.
    settled(3);
    start();
    EXPECT_EQ(ButtonTexts(buttons), english);
}

}  // namespace
}  // namespace tarvos::ui::test
