#include "core_fakes.h"
#include "input_sampler.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace lullex::test {
namespace {

std::bitset<256> KeySet(std::initializer_list<int> codes)
{
    std::bitset<256> keys;
    for (int code : codes)
        keys.set(static_cast<std::size_t>(code));
    return keys;
}

class InputSamplerTest : public ::testing::Test {
protected:
    // One sample after a still first one, so that only the change under test counts.
    void settle()
    {
        sampler.ResetInput();
        sampler.InputChanged();
    }

    AppState state;
    ScriptedProbe probe;
    InputSampler sampler{probe, state};
};

TEST(KeyListTextTest, JoinsTheReportedCodesAfterALeadingZero)
{
    EXPECT_EQ(KeyListText(KeySet({})), "0");
    EXPECT_EQ(KeyListText(KeySet({16, 65})), "01665");
    EXPECT_EQ(KeyListText(KeySet({65, 16})), "01665");
    EXPECT_EQ(KeyListText(KeySet({1, 2, 3})), "0123");
    EXPECT_EQ(KeyListText(KeySet({1, 23})), "0123");
    EXPECT_EQ(KeyListText(KeySet({0, 255})), "00255");
}

TEST_F(InputSamplerTest, FirstSampleAfterResetComparesTheCursorWithZero)
{
    probe.moveTo(100, 200);
    sampler.ResetInput();
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.MouseMoved);
    EXPECT_FALSE(state.KeyChanged);

    probe.moveTo(0, 0);
    sampler.ResetInput();
    EXPECT_FALSE(sampler.InputChanged());
    EXPECT_FALSE(state.MouseMoved);
}

TEST_F(InputSamplerTest, OnlyTheCursorSumCounts)
{
    struct Move {
        int dx;
        int dy;
        bool activity;
    };
    const Move moves[] = {
        {1, 0, true},    // one pixel right
        {1, -1, false},  // one pixel right and one up: the same sum
        {0, 1, true},    // one pixel down
        {-3, 3, false},  // left and down alike
        {0, 0, false},   // still
    };
    for (const Move& move : moves) {
        probe.moveTo(500, 500);
        settle();
        probe.moveTo(500 + move.dx, 500 + move.dy);
        EXPECT_EQ(sampler.InputChanged(), move.activity) << move.dx << "," << move.dy;
        EXPECT_EQ(state.MouseMoved, move.activity) << move.dx << "," << move.dy;
        EXPECT_FALSE(state.KeyChanged);
    }
}

TEST_F(InputSamplerTest, KeySetsWithTheSameTextAreNoKeyActivity)
{
    probe.reading.keys = KeySet({1, 2, 3});
    settle();
    probe.reading.keys = KeySet({1, 23});
    EXPECT_FALSE(sampler.InputChanged());
    EXPECT_FALSE(state.KeyChanged);
}

TEST_F(InputSamplerTest, AHeldKeyCountsInTheFirstSampleOnly)
{
    settle();
    probe.press(65);
    std::vector<bool> activity;
    for (int second = 0; second < 10; ++second)
        activity.push_back(sampler.InputChanged());
    EXPECT_EQ(activity, std::vector<bool>(
                            {true, false, false, false, false, false, false, false, false, false}));
    EXPECT_FALSE(state.KeyChanged);
}

TEST_F(InputSamplerTest, AnotherKeyJoiningAHeldOneIsActivity)
{
    probe.press(16);
    settle();
    probe.press(65);
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.KeyChanged);
    EXPECT_FALSE(state.MouseMoved);
}

TEST_F(InputSamplerTest, LettingGoIsNoActivityButTheNextPressIs)
{
    probe.press(65);
    settle();
    probe.release(65);
    EXPECT_FALSE(sampler.InputChanged());
    EXPECT_FALSE(state.KeyChanged);
    // The remembered list is empty again, so the same key pressed anew counts.
    probe.press(65);
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.KeyChanged);
}

TEST_F(InputSamplerTest, AMouseButtonIsKeyActivity)
{
    settle();
    probe.press(1);
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.KeyChanged);
    EXPECT_FALSE(state.MouseMoved);
}

TEST_F(InputSamplerTest, AWheelTurnIsMouseActivityOnce)
{
    settle();
    probe.reading.wheelTurned = true;
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.MouseMoved);
    EXPECT_FALSE(state.KeyChanged);
    EXPECT_FALSE(sampler.InputChanged());
    EXPECT_FALSE(state.MouseMoved);
}

TEST_F(InputSamplerTest, ResetForgetsThePreviousSample)
{
    probe.moveTo(30, 40);
    probe.press(65);
    settle();
    EXPECT_FALSE(sampler.InputChanged());

    sampler.ResetInput();
    EXPECT_FALSE(state.KeyChanged);
    EXPECT_FALSE(state.MouseMoved);
    // The held key and the unchanged cursor count again after the reset.
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.KeyChanged);
    EXPECT_TRUE(state.MouseMoved);
}

TEST_F(InputSamplerTest, ExtremeCoordinatesDoNotOverflowTheSum)
{
    probe.moveTo(INT32_MAX, INT32_MAX);
    settle();
    probe.moveTo(INT32_MAX, INT32_MAX - 1);
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.MouseMoved);
}

}  // namespace
}  // namespace lullex::test
