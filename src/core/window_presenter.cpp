#include "window_presenter.h"

#include "app_state.h"
#include "main_window_view.h"
#include "setting_values.h"

namespace lullex {

WindowPresenter::WindowPresenter(AppState& state, MainWindowView& view)
    : m_state(state), m_view(view)
{
}

void WindowPresenter::onActivated()
{
    // The window manager activates a window the countdown restored only after the restore has
    // set the stack, so the countdown's own rule must hold here too or it loses its place.
    m_view.setTopmost(topmostWanted());
    if (m_view.isMinimised())
        putInTray();
}

void WindowPresenter::onWindowStateChanged()
{
    if (m_view.isMinimised())
        putInTray();
    if (userChoseOtherState())
        m_minOverride = true;
    else if (m_state.State != RunState::Countdown)
        m_minOverride = false;
    // During the countdown a restore by the program is no choice of the user's.
}

void WindowPresenter::TrayDoubleClicked()
{
    RestoreWindow();
    m_minOverride = userChoseOtherState();
}

void WindowPresenter::RestoreWindow()
{
    if (m_view.isMinimised()) {
        m_view.setMinimised(false);
        m_view.removeTrayIcon();
        m_view.centreOnScreen();
    }
    m_view.showWindow();
    m_view.setTopmost(topmostWanted());
}

void WindowPresenter::bringForwardForCountdown()
{
    RestoreWindow();
    m_view.removeTrayIcon();
}

void WindowPresenter::minimiseIfStartMinAsks()
{
    const int16_t startMin = m_state.settings.StartMin;
    if ((startMin == SettingYes && !m_minOverride) || (startMin == SettingNo && m_minOverride)) {
        m_view.setMinimised(true);
        putInTray();
    }
}

void WindowPresenter::showAfterLoad()
{
    if (m_view.isMinimised() && m_view.trayAvailable())
        putInTray();
    else
        m_view.showWindow();
}

bool WindowPresenter::userChoseOtherState() const
{
    const bool minimised = m_view.isMinimised();
    const int16_t startMin = m_state.settings.StartMin;
    return (!minimised && startMin == SettingYes && m_state.State != RunState::Countdown) ||
           (minimised && startMin == SettingNo);
}

void WindowPresenter::putInTray()
{
    // Without a tray on this desktop a hidden window would be lost for good: it stays
    // minimised on the task bar instead.
    if (!m_view.trayAvailable())
        return;
    m_view.addTrayIcon();
    m_view.hideWindow();
}

bool WindowPresenter::topmostWanted() const
{
    return m_state.settings.RunOnTop == SettingYes || m_state.State == RunState::Countdown;
}

}  // namespace lullex
