// The compositor's idle notification, through our own connection to a real headless
// compositor with real input: sway 1.7 offers org_kde_kwin_idle, KWin ext-idle-notify-v1.
#include "wayland_compositor.h"
#include "wayland_idle_source.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

namespace lullex {

void PrintTo(Activity activity, std::ostream* out)
{
    *out << (activity == Activity::Active ? "Active"
             : activity == Activity::Idle ? "Idle"
                                          : "Unknown");
}

namespace test {
namespace {

using std::chrono::milliseconds;

struct CompositorCase {
    const char* name;
    CompositorKind kind;
    const char* sourceName;
};

void PrintTo(const CompositorCase& c, std::ostream* out)
{
    *out << c.name;
}

class WaylandIdleSourceTest : public ::testing::TestWithParam<CompositorCase> {
protected:
    void SetUp() override
    {
        m_compositor = std::make_unique<WaylandCompositor>(GetParam().kind);
        m_source = std::make_unique<WaylandIdleSource>(m_compositor->display());
    }

    // Waits for the compositor's "idled" and starts a fresh sample window.
    void settle()
    {
        ASSERT_TRUE(WaitUntil([&] {
            m_source->drainEvents();
            return m_source->compositorSaysIdle();
        })) << m_compositor->describe();
        m_source->sample();
        ASSERT_EQ(m_source->sample().activity, Activity::Idle) << m_compositor->describe();
    }

    // The compositor has said "resumed" after the input.
    void waitForResume()
    {
        ASSERT_TRUE(WaitUntil([&] {
            m_source->drainEvents();
            return !m_source->compositorSaysIdle();
        })) << m_compositor->describe();
    }

    std::unique_ptr<WaylandCompositor> m_compositor;
    std::unique_ptr<WaylandIdleSource> m_source;
};

TEST_P(WaylandIdleSourceTest, KeyPointerAndQuickTapAreActiveAndAQuietSecondIsIdle)
{
    EXPECT_EQ(m_source->name(), GetParam().sourceName);

    settle();
    m_compositor->tapKey();
    waitForResume();
    EXPECT_EQ(m_source->sample().activity, Activity::Active) << "key press";

    settle();
    m_compositor->movePointer();
    waitForResume();
    EXPECT_EQ(m_source->sample().activity, Activity::Active) << "pointer move";

    // A tap whose "idled" has already followed still counts once, at the next sample.
    settle();
    m_compositor->tapKey();
    const auto tapped = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([&] {
        m_source->drainEvents();
        return std::chrono::steady_clock::now() - tapped > milliseconds(1500) &&
               m_source->compositorSaysIdle();
    })) << m_compositor->describe();
    EXPECT_EQ(m_source->sample().activity, Activity::Active) << "quick tap";
    EXPECT_EQ(m_source->sample().activity, Activity::Idle) << "after the tap";
    EXPECT_FALSE(m_source->sample().detail.has_value());
}

const CompositorCase Compositors[] = {
    {"Sway", CompositorKind::Sway, "kde-idle"},
    {"KWin", CompositorKind::KWin, "ext-idle"},
};

INSTANTIATE_TEST_SUITE_P(Compositors, WaylandIdleSourceTest, ::testing::ValuesIn(Compositors),
                         [](const ::testing::TestParamInfo<CompositorCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(WaylandIdleSourceLossTest, ACompositorThatGoesAwayLeavesUnknown)
{
    auto compositor = std::make_unique<WaylandCompositor>(CompositorKind::Sway);
    WaylandIdleSource source(compositor->display());
    compositor.reset();
    ASSERT_TRUE(WaitUntil([&] {
        source.drainEvents();
        return source.failed();
    }));
    EXPECT_EQ(source.sample().activity, Activity::Unknown);
    EXPECT_EQ(source.sample().activity, Activity::Unknown);
}

TEST(WaylandIdleSourceRefusalTest, SaysWhatIsMissing)
{
    WaylandCompositor weston(CompositorKind::Weston);
    try {
        WaylandIdleSource source(weston.display());
        FAIL() << "Weston offers no idle notification";
    } catch (const WaylandIdleError& error) {
        EXPECT_STREQ(error.what(),
                     "the compositor offers neither ext-idle-notify-v1 nor org_kde_kwin_idle");
    }
    const std::string gone = weston.display() + "-gone";
    try {
        WaylandIdleSource source(gone);
        FAIL() << "nothing listens there";
    } catch (const WaylandIdleError& error) {
        EXPECT_EQ(error.what(), "the Wayland compositor \"" + gone + "\" cannot be reached");
    }
}

}  // namespace
}  // namespace test
}  // namespace lullex
