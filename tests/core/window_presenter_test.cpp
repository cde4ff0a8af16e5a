#include "core_fakes.h"
#include "window_presenter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

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

// A table's rows, each on a presenter and a view of its own.
template <typename Case>
class WindowPresenterTable : public WindowPresenterTest, public testing::WithParamInterface<Case> {
};

std::string StateName(RunState state)
{
    switch (state) {
    case RunState::Initialise:
        return "Initialise";
    case RunState::Run:
        return "Run";
    case RunState::Countdown:
        return "Countdown";
    }
    return "State" + std::to_string(static_cast<int>(state));
}

struct ResizeCase {
    bool minimised;
    int16_t startMin;
    RunState runState;
    bool overrideBefore;
    bool overrideAfter;
};

void PrintTo(const ResizeCase& c, std::ostream* out)
{
    *out << (c.minimised ? "minimised" : "normal") << ", StartMin " << c.startMin << ", "
         << StateName(c.runState) << ", override before " << c.overrideBefore;
}

using ResizeTest = WindowPresenterTable<ResizeCase>;

TEST_P(ResizeTest, RecordsTheUsersChoiceOutsideTheCountdown)
{
    const ResizeCase& c = GetParam();
    state.settings.StartMin = c.startMin;
    state.State = c.runState;
    view.minimised = c.minimised;
    presenter.setMinOverride(c.overrideBefore);
    presenter.onWindowStateChanged();
    EXPECT_EQ(presenter.MinOverride(), c.overrideAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, ResizeTest,
                         testing::Values(ResizeCase{false, 2, RunState::Run, false, true},
                                         ResizeCase{false, 2, RunState::Initialise, false, true},
                                         ResizeCase{false, 2, RunState::Countdown, false, false},
                                         ResizeCase{false, 2, RunState::Countdown, true, true},
                                         ResizeCase{true, 1, RunState::Run, false, true},
                                         ResizeCase{true, 1, RunState::Countdown, false, true},
                                         ResizeCase{true, 2, RunState::Run, true, false},
                                         ResizeCase{true, 2, RunState::Countdown, true, true},
                                         ResizeCase{false, 1, RunState::Run, true, false},
                                         ResizeCase{false, 1, RunState::Countdown, true, true}));

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

struct StackCase {
    int16_t runOnTop;
    RunState runState;
    bool topmost;
};

void PrintTo(const StackCase& c, std::ostream* out)
{
    *out << "RunOnTop " << c.runOnTop << ", " << StateName(c.runState);
}

using StackTest = WindowPresenterTable<StackCase>;

// A restore and an activation apply the same rule: on top by RunOnTop or the countdown. The
// window manager activates the window the countdown restored after the countdown put it on
// top; activation must not take that back.
TEST_P(StackTest, RestoreAndActivationKeepTheWindowOnTopByRunOnTopOrTheCountdown)
{
    state.settings.RunOnTop = GetParam().runOnTop;
    state.State = GetParam().runState;
    view.topmost = !GetParam().topmost;
    presenter.RestoreWindow();
    EXPECT_EQ(view.topmost, GetParam().topmost) << "after a restore";

    view.topmost = !GetParam().topmost;
    presenter.onActivated();
    EXPECT_EQ(view.topmost, GetParam().topmost) << "after an activation";
    EXPECT_TRUE(view.visible);
}

INSTANTIATE_TEST_SUITE_P(Rows, StackTest,
                         testing::Values(StackCase{1, RunState::Initialise, false},
                                         StackCase{1, RunState::Run, false},
                                         StackCase{1, RunState::Countdown, true},
                                         StackCase{2, RunState::Initialise, true},
                                         StackCase{2, RunState::Run, true},
                                         StackCase{2, RunState::Countdown, true}));

TEST_F(WindowPresenterTest, ActivationOfAMinimisedWindowHidesIt)
{
    view.minimised = true;
    presenter.onActivated();
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.trayIcon);
}

struct ClickCase {
    int16_t startMin;
    RunState runState;
    bool overrideAfter;
};

void PrintTo(const ClickCase& c, std::ostream* out)
{
    *out << "StartMin " << c.startMin << ", " << StateName(c.runState);
}

using TrayDoubleClickTest = WindowPresenterTable<ClickCase>;

TEST_P(TrayDoubleClickTest, RecordsAnOverrideOnlyAgainstTheTraySetting)
{
    minimisedInTray();
    state.settings.StartMin = GetParam().startMin;
    state.State = GetParam().runState;
    presenter.setMinOverride(!GetParam().overrideAfter);
    presenter.TrayDoubleClicked();
    EXPECT_FALSE(view.minimised);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(presenter.MinOverride(), GetParam().overrideAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, TrayDoubleClickTest,
                         testing::Values(ClickCase{2, RunState::Run, true},
                                         ClickCase{2, RunState::Initialise, true},
                                         ClickCase{2, RunState::Countdown, false},
                                         ClickCase{1, RunState::Run, false},
                                         ClickCase{1, RunState::Countdown, false}));

struct MinimiseCase {
    int16_t startMin;
    bool minOverride;
    bool minimised;
};

void PrintTo(const MinimiseCase& c, std::ostream* out)
{
    *out << "StartMin " << c.startMin << ", override " << c.minOverride;
}

using StartMinTest = WindowPresenterTable<MinimiseCase>;

TEST_P(StartMinTest, StartMinAndTheOverrideDecideTheTray)
{
    view.trayIcon = false;
    state.settings.StartMin = GetParam().startMin;
    presenter.setMinOverride(GetParam().minOverride);
    presenter.minimiseIfStartMinAsks();
    EXPECT_EQ(view.minimised, GetParam().minimised);
    EXPECT_EQ(view.visible, !GetParam().minimised);
    EXPECT_EQ(view.trayIcon, GetParam().minimised);
}

INSTANTIATE_TEST_SUITE_P(Rows, StartMinTest,
                         testing::Values(MinimiseCase{2, false, true}, MinimiseCase{2, true, false},
                                         MinimiseCase{1, false, false},
                                         MinimiseCase{1, true, true}));

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
