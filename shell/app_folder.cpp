#include "shell/app_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "base/safe_save.h"
#include "data/shipped_files.h"
#include "shell/shipped_data.h"

namespace tarvos::ui {

QString ResolveAppFolder() {
    const QByteArray home = qgetenv("TARVOS_HOME");
    if (!home.isEmpty()) {
        const QString path = QDir(QString::fromLocal8Bit(home)).absolutePath();
        QDir().mkpath(path);
        return path;
    }
    const QString programDir = QCoreApplication::applicationDirPath();
    const QFileInfo settings(programDir + "/" + kSettingsFileName);
    if (settings.exists() && settings.isWritable() && QFileInfo(programDir).isWritable())
        return programDir;
    QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (user.isEmpty()) user = QDir::homePath() + "/.tarvos";
    QDir().mkpath(user);
    return user;
}

namespace {
ShippedItem FileItem(const QString& name, const QString& path) {
    return {name, [path] {
                QFile f(path);
                return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }};
}
}  // namespace

std::vector<ShippedItem> ShippedInstallationData(const QString& installedFolder) {
    std::vector<ShippedItem> items;
    // An installed program's share/tarvos comes first: its files are the installation's own.
    if (!installedFolder.isEmpty()) {
        const QDir root(installedFolder);
        QDirIterator it(installedFolder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            items.push_back(FileItem(root.relativeFilePath(path), path));
        }
    }
    auto add = [&items](ShippedItem item) {
        for (const ShippedItem& have : items)
            if (have.name == item.name) return;
        items.push_back(std::move(item));
    };
    QDirIterator it(":/install", QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        add(FileItem(QFileInfo(path).fileName(), path));
    }
    for (ShippedItem& item : ShippedCoreData()) add(std::move(item));
    return items;
}

std::vector<ShippedItem> ShippedInstallationData() {
    return ShippedInstallationData(QString::fromStdString(InstalledDataFolder().string()));
}

QStringList InstallMissingData(const QString& folder, const std::vector<ShippedItem>& items) {
    QStringList copied;
    QDir().mkpath(folder);
    for (const ShippedItem& item : items) {
        const QString target = folder + "/" + item.name;
        if (QFileInfo::exists(target)) continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        // A file already there (or put there meanwhile) is never overwritten.
        const QByteArray bytes = item.bytes();
        if (!SaveFileSafely(target.toStdString(), std::string_view(bytes.constData(), bytes.size()),
                            SaveMode::CreateNew))
            copied << item.name;
    }
    return copied;
}

}  // namespace tarvos::ui
