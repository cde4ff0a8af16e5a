// The main window as a window: closing, minimising, activation, the tray icon, the window
// stack and the screens it closes. The window manager's side is in lullex_main_x11_test.cpp.
#include "lullex_main.h"

#include "ui_test_support.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace lullex {
namespace {

class LullexMainWindowTest : public testing::Test {
protected:
    void showAndWait()
    {
        window.show();
        ASSERT_TRUE(test::WaitUntilExposed(window));
    }

    LullexMain window;
};

TEST_F(LullexMainWindowTest, CloseBoxIsReportedAndLeavesTheDecisionToTheHandler)
{
    showAndWait();
    int unloads = 0;
    QObject::connect(&window, &LullexMain::closeRequested, [&] { ++unloads; });

    EXPECT_FALSE(window.close());
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(window.isVisible());
}

struct StateCase {
    const char* what;
    Qt::WindowStates from;
    Qt::WindowStates to;
    bool reportsMinimised;
};

void PrintTo(const StateCase& row, std::ostream* out)
{
    *out << row.what;
}

class WindowStateTest : public LullexMainWindowTest,
                        public testing::WithParamInterface<StateCase> {};

TEST_P(WindowStateTest, EveryChangeReportsWhetherTheWindowIsNowMinimised)
{
    showAndWait();
    window.setWindowState(GetParam().from);
    std::vector<bool> reports;
    QObject::connect(&window, &LullexMain::windowStateChanged,
                     [&](bool minimised) { reports.push_back(minimised); });
    window.setWindowState(GetParam().to);
    EXPECT_EQ(reports, std::vector<bool>{GetParam().reportsMinimised});
    EXPECT_EQ(window.isMinimised(), GetParam().reportsMinimised);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, WindowStateTest,
    testing::Values(
        StateCase{"minimised by the user", Qt::WindowNoState, Qt::WindowMinimized, true},
        StateCase{"restored by the user", Qt::WindowMinimized, Qt::WindowNoState, false},
        StateCase{"maximised", Qt::WindowNoState, Qt::WindowMaximized, false},
        StateCase{"minimised from maximised", Qt::WindowMaximized,
                  Qt::WindowMaximized | Qt::WindowMinimized, true}));

TEST_F(LullexMainWindowTest, SetMinimisedChangesOnlyTheMinimisedState)
{
    showAndWait();
    window.setWindowState(Qt::WindowMaximized);
    std::vector<bool> reports;
    QObject::connect(&window, &LullexMain::windowStateChanged,
                     [&](bool minimised) { reports.push_back(minimised); });

    window.setMinimised(true);
    EXPECT_TRUE(window.isMinimised());
    window.setMinimised(false);
    EXPECT_FALSE(window.isMinimised());
    EXPECT_EQ(window.windowState(), Qt::WindowStates(Qt::WindowMaximized));
    EXPECT_EQ(reports, (std::vector<bool>{true, false}));
}

TEST_F(LullexMainWindowTest, HidingFromTheStateHandlerAndRestoringWorks)
{
    // What the monitoring logic does: a minimised window goes to the tray, a double click
    // brings it back normal and visible.
    showAndWait();
    QObject::connect(&window, &LullexMain::windowStateChanged, [&](bool minimised) {
        if (minimised)
            window.hideWindow();
    });

    window.setMinimised(true);
    EXPECT_FALSE(window.isVisible());

    window.setMinimised(false);
    window.showWindow();
    window.centreOnScreen();
    EXPECT_TRUE(test::WaitUntilExposed(window));
    EXPECT_FALSE(window.isMinimised());
}

TEST_F(LullexMainWindowTest, MinimisingBeforeTheWindowShowsKeepsItHidden)
{
    int reports = 0;
    QObject::connect(&window, &LullexMain::windowStateChanged, [&](bool minimised) {
        reports += minimised ? 1 : 0;
        window.hideWindow();
    });
    window.setMinimised(true);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(window.isMinimised());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(LullexMainWindowTest, ActivationIsReported)
{
    int activations = 0;
    QObject::connect(&window, &LullexMain::activated, [&] { ++activations; });
    showAndWait();
    window.activateWindow();
    EXPECT_TRUE(test::WaitUntil([&] { return activations > 0; }));
}

TEST_F(LullexMainWindowTest, TheTrayIconIsReadyWithItsTooltip)
{
    auto* tray = window.findChild<QSystemTrayIcon*>();
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->toolTip().toStdString(), "lullex");
    EXPECT_FALSE(tray->icon().isNull());
}

struct TrayCase {
    QSystemTrayIcon::ActivationReason reason;
    int restores;
};

void PrintTo(const TrayCase& row, std::ostream* out)
{
    *out << "reason " << row.reason;
}

class TrayActivationTest : public LullexMainWindowTest,
                           public testing::WithParamInterface<TrayCase> {};

TEST_P(TrayActivationTest, OnlyADoubleClickOnTheIconIsReported)
{
    auto* tray = window.findChild<QSystemTrayIcon*>();
    ASSERT_NE(tray, nullptr);
    int restores = 0;
    QObject::connect(&window, &LullexMain::trayDoubleClicked, [&] { ++restores; });
    emit tray->activated(GetParam().reason);
    EXPECT_EQ(restores, GetParam().restores);
}

INSTANTIATE_TEST_SUITE_P(Reasons, TrayActivationTest,
                         testing::Values(TrayCase{QSystemTrayIcon::DoubleClick, 1},
                                         TrayCase{QSystemTrayIcon::Trigger, 0},
                                         TrayCase{QSystemTrayIcon::Context, 0},
                                         TrayCase{QSystemTrayIcon::MiddleClick, 0},
                                         TrayCase{QSystemTrayIcon::Unknown, 0}));

TEST_F(LullexMainWindowTest, TopmostSetBeforeTheWindowExistsHoldsWhenItShows)
{
    ASSERT_EQ(window.windowHandle(), nullptr);
    window.setTopmost(true);
    showAndWait();
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

    // A hide and show, as the tray does, keeps the state.
    window.hideWindow();
    window.showWindow();
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

class CountingDialog : public QDialog {
public:
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closeEvents;
        QDialog::closeEvent(event);
    }
};

TEST_F(LullexMainWindowTest, CloseDialogsEndsAModalScreenThroughDoneWithoutItsCloseEvent)
{
    showAndWait();
    CountingDialog screen;
    int finished = 0;
    QObject::connect(&screen, &QDialog::finished, [&] { ++finished; });
    window.registerDialog(&screen);

    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (screen.isVisible()) {
            closer.stop();
            window.closeDialogs();
        }
    });
    closer.start();
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] { screen.done(QDialog::Accepted); });
    deadline.start(test::DefaultTimeout);

    const int result = screen.exec();
    deadline.stop();

    EXPECT_EQ(result, QDialog::Rejected) << "the screen was not closed by closeDialogs";
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.closeEvents, 0);
    EXPECT_EQ(finished, 1);
}

TEST_F(LullexMainWindowTest, CloseDialogsClosesEveryRegisteredScreenAndForgetsDeletedOnes)
{
    QDialog about;
    QDialog config;
    auto* gone = new QDialog;
    window.registerDialog(&about);
    window.registerDialog(gone);
    window.registerDialog(&config);
    about.show();
    config.show();
    delete gone;

    window.closeDialogs();
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(config.isVisible());
}

}  // namespace
}  // namespace lullex
