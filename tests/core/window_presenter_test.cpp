#include "core_fakes.h"
#include "window_presenter.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

class WindowPresenterTest : public ::testing::Test {
protected:
    WindowPresenterTest()
    {
        state.settings = MasterSettings();
        view.visible = true;
    }

    void minimisedInTray()
    {
        view.minimised = true;
        view.visible = false;
        view.trayIcon = true;
    }

    AppState state;
    RecordingView view;
    WindowPresenter presenter{state, view};
};

struct ResizeCase {
    bool minimised;
    int16_t startMin;
    RunState runState;
    bool overrideBefore;
    bool overrideAfter;
};

TEST_F(WindowPresenterTest, ResizeRecordsTheUsersChoiceOutsideTheCountdown)
{
    const ResizeCase cases[] = {
        {false, 2, RunState::Run, false, true},
        {false, 2, RunState::Initialise, false, true},
        {false, 2, RunState::Countdown, false, false},
        {false, 2, RunState::Countdown, true, true},
        {true, 1, RunState::Run, false, true},
        {true, 1, RunState::Countdown, false, true},
        {true, 2, RunState::Run, true, false},
        {true, 2, RunState::Countdown, true, true},
        {false, 1, RunState::Run, true, false},
        {false, 1, RunState::Countdown, true, true},
    };
    for (const ResizeCase& c : cases) {
        state.settings.StartMin = c.startMin;
        state.State = c.runState;
        view.minimised = c.minimised;
        presenter.setMinOverride(c.overrideBefore);
        presenter.onWindowStateChanged();
        EXPECT_EQ(presenter.MinOverride(), c.overrideAfter)
            << "minimised " << c.minimised << ", StartMin " << c.startMin << ", state "
            << static_cast<int>(c.runState) << ", before " << c.overrideBefore;
    }
}

TEST_F(WindowPresenterTest, MinimisingPutsTheWindowInTheTray)
{
    view.minimised = true;
    presenter.onWindowStateChanged();
    EXPECT_EQ(view.windowCalls, (std::vector<std::string>{"add tray icon", "hide"}));
    EXPECT_TRUE(view.trayIcon);
    EXPECT_FALSE(view.visible);
}

TEST_F(WindowPresenterTest, WithoutATrayAMinimisedWindowStaysOnTheTaskBar)
{
    view.hasTray = false;
    view.minimised = true;
    presenter.onWindowStateChanged();
    presenter.onActivated();
    EXPECT_TRUE(view.visible);
    EXPECT_TRUE(view.minimised);
    EXPECT_FALSE(view.trayIcon);
    EXPECT_EQ(view.windowCalls, (std::vector<std::string>{"not topmost"}));
}

TEST_F(WindowPresenterTest, RestoreBringsAMinimisedWindowBackCentred)
{
    minimisedInTray();
    presenter.RestoreWindow();
    EXPECT_EQ(view.windowCalls, (std::vector<std::string>{"normal", "remove tray icon", "centre",
                                                          "show", "not topmost"}));
    EXPECT_FALSE(view.minimised);
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.trayIcon);
}

TEST_F(WindowPresenterTest, RestoreOfAShownWindowOnlyAppliesTheStack)
{
    presenter.RestoreWindow();
    EXPECT_EQ(view.windowCalls, (std::vector<std::string>{"show", "not topmost"}));
}

TEST_F(WindowPresenterTest, TheCountdownAlwaysStandsOnTop)
{
    struct StackCase {
        int16_t runOnTop;
        RunState runState;
        bool topmost;
    };
    const StackCase cases[] = {
        {1, RunState::Initialise, false}, {1, RunState::Run, false}, {1, RunState::Countdown, true},
        {2, RunState::Initialise, true},  {2, RunState::Run, true},  {2, RunState::Countdown, true},
    };
    for (const StackCase& c : cases) {
        state.settings.RunOnTop = c.runOnTop;
        state.State = c.runState;
        view.topmost = !c.topmost;
        presenter.RestoreWindow();
        EXPECT_EQ(view.topmost, c.topmost)
            << "RunOnTop " << c.runOnTop << ", state " << static_cast<int>(c.runState);
    }
}

TEST_F(WindowPresenterTest, ActivationKeepsTheWindowOnTopByRunOnTopOrTheCountdown)
{
    struct ActivationCase {
        int16_t runOnTop;
        RunState runState;
        bool topmost;
    };
    const ActivationCase cases[] = {
        {2, RunState::Run, true},
        {1, RunState::Run, false},
        {1, RunState::Initialise, false},
        // The window manager activates the window the countdown restored after the countdown
        // put it on top; activation must not take that back.
        {1, RunState::Countdown, true},
        {2, RunState::Countdown, true},
    };
    for (const ActivationCase& c : cases) {
        state.settings.RunOnTop = c.runOnTop;
        state.State = c.runState;
        view.topmost = !c.topmost;
        presenter.onActivated();
        EXPECT_EQ(view.topmost, c.topmost)
            << "RunOnTop " << c.runOnTop << ", state " << static_cast<int>(c.runState);
        EXPECT_TRUE(view.visible);
    }
}

TEST_F(WindowPresenterTest, ActivationOfAMinimisedWindowHidesIt)
{
    view.minimised = true;
    presenter.onActivated();
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.trayIcon);
}

TEST_F(WindowPresenterTest, TrayDoubleClickRecordsAnOverrideOnlyAgainstTheTraySetting)
{
    struct ClickCase {
        int16_t startMin;
        RunState runState;
        bool overrideAfter;
    };
    const ClickCase cases[] = {
        {2, RunState::Run, true},  {2, RunState::Initialise, true}, {2, RunState::Countdown, false},
        {1, RunState::Run, false}, {1, RunState::Countdown, false},
    };
    for (const ClickCase& c : cases) {
        minimisedInTray();
        state.settings.StartMin = c.startMin;
        state.State = c.runState;
        presenter.setMinOverride(!c.overrideAfter);
        presenter.TrayDoubleClicked();
        EXPECT_FALSE(view.minimised);
        EXPECT_TRUE(view.visible);
        EXPECT_EQ(presenter.MinOverride(), c.overrideAfter)
            << "StartMin " << c.startMin << ", state " << static_cast<int>(c.runState);
    }
}

TEST_F(WindowPresenterTest, StartMinAndTheOverrideDecideTheTray)
{
    struct MinimiseCase {
        int16_t startMin;
        bool minOverride;
        bool minimised;
    };
    const MinimiseCase cases[] = {
        {2, false, true}, {2, true, false}, {1, false, false}, {1, true, true}};
    for (const MinimiseCase& c : cases) {
        view.minimised = false;
        view.visible = true;
        view.trayIcon = false;
        state.settings.StartMin = c.startMin;
        presenter.setMinOverride(c.minOverride);
        presenter.minimiseIfStartMinAsks();
        EXPECT_EQ(view.minimised, c.minimised)
            << "StartMin " << c.startMin << ", override " << c.minOverride;
        EXPECT_EQ(view.visible, !c.minimised);
        EXPECT_EQ(view.trayIcon, c.minimised);
    }
}

TEST_F(WindowPresenterTest, TheLoadEndsWithTheWindowShownOrInTheTray)
{
    view.visible = false;
    presenter.showAfterLoad();
    EXPECT_EQ(view.windowCalls, (std::vector<std::string>{"show"}));

    view.windowCalls.clear();
    view.visible = false;
    view.minimised = true;
    presenter.showAfterLoad();
    EXPECT_EQ(view.windowCalls, (std::vector<std::string>{"add tray icon", "hide"}));

    view.windowCalls.clear();
    view.hasTray = false;
    presenter.showAfterLoad();
    EXPECT_EQ(view.windowCalls, (std::vector<std::string>{"show"}));
    EXPECT_TRUE(view.minimised);
}

TEST_F(WindowPresenterTest, TheCountdownRemovesTheTrayIconEvenFromAShownWindow)
{
    state.State = RunState::Countdown;
    view.trayIcon = true;
    presenter.bringForwardForCountdown();
    EXPECT_FALSE(view.trayIcon);
    EXPECT_TRUE(view.topmost);
    EXPECT_TRUE(view.visible);
}

}  // namespace
}  // namespace lullex::test
