#include "qt_main_timer.h"

#include "ui_test_support.h"

#include <QElapsedTimer>
#include <QTimer>

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
    // Started again every 100 ms, a timer that restarted its interval would never tick.
    QTimer restarter;
    restarter.setInterval(QtMainTimer::IntervalMs / 5);
    QObject::connect(&restarter, &QTimer::timeout, [this] { timer.start(); });
    timer.start();
    restarter.start();
    EXPECT_TRUE(test::WaitUntil([&] { return ticks >= 3; })) << "the starts restarted the interval";
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
