// The already-running window answers the keyboard as a dialog does: Enter presses OK and Esc
// closes it; either ends the refused copy and leaves the first one running.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace lullex::test {
namespace {

const char* const Refusal = "Lullex Start Up Error";

TEST(AlreadyRunningWindow, EnterAndEscEndTheRefusedCopy)
{
    XSession session({.windowManager = true});
    ConfigValues waiting = TestModeConfig();
    waiting.StartDelay = 3600;
    LullexProgram first(session, waiting);
    StartCutOff(first, {"-InhibitShutdown"});
    ASSERT_TRUE(WaitForVisibleWindow(session, "Lullex")) << first.describe();

    for (const std::string key : {"Return", "KP_Enter", "Escape"}) {
        SCOPED_TRACE(key);
        ChildProcess& copy = StartAnotherCutOff(first, {"-InhibitShutdown"});
        // A key typed while the window is still being activated may be lost: AnswerBox types
        // it again until the window has gone.
        ASSERT_TRUE(AnswerBox(session, Refusal, key)) << copy.describe();
        EXPECT_EQ(copy.waitForExit(), 0) << copy.describe();
    }
    EXPECT_TRUE(first.process().running()) << first.describe();
}

}  // namespace
}  // namespace lullex::test
