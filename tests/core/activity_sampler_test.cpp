// The sampler over a source that only knows Active, Idle or Unknown (a compositor's idle
// notification, GNOME's idle monitor).
#include "core_fakes.h"
#include "input_sampler.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

// Answers the samples the test queued, then Idle.
class QueuedSource : public ActivitySource {
public:
    ActivitySample sample() override
    {
        if (answers.empty())
            return {Activity::Idle, std::nullopt};
        const ActivitySample next = answers.front();
        answers.pop_front();
        return next;
    }
    void reset() override { ++resets; }
    std::string name() const override { return "kde-idle"; }

    std::deque<ActivitySample> answers;
    int resets = 0;
};

class ActivitySamplerTest : public ::testing::Test {
protected:
    std::vector<bool> run(std::initializer_list<Activity> activities)
    {
        for (Activity activity : activities)
            source.answers.push_back({activity, std::nullopt});
        std::vector<bool> changed;
        for (std::size_t i = 0; i < activities.size(); ++i)
            changed.push_back(sampler.InputChanged());
        return changed;
    }

    AppState state;
    RecordingLog log{state};
    QueuedSource source;
    InputSampler sampler{source, state, log};
};

TEST_F(ActivitySamplerTest, OnlyIdleIsNoActivityAndAFailureIsLoggedWhenItStartsAndEnds)
{
    state.settings.LogLevel = LogLevelNormal;
    EXPECT_EQ(run({Activity::Idle, Activity::Unknown, Activity::Unknown, Activity::Active,
                   Activity::Idle, Activity::Unknown}),
              (std::vector<bool>{false, true, true, true, false, true}));
    EXPECT_EQ(log.entries, (std::vector<LogEntry>{{"InputLost", "kde-idle", false, 0},
                                                  {"InputBack", "kde-idle", false, 0},
                                                  {"InputLost", "kde-idle", false, 0}}));
}

TEST_F(ActivitySamplerTest, AFailingSourceWritesNothingAtLogLevelNone)
{
    state.settings.LogLevel = LogLevelNone;
    run({Activity::Unknown, Activity::Active});
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(ActivitySamplerTest, DetailIsKeptWhereTheSourceHasIt)
{
    source.answers.push_back({Activity::Active, InputDetail{true, false}});
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_TRUE(state.InputDetailKnown);
    EXPECT_TRUE(state.KeyChanged);
    EXPECT_FALSE(state.MouseMoved);

    source.answers.push_back({Activity::Active, std::nullopt});
    EXPECT_TRUE(sampler.InputChanged());
    EXPECT_FALSE(state.InputDetailKnown);
    EXPECT_FALSE(state.KeyChanged);
    EXPECT_FALSE(state.MouseMoved);
}

TEST_F(ActivitySamplerTest, ResetReachesTheSource)
{
    state.KeyChanged = true;
    state.MouseMoved = true;
    sampler.ResetInput();
    EXPECT_EQ(source.resets, 1);
    EXPECT_FALSE(state.KeyChanged);
    EXPECT_FALSE(state.MouseMoved);
}

}  // namespace
}  // namespace lullex::test
