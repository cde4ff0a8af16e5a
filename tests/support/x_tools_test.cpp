#include "x_tools.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace lullex::test {
namespace {

using namespace std::chrono_literals;

const auto* const xEnvironment = ::testing::AddGlobalTestEnvironment(new XSessionEnvironment());

// A plain top-level window made directly with Xlib, so the helpers are checked against
// what is known to be on the screen.
class TestWindow {
public:
    TestWindow(const std::string& title, int x, int y, int width, int height)
        : m_display(XOpenDisplay(XSessionEnvironment::session().display().c_str()))
    {
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), x, y, width, height,
                                       0, 0, 0);
        XStoreName(m_display, m_window, title.c_str());
        XMapWindow(m_display, m_window);
        XSync(m_display, False);
    }
    ~TestWindow()
    {
        destroy();
        XCloseDisplay(m_display);
    }
    void destroy()
    {
        if (m_window != 0) {
            XDestroyWindow(m_display, m_window);
            XSync(m_display, False);
            m_window = 0;
        }
    }
    void setStates(const std::vector<std::string>& names)
    {
        std::vector<Atom> atoms;
        for (const auto& name : names) {
            atoms.push_back(XInternAtom(m_display, name.c_str(), False));
        }
        XChangeProperty(m_display, m_window, XInternAtom(m_display, "_NET_WM_STATE", False),
                        XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(atoms.data()),
                        static_cast<int>(atoms.size()));
        XSync(m_display, False);
    }
    void removeStates()
    {
        XDeleteProperty(m_display, m_window, XInternAtom(m_display, "_NET_WM_STATE", False));
        XSync(m_display, False);
    }
    XWindowId id() const { return m_window; }

private:
    Display* m_display;
    Window m_window = 0;
};

const XSession& Session()
{
    return XSessionEnvironment::session();
}

TEST(XToolsTest, FindsAWindowByItsExactTitle)
{
    TestWindow window("Lullex Simulate (Power) Off [1]*", 10, 10, 100, 50);
    TestWindow other("Lullex Simulate (Power) Off [1]* more", 10, 10, 100, 50);
    const auto found = FindWindowByTitle(Session(), "Lullex Simulate (Power) Off [1]*");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, window.id());
    EXPECT_EQ(FindWindowsByTitle(Session(), "Lullex Simulate (Power) Off [1]*"),
              std::vector<XWindowId>{window.id()});
    EXPECT_EQ(WindowTitle(Session(), window.id()), "Lullex Simulate (Power) Off [1]*");
}

TEST(XToolsTest, TitlesDifferingOnlyInCaseDoNotMatch)
{
    TestWindow window("Lullex Start Up Error", 10, 10, 100, 50);
    EXPECT_TRUE(FindWindowsByTitle(Session(), "LULLEX START UP ERROR").empty());
    EXPECT_EQ(FindWindowByTitle(Session(), "lullex start up error", 300ms), std::nullopt);
}

TEST(XToolsTest, WaitsForAWindowToGo)
{
    TestWindow window("Lullex Going", 10, 10, 100, 50);
    ASSERT_TRUE(FindWindowByTitle(Session(), "Lullex Going").has_value());
    EXPECT_FALSE(WaitForNoWindowTitled(Session(), "Lullex Going", 300ms));
    window.destroy();
    EXPECT_TRUE(WaitForNoWindowTitled(Session(), "Lullex Going"));
}

TEST(XToolsTest, ReadsPropertiesAndStates)
{
    TestWindow window("Lullex States", 10, 10, 100, 50);
    window.setStates({});
    EXPECT_EQ(ReadWindowProperty(Session(), window.id(), "_NET_WM_STATE"),
              "_NET_WM_STATE(ATOM) = ");
    EXPECT_EQ(WindowStates(Session(), window.id()), std::vector<std::string>{});
    window.removeStates();
    EXPECT_EQ(ReadWindowProperty(Session(), window.id(), "WM_NAME"),
              "WM_NAME(STRING) = \"Lullex States\"");
    EXPECT_EQ(ReadWindowProperty(Session(), window.id(), "_NET_WM_STATE"),
              "_NET_WM_STATE:  not found.");
    EXPECT_EQ(WindowStates(Session(), window.id()), std::vector<std::string>{});
    window.setStates({"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"});
    EXPECT_EQ(WindowStates(Session(), window.id()),
              (std::vector<std::string>{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"}));
}

TEST(XToolsTest, GivesTheGeometryOfAnUnmanagedWindow)
{
    TestWindow window("Lullex Geometry", 30, 40, 320, 160);
    EXPECT_EQ(GetWindowGeometry(Session(), window.id()), (WindowGeometry{30, 40, 320, 160}));
}

TEST(XToolsTest, ScreenshotIsAPngOfTheWholeScreen)
{
    TempDir dir;
    TakeScreenshot(Session(), dir.file("screen.png"));
    const std::string png = ReadWholeFile(dir.file("screen.png"));
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // The header chunk holds width and height as big-endian 32-bit numbers.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x05\x00\0\0\x03\x20", 8));
}

TEST(XToolsTest, AFailingXdotoolCommandThrowsWithItsMessage)
{
    try {
        Xdotool(Session(), {"getwindowname", "12345678"});
        FAIL() << "no error for a window that does not exist";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("xdotool failed with exit code 1: ", 0), 0u)
            << error.what();
    }
}

}  // namespace
}  // namespace lullex::test
