#include "shell/app_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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

std::vector<ShippedItem> ShippedInstallationData() {
    std::vector<ShippedItem> items;
    QDirIterator it(":/install", QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        items.push_back({QFileInfo(path).fileName(), [path] {
                             QFile f(path);
                             return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
                         }});
    }
    for (ShippedItem& item : ShippedCoreData()) items.push_back(std::move(item));
    return items;
}

QStringList InstallMissingData(const QString& folder, const std::vector<ShippedItem>& items) {
    QStringList copied;
    QDir().mkpath(folder);
    for (const ShippedItem& item : items) {
        const QString target = folder + "/" + item.name;
        if (QFileInfo::exists(target)) continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly)) continue;
        out.write(item.bytes());
        if (out.commit()) copied << item.name;
    }
    return copied;
}

}  // namespace tarvos::ui
