#include "config_screen_opener.h"

#include "config_dialog.h"
#include "config_screen.h"
#include "home_page_link.h"
#include "log_viewer.h"
#include "lullex_main.h"

#include <utility>

namespace lullex {

ConfigScreenOpener::ConfigScreenOpener(ConfigScreenServices services)
    : m_services(std::move(services))
{
}

void ConfigScreenOpener::open(LullexMain& window)
{
    const ConfigScreenServices& s = m_services;
    ConfigDialog dialog(&window);
    LogViewer logViewer(s.state, s.prompter, s.timer, s.terminator, s.viewer);
    ConfigScreen screen({s.state, dialog, s.writer, s.applier, logViewer, s.isAdministrator()});
    ConnectConfigScreen(dialog, screen);
    QObject::connect(&dialog, &ConfigDialog::logoClicked,
                     [&s] { s.homePage.OpenHomePage(LogoBoxTitle()); });
    screen.load();
    window.runScreen(dialog);
    screen.onClose();
}

void ConnectConfigScreen(ConfigDialog& dialog, ConfigScreen& screen)
{
    QObject::connect(&dialog, &ConfigDialog::viewLogClicked, [&screen] { screen.onViewLog(); });
    QObject::connect(&dialog, &ConfigDialog::restoreClicked, [&screen] { screen.onRestore(); });
    QObject::connect(&dialog, &ConfigDialog::saveClicked, [&screen] { screen.onSave(); });
    QObject::connect(&dialog, &ConfigDialog::domainNameClicked,
                     [&screen] { screen.onDomainNameClicked(); });
    QObject::connect(&dialog, &ConfigDialog::shutTypePicked,
                     [&screen] { screen.onShutTypePicked(); });
    QObject::connect(&dialog, &ConfigDialog::secondElapsed, [&screen] { screen.onSecond(); });
    QObject::connect(&dialog, &ConfigDialog::statusTimedOut,
                     [&screen] { screen.onStatusTimeout(); });
}

}  // namespace lullex
