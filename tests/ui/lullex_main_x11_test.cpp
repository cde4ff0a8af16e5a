// The windows under a real X server and window manager: the window stack, minimising by the
// window manager, the tray icon and focus.
#include "lullex_main.h"
#include "multi_inst.h"
#include "qt_prompter.h"

#include "seam_fakes.h"
#include "ui_test_support.h"
#include "x_tools.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace lullex {
namespace {

using test::WaitUntil;

test::XSession& UiSession()
{
    return test::XSessionEnvironment::session();
}

bool contains(const std::vector<std::string>& atoms, const std::string& atom)
{
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

class LullexMainX11Test : public testing::Test {
protected:
    void SetUp() override
    {
        window.setWindowCaption(testing::UnitTest::GetInstance()->current_test_info()->name());
        window.show();
        ASSERT_TRUE(test::WaitUntilExposed(window));
    }

    // Qt re-creates the X window when it is shown after a change of the stay-on-top hint made
    // while it was hidden; the window handle always knows the current X id (the widget's
    // winId() may still hold the old one).
    std::string xId() const { return std::to_string(window.windowHandle()->winId()); }

    std::vector<std::string> states() const
    {
        return test::WindowStates(UiSession(), window.windowHandle()->winId());
    }

    bool waitForState(const std::string& atom, bool present) const
    {
        return WaitUntil([&] { return contains(states(), atom) == present; });
    }

    LullexMain window;
};

TEST_F(LullexMainX11Test, TopmostIsTheWindowManagersAboveStateOnTheSameWindow)
{
    const WId id = window.windowHandle()->winId();
    window.setTopmost(true);
    EXPECT_TRUE(waitForState("_NET_WM_STATE_ABOVE", true));
    window.setTopmost(false);
    EXPECT_TRUE(waitForState("_NET_WM_STATE_ABOVE", false));
    window.setTopmost(true);
    EXPECT_TRUE(waitForState("_NET_WM_STATE_ABOVE", true));
    EXPECT_EQ(window.windowHandle()->winId(), id) << "the X window was re-created";
    EXPECT_TRUE(window.isVisible());
}

TEST_F(LullexMainX11Test, TopmostSetWhileHiddenHoldsWhenTheWindowComesBack)
{
    window.hideWindow();
    window.setTopmost(true);
    window.showWindow();
    ASSERT_TRUE(test::WaitUntilExposed(window));
    EXPECT_TRUE(waitForState("_NET_WM_STATE_ABOVE", true));
}

TEST_F(LullexMainX11Test, MinimisedByTheUserItGoesAwayAndARestoreBringsItBack)
{
    std::vector<bool> reports;
    QObject::connect(&window, &LullexMain::windowStateChanged, [&](bool minimised) {
        reports.push_back(minimised);
        if (minimised)
            window.hideWindow();
    });

    test::Xdotool(UiSession(), {"windowminimize", xId()});
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }));
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(reports.back());

    window.setMinimised(false);
    window.showWindow();
    window.centreOnScreen();
    ASSERT_TRUE(test::WaitUntilExposed(window));
    EXPECT_FALSE(window.isMinimised());
    EXPECT_TRUE(waitForState("_NET_WM_STATE_HIDDEN", false));
    const std::string title = window.windowTitle().toStdString();
    EXPECT_TRUE(test::FindWindowByTitle(UiSession(), title, test::DefaultTimeout, true).has_value())
        << "the restored window is not visible";
}

TEST_F(LullexMainX11Test, DoubleClickOnTheTrayIconIsReported)
{
    ASSERT_TRUE(WaitUntil([&] { return window.trayAvailable(); }));
    int doubleClicks = 0;
    QObject::connect(&window, &LullexMain::trayDoubleClicked, [&] { ++doubleClicks; });

    window.addTrayIcon();
    auto* tray = window.findChild<QSystemTrayIcon*>();
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return tray->geometry().isValid(); }));
    // The icon is usable only once the tray host has embedded and placed it, which the
    // geometry does not tell; a double click that came too early is tried again.
    const bool reported = WaitUntil([&] {
        const QPoint centre = tray->geometry().center();
        test::Xdotool(UiSession(),
                      {"mousemove", std::to_string(centre.x()), std::to_string(centre.y()), "click",
                       "--repeat", "2", "--delay", "80", "1"});
        return WaitUntil([&] { return doubleClicks > 0; }, std::chrono::milliseconds(2000));
    });
    EXPECT_TRUE(reported);

    window.removeTrayIcon();
    EXPECT_TRUE(WaitUntil([&] { return !tray->geometry().isValid(); }));
}

TEST_F(LullexMainX11Test, CentresItsFrameOnTheFreeScreenArea)
{
    window.move(0, 0);
    window.centreOnScreen();
    const QRect area = window.screen()->availableGeometry();
    EXPECT_TRUE(WaitUntil([&] {
        const QPoint offset = window.frameGeometry().center() - area.center();
        return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
    })) << "frame "
        << window.frameGeometry().x() << "," << window.frameGeometry().y();
}

TEST_F(LullexMainX11Test, AlreadyRunningWindowStandsOnTopAndLeavesTheFocusAlone)
{
    window.activateWindow();
    const std::string mainId = xId();
    ASSERT_TRUE(WaitUntil([&] { return test::ActiveWindow(UiSession()) == mainId; }));

    test::ThrowingTerminator terminator;
    MultiInst notice(terminator);
    notice.show();
    ASSERT_TRUE(test::WaitUntilExposed(notice));
    EXPECT_TRUE(WaitUntil([&] {
        return contains(test::WindowStates(UiSession(), notice.windowHandle()->winId()),
                        "_NET_WM_STATE_ABOVE");
    }));
    // Taking the focus may come a moment after the window shows: the focus stays for a while.
    EXPECT_TRUE(test::StaysTrueFor([&] { return test::ActiveWindow(UiSession()) == mainId; },
                                   std::chrono::milliseconds(2000)));
}

// The client windows from bottom to top, as the window manager stacks them.
std::vector<WId> stackingOrder()
{
    const test::CommandResult result =
        test::RunCommand(UiSession().processSpec({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"}));
    std::vector<WId> order;
    const std::string::size_type list = result.out.find('#');
    if (result.exitCode != 0 || list == std::string::npos)
        return order;
    std::istringstream ids(result.out.substr(list + 1));
    std::string id;
    while (std::getline(ids, id, ','))
        order.push_back(std::stoul(id, nullptr, 16));
    return order;
}

bool stackedAbove(WId upper, WId lower)
{
    const std::vector<WId> order = stackingOrder();
    const auto upperAt = std::find(order.begin(), order.end(), upper);
    const auto lowerAt = std::find(order.begin(), order.end(), lower);
    return upperAt != order.end() && lowerAt != order.end() && upperAt > lowerAt;
}

// Shows a box through the prompter and answers it once check() holds (or at the deadline);
// true when check() held while the box was open.
bool whileBoxIsOpen(QWidget* parent, const std::string& title, const std::function<bool()>& check)
{
    QtPrompter prompter(parent);
    bool held = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        held = check();
        if (held || clock.elapsed() > test::DefaultTimeout.count())
            box->done(QMessageBox::Ok);
    });
    poll.start();
    prompter.show(MessageBox{title, BoxIcon::Critical, BoxButtons::Ok, {"line"}});
    return held;
}

bool boxAppearsOnScreen(QWidget* parent, const std::string& title)
{
    return whileBoxIsOpen(
        parent, title, [&] { return !test::FindWindowsByTitle(UiSession(), title, true).empty(); });
}

TEST_F(LullexMainX11Test, BoxShowsWhileTheMainWindowIsInTheTray)
{
    window.hideWindow();
    EXPECT_TRUE(boxAppearsOnScreen(&window, "Lullex Port Error"));
}

TEST_F(LullexMainX11Test, BoxStandsAboveTheCountdownWindow)
{
    window.setTopmost(true);
    ASSERT_TRUE(waitForState("_NET_WM_STATE_ABOVE", true));
    const WId main = window.windowHandle()->winId();
    EXPECT_TRUE(whileBoxIsOpen(&window, "Lullex Simulate Power Off", [&] {
        auto* box = QApplication::activeModalWidget();
        return box->windowHandle() && stackedAbove(box->windowHandle()->winId(), main);
    }));
}

TEST(LullexMainX11StartTest, BoxShowsBeforeTheMainWindowEverShowed)
{
    LullexMain neverShown;
    EXPECT_TRUE(boxAppearsOnScreen(&neverShown, "Lullex Configuration File Error"));
}

}  // namespace
}  // namespace lullex
