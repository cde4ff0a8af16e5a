#include <QCoreApplication>

#include <gtest/gtest.h>

// Sockets and name look-ups deliver their results through the Qt event loop.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
