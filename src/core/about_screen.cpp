#include "about_screen.h"

#include "app_state.h"
#include "dialog_timeout.h"
#include "setting_values.h"

namespace lullex {

AboutScreen::AboutScreen(AppState& state, AboutScreenView& view, HomePageOpener& homePage)
    : m_state(state), m_view(view), m_homePage(homePage)
{
}

void AboutScreen::load()
{
    OpenDialog(m_state, Timeout);
    m_view.setCaption("About " + m_state.AppTitle);
    m_view.setProgName(m_state.AppTitle);
    m_view.setProgVersion(std::string("Version ") + ProductVersion);
    m_view.setMessage("");
    m_view.setTopmost(m_state.settings.RunOnTop == SettingYes);
}

void AboutScreen::onSecond()
{
    const int16_t left = CountDialogSecond(m_state);
    m_view.setMessage("About will close in " + std::to_string(left) + " sec");
}

void AboutScreen::onWebSite()
{
    // Orange whatever the outcome: the click was seen, even when no browser could start.
    m_view.setWebSiteColour(Colour::Orange);
    m_homePage.OpenHomePage(m_state.AppTitle + " Error");
}

void AboutScreen::onClose()
{
    m_state.DialogOpen = false;
}

}  // namespace lullex
