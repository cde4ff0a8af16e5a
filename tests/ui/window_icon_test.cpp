#include "window_icon.h"

#include <QImage>

#include <gtest/gtest.h>

namespace lullex {
namespace {

// The mark is built into the program from the installed icon file; a build that lost it would
// draw nothing and show empty icons and logos without any error.
class WindowIconTest : public testing::TestWithParam<int> {};

TEST_P(WindowIconTest, DrawsTheOrangeDiscWithTheWhitePowerBar)
{
    const int size = GetParam();
    const QImage mark = LullexIcon().pixmap(size, size).toImage();
    ASSERT_EQ(mark.size(), QSize(size, size));
    auto at = [&](double x, double y) { return mark.pixelColor(int(x * size), int(y * size)); };

    EXPECT_EQ(at(0.12, 0.5), QColor(255, 128, 0)) << "beside the ring";
    EXPECT_EQ(at(0.5, 0.3), QColor(Qt::white)) << "on the bar";
    EXPECT_EQ(at(0.5, 0.72), QColor(Qt::white)) << "on the ring's bottom";
    EXPECT_EQ(at(0.0, 0.0).alpha(), 0) << "the corner outside the disc";
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowIconTest, testing::Values(32, 48, 64, 128));

TEST(WindowIconTest, LogoIsTheSameMark)
{
    EXPECT_EQ(LullexLogo(64).toImage(), LullexIcon().pixmap(64, 64).toImage());
}

}  // namespace
}  // namespace lullex
