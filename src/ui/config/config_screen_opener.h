#pragma once

#include <functional>

namespace lullex {

struct AppState;
class ConfigApplier;
class ConfigDialog;
class ConfigFileWriter;
class ConfigScreen;
class FileViewerLauncher;
class HomePageOpener;
class LullexMain;
class MainTimer;
class Prompter;
class Terminator;

struct ConfigScreenServices {
    AppState& state;
    ConfigFileWriter& writer;
    ConfigApplier& applier;
    Prompter& prompter;
    MainTimer& timer;
    Terminator& terminator;
    FileViewerLauncher& viewer;
    HomePageOpener& homePage;
    // Asked at every opening: only an administrator may save or restore.
    std::function<bool()> isAdministrator;
};

// Opens the configuration screen from the main window's Configure button.
class ConfigScreenOpener {
public:
    explicit ConfigScreenOpener(ConfigScreenServices services);

    // Returns once the screen has closed, whatever closed it, and its closing routine has run.
    void open(LullexMain& window);

private:
    ConfigScreenServices m_services;
};

// Routes the window's clicks and timers to the screen's handlers.
void ConnectConfigScreen(ConfigDialog& dialog, ConfigScreen& screen);

}  // namespace lullex
