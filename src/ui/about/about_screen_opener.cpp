#include "about_screen_opener.h"

#include "about_dialog.h"
#include "lullex_main.h"

namespace lullex {

AboutScreenOpener::AboutScreenOpener(AppState& state, HomePageOpener& homePage)
    : m_state(state), m_homePage(homePage)
{
}

void AboutScreenOpener::open(LullexMain& window)
{
    AboutDialog dialog(&window);
    AboutScreen screen(m_state, dialog, m_homePage);
    QObject::connect(&dialog, &AboutDialog::secondElapsed, [&screen] { screen.onSecond(); });
    QObject::connect(&dialog, &AboutDialog::webSiteClicked, [&screen] { screen.onWebSite(); });
    screen.load();
    window.runScreen(dialog);
    screen.onClose();
}

}  // namespace lullex
