#pragma once
// Where the application keeps its settings, data folder and installation data, and how the
// installation data gets there.
//
// The folder is TARVOS_HOME when that is set (the tests always give a fresh one); otherwise
// the program's own folder when it already holds the installation data and can be written;
// otherwise a per-user data folder. Whichever it is, installation data missing from it is
// copied in from the installation: share/tarvos of an installed program (read only), else
// what ships inside the program; a file already there is never replaced, so the user's
// settings and edited files survive an update.

#include <QString>
#include <functional>
#include <vector>

namespace tarvos::ui {

// The settings file's name; its presence marks a folder as holding the installation data.
inline constexpr const char* kSettingsFileName = "tarvosk.def";

QString ResolveAppFolder();

// A file that ships inside the program: its name in the application folder and its bytes.
struct ShippedItem {
    QString name;
    std::function<QByteArray()> bytes;
};

// Every file of the installation: those of the installed data folder (InstalledDataFolder,
// share/tarvos beside bin/) first, then whatever else ships inside the program: the Qt
// resources under ":/install" (picture buttons) and the data files and help pages built in.
std::vector<ShippedItem> ShippedInstallationData();
// The same with the installed folder given (empty: none).
std::vector<ShippedItem> ShippedInstallationData(const QString& installedFolder);

// Copies each shipped file that the folder lacks; returns the names copied.
QStringList InstallMissingData(const QString& folder, const std::vector<ShippedItem>& items);

}  // namespace tarvos::ui
