#include "idle_notification.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lullex {
namespace {

using std::chrono::milliseconds;

// The compositor's events between two samples, in order, and what the sample says.
struct LatchCase {
    const char* name;
    std::string events;  // 'i' idled, 'r' resumed
    Activity expected;
};

TEST(IdleLatchTest, ASampleIsActiveUnlessTheCompositorSaidIdledAndNoResumeSince)
{
    const LatchCase cases[] = {
        {"nothing said yet: someone may be there", "", Activity::Active},
        {"idled", "i", Activity::Idle},
        {"input after idled", "ir", Activity::Active},
        {"a quick tap: resumed, then idled again", "iri", Activity::Active},
        {"two taps", "iriri", Activity::Active},
    };
    for (const LatchCase& c : cases) {
        IdleLatch latch;
        for (char event : c.events)
            event == 'i' ? latch.idled() : latch.resumed();
        EXPECT_EQ(latch.take(), c.expected) << c.name;
    }
}

TEST(IdleLatchTest, AResumeCountsAtOneSampleOnly)
{
    IdleLatch latch;
    latch.idled();
    latch.resumed();
    latch.idled();
    EXPECT_EQ(std::vector<Activity>({latch.take(), latch.take()}),
              std::vector<Activity>({Activity::Active, Activity::Idle}));
}

struct IdleTimeCase {
    const char* name;
    std::optional<milliseconds> idle;
    milliseconds sinceSample;
    Activity expected;
};

TEST(IdleTimeTest, InputSinceThePreviousSampleIsActive)
{
    using ms = milliseconds;
    const IdleTimeCase cases[] = {
        {"no answer", std::nullopt, ms(1000), Activity::Unknown},
        {"input 300 ms ago", ms(300), ms(1000), Activity::Active},
        {"input just before the previous sample", ms(1010), ms(1000), Activity::Idle},
        {"input at the previous sample", ms(1000), ms(1000), Activity::Idle},
        {"quiet for a while", ms(9000), ms(1000), Activity::Idle},
        {"a late sample still sees input 1.5 s ago", ms(1500), ms(2000), Activity::Active},
    };
    for (const IdleTimeCase& c : cases)
        EXPECT_EQ(ActivityFromIdleTime(c.idle, c.sinceSample), c.expected) << c.name;
}

}  // namespace
}  // namespace lullex
