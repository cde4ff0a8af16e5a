#include "qt_main_timer.h"

#include "ui_test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace lullex {
namespace {

class QtMainTimerTest : public testing::Test {
protected:
    void SetUp() override
    {
        QObject::connect(&timer, &QtMainTimer::ticked, [this] { ++ticks; });
    }

    QtMainTimer timer;
    int ticks = 0;
};

TEST_F(QtMainTimerTest, TicksTwiceASecond)
{
    QElapsedTimer clock;
    clock.start();
    timer.start();
    ASSERT_TRUE(test::WaitUntil([&] { return ticks >= 4; }));
    // Four ticks of 500 ms cannot come sooner than 2 s (a precise timer fires at most a
    // millisecond early).
    EXPECT_GE(clock.elapsed(), 1990);
}

TEST_F(QtMainTimerTest, StopEndsTheTicks)
{
    timer.start();
    ASSERT_TRUE(test::WaitUntil([&] { return ticks >= 1; }));
    timer.stop();
    EXPECT_FALSE(timer.isActive());
    const int stoppedAt = ticks;
    // Absence can only be shown by waiting: more than two intervals with events running.
    EXPECT_TRUE(test::StaysTrueFor([&] { return ticks == stoppedAt; },
                                   std::chrono::milliseconds(3 * QtMainTimer::IntervalMs)));
}

TEST_F(QtMainTimerTest, StartingARunningTimerKeepsItsPhase)
{
    QElapsedTimer clock;
    clock.start();
    timer.start();
    while (clock.elapsed() < 450) {
        // Spin without running events, as a long handler would.
    }
    QElapsedTimer sinceSecondStart;
    sinceSecondStart.start();
    timer.start();
    ASSERT_TRUE(test::WaitUntil([&] { return ticks >= 1; }));
    // The tick was due about 50 ms after the second start; a restart would put it at 500 ms.
    EXPECT_LT(sinceSecondStart.elapsed(), 400) << "the second start restarted the interval";
}

TEST_F(QtMainTimerTest, StartAfterStopRunsAgain)
{
    timer.start();
    timer.stop();
    timer.start();
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(test::WaitUntil([&] { return ticks >= 1; }));
}

}  // namespace
}  // namespace lullex
