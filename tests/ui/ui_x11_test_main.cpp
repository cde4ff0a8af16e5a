#include "ui_x11_session.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace lullex::test {
namespace {

XSession* sharedSession = nullptr;

}  // namespace

XSession& UiSession()
{
    return *sharedSession;
}

}  // namespace lullex::test

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    // The display, window manager and tray host must outlive the application's connection.
    auto session = std::make_unique<lullex::test::XSession>(
        lullex::test::XSessionOptions{.windowManager = true, .sessionBus = true, .trayHost = true});
    session->applyToThisProcess();
    lullex::test::sharedSession = session.get();
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    lullex::test::sharedSession = nullptr;
    return result;
}
