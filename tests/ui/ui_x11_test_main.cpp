#include "ui_test_support.h"
#include "x_session.h"

#include <gtest/gtest.h>

// The application connects to the shared X session (Xvfb, openbox, trayer, a session bus),
// which therefore comes up first and goes last.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new lullex::test::XSessionEnvironment(
        {.windowManager = true, .sessionBus = true, .trayHost = true}));
    testing::AddGlobalTestEnvironment(new lullex::test::QtApplicationEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
