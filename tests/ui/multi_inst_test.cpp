#include "multi_inst.h"

#include "seam_fakes.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace lullex {
namespace {

// For the checks that must not end the test process; a call would fail the test loudly. The
// real end is checked in a child process below.
using test::ThrowingTerminator;

TEST(MultiInstTest, SaysThatLullexAlreadyRuns)
{
    ThrowingTerminator terminator;
    MultiInst window(terminator);
    EXPECT_EQ(window.windowTitle().toStdString(), "Lullex Start Up Error");

    auto* message = window.findChild<QLabel*>(QStringLiteral("ErrorMess"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text().toStdString(), "Lullex or Lullex Lite is already\n"
                                             "running. Only one instance can be running at a "
                                             "time.");
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("Exit"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text().toStdString(), "OK");
    auto* logo = window.findChild<QLabel*>(QStringLiteral("Logo"));
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
}

TEST(MultiInstTest, OkEndsTheProgramWithCodeZero)
{
    const test::HelperRun run = test::RunHelper({"multi-inst"});
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardOutput, "") << "the program went on after OK";
}

TEST(MultiInstTest, LogoClickIsReported)
{
    ThrowingTerminator terminator;
    MultiInst window(terminator);
    window.show();
    ASSERT_TRUE(test::WaitUntilExposed(window));
    int clicks = 0;
    QObject::connect(&window, &MultiInst::logoClicked, [&] { ++clicks; });
    QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("Logo")), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace lullex
