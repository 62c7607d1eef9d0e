#pragma once
// A damaged settings file met at start-up: empty, not text, cut short, without its sections,
// a folder where the file should be. Left alone, every read of it falls back to a default:
// the channel grid comes up with every caption "0" and no channels, and the only word about
// it is a line of the error log. Instead the user is told, in the interface language, which
// file is damaged and what is missing from it, and is offered the settings file that came
// with the program. Yes keeps the damaged file beside it as "tarvosk.def.damaged" and puts
// the shipped one in its place; No (or a restore that cannot be done) runs this session on a
// copy of the shipped settings outside the application folder and leaves the file as it is.
// Either way the user's language and port are kept where the damaged file still names them.

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvos::ui {

struct AppContext;

// What is wrong with the settings file at path, one line per fault in the language (1..3);
// empty when nothing is.
QStringList SettingsFileDamage(const QString& path, int language);

// The first step of start-up: the check, the question and the repair or the stand-in.
void RepairSettingsFile(AppContext& app, QWidget* parent);

}  // namespace tarvos::ui
