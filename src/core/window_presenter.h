#pragma once

namespace lullex {

struct AppState;
class MainWindowView;

// Where the main window stands: normal or minimised, in the tray or on the task bar, on top of
// other windows or not. It combines the view's primitives; the texts are the state machine's.
class WindowPresenter {
public:
    WindowPresenter(AppState& state, MainWindowView& view);

    // True when the user has put the window in the other state than StartMin asks for.
    bool MinOverride() const { return m_minOverride; }
    void setMinOverride(bool minOverride) { m_minOverride = minOverride; }

    // The window was activated.
    void onActivated();
    // The window's state changed (by the user or by the program). Running it again for a
    // change the presenter made itself is harmless.
    void onWindowStateChanged();
    // A double click with the left button on the tray icon.
    void TrayDoubleClicked();
    // Brings a minimised window back, centred, and applies the window-stack rule.
    void RestoreWindow();

    // The first countdown second: the window comes forward and on top, and the tray icon goes
    // even when the window was not minimised.
    void bringForwardForCountdown();
    // Minimises the window when StartMin (with the user's override) asks for the tray.
    void minimiseIfStartMinAsks();
    // The end of the load step: the window shows, or goes to the tray when it was minimised.
    void showAfterLoad();

private:
    bool userChoseOtherState() const;
    void putInTray();
    bool topmostWanted() const;

    AppState& m_state;
    MainWindowView& m_view;
    bool m_minOverride = false;
};

}  // namespace lullex
