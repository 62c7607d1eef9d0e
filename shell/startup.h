#pragma once
// The application's start-up sequence, in the order the application has always started in:
// first run, language and texts, port, memory image, fonts and colours, the link's ranges
// and scripts, the data folder, the main window's texts, the channel editor (which loads the
// template through the first band selection), the channel window shown, the lock restored.
// Each step that fails is logged and the next one runs.

namespace tarvos::ui {

struct AppContext;
class AppServices;
class MainWindow;

void RunStartup(AppContext& app, AppServices& services, MainWindow& window);

}  // namespace tarvos::ui
