#include "qt_event_wait.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// Sockets and name look-ups deliver their results through the Qt event loop, which therefore
// runs while a test waits.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    lullex::test::WaitWithQtEvents();
    return RUN_ALL_TESTS();
}
