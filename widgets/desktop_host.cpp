#include "widgets/desktop_host.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace tarvos::ui {

QString QtFilter(const QString& vbFilter) {
    const QStringList parts = vbFilter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        const QString& text = parts[i];
        // Qt reads the patterns from the parenthesised end of the text; a text that already
        // shows them ("Data File(*.dat)") is taken as it is.
        out << (text.endsWith('(' + patterns + ')') ? text : text + " (" + patterns + ")");
    }
    return out.join(";;");
}

DesktopHost::Answer QtDesktopHost::askYesNoCancel(QWidget* parent, const QString& title,
                                                  const QString& text) {
    const auto b = QMessageBox::question(parent, title, text,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                         QMessageBox::Yes);
    return b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Cancel;
}

DesktopHost::Answer QtDesktopHost::askSaveDiscardCancel(QWidget* parent, const QString& title,
                                                        const QString& text) {
    // The desktop's own Save / Discard / Cancel buttons, in the language Qt was given.
    const auto b = QMessageBox::warning(
        parent, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
        QMessageBox::Save);
    return b == QMessageBox::Save      ? Answer::Yes
           : b == QMessageBox::Discard ? Answer::No
                                       : Answer::Cancel;
}

bool QtDesktopHost::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtDesktopHost::tell(QWidget* parent, const QString& title, const QString& text, Icon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString QtDesktopHost::openFileName(QWidget* parent, const QString& dir, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), dir, QtFilter(filter));
}

QString QtDesktopHost::saveFileName(QWidget* parent, const QString& dir, const QString& filter,
                                    const QString& defaultSuffix) {
    QFileDialog dlg(parent, QString(), dir, QtFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

QString QtDesktopHost::folderName(QWidget* parent, const QString& dir) {
    return QFileDialog::getExistingDirectory(parent, QString(), dir);
}

bool QtDesktopHost::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktopHost::startNewInstance() {
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty()) args.removeFirst();
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
}

}  // namespace tarvos::ui
