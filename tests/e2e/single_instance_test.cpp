// One copy per user: a second copy shows only the already-running window; "-AllowMulti" lets a
// copy run beside the first without taking the first copy's place.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace lullex::test {
namespace {

const char* const Refusal = "Lullex Start Up Error";
const char* const FirstStart = " Start    , Initialise, Count:3600";

// A copy that stays in its activation delay for the whole test and logs only events, so that
// any line a refused copy wrote would show.
ConfigValues WaitingConfig()
{
    ConfigValues config = TestModeConfig();
    config.StartDelay = 3600;
    config.LogLevel = 2;
    return config;
}

std::size_t VisibleMainWindows(const XSession& session)
{
    return FindWindowsByTitle(session, "Lullex", true).size();
}

// Starts a copy in the program's working directory that must be refused, checks that it
// shows only the refusal (on top, not taking the focus), presses its OK button and checks
// that it ended with 0 without writing to the log.
void ExpectRefused(const XSession& session, LullexProgram& program)
{
    const std::string logBefore = ReadWholeFile(program.logFile());
    const std::size_t mainWindows = VisibleMainWindows(session);
    ChildProcess& copy = StartAnotherCutOff(program, {"-InhibitShutdown"});

    const std::optional<XWindowId> refusal = WaitForVisibleWindow(session, Refusal);
    ASSERT_TRUE(refusal) << copy.describe();
    EXPECT_TRUE(HasState(session, *refusal, "_NET_WM_STATE_ABOVE"));
    // Taking the focus may come a moment after the window shows: it must stay elsewhere.
    EXPECT_TRUE(StaysTrueFor([&] { return ActiveWindow(session) != std::to_string(*refusal); },
                             std::chrono::milliseconds(2000)))
        << "the refusal took the focus";
    EXPECT_EQ(VisibleMainWindows(session), mainWindows) << "the refused copy showed its window";

    // OK is the window's only button and takes the focus when the window is activated.
    ASSERT_TRUE(TypeInto(session, *refusal, "space"));
    EXPECT_EQ(copy.waitForExit(LongTimeout), 0) << copy.describe();
    EXPECT_TRUE(WaitForNoWindowTitled(session, Refusal));
    EXPECT_EQ(ReadWholeFile(program.logFile()), logBefore) << "the refused copy wrote to the log";
}

TEST(SingleInstance, SecondCopyShowsOnlyTheAlreadyRunningWindowAndTheFirstGoesOn)
{
    XSession session({.windowManager = true});
    LullexProgram first(session, WaitingConfig());
    StartCutOff(first, {"-InhibitShutdown"});
    ASSERT_TRUE(first.waitForLine(LineMatch::StartingWith(FirstStart))) << first.describe();
    const std::optional<XWindowId> main = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(main) << first.describe();

    ASSERT_NO_FATAL_FAILURE(ExpectRefused(session, first));

    EXPECT_TRUE(first.process().running()) << first.describe();
    EXPECT_TRUE(IsViewable(session, *main));
    EXPECT_EQ(VisibleMainWindows(session), 1u);
}

TEST(SingleInstance, AllowMultiCopyRunsBesideTheFirstWithoutTakingItsPlace)
{
    XSession session({.windowManager = true});
    LullexProgram first(session, WaitingConfig());
    LullexProgram beside(session, WaitingConfig());
    beside.shareRuntimeDirWith(first);
    StartCutOff(first, {"-InhibitShutdown"});
    ASSERT_TRUE(first.waitForLine(LineMatch::StartingWith(FirstStart))) << first.describe();

    // Both switches: the test mode at the start of the argument text, -AllowMulti at its end.
    StartCutOff(beside, {"-InhibitShutdown", "-AllowMulti"});
    ASSERT_TRUE(beside.waitForLine(LineMatch::StartingWith(FirstStart))) << beside.describe();
    EXPECT_TRUE(WaitUntil([&] { return VisibleMainWindows(session) == 2; }, LongTimeout))
        << beside.describe();

    // A third copy without the switch is still refused while the first runs.
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(session, first));
    EXPECT_TRUE(beside.process().running()) << beside.describe();

    // Once the first copy is gone, a copy without the switch starts: the -AllowMulti copy
    // never took the lock.
    first.process().stop();
    const std::size_t logged = first.logLines().size();
    ChildProcess& next = StartAnotherCutOff(first, {"-InhibitShutdown"});
    EXPECT_TRUE(first.waitForLine(LineMatch::StartingWith(FirstStart), logged)) << next.describe();
    EXPECT_TRUE(WaitUntil([&] { return VisibleMainWindows(session) == 2; }, LongTimeout));
    EXPECT_TRUE(FindWindowsByTitle(session, Refusal).empty());
    EXPECT_TRUE(next.running()) << next.describe();
}

}  // namespace
}  // namespace lullex::test
