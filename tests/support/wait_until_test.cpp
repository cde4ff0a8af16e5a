#include "wait_until.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

using namespace std::chrono_literals;

TEST(WaitUntilTest, ReturnsAsSoonAsTheConditionHolds)
{
    int calls = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(WaitUntil([&] { return ++calls == 3; }, 10s, 1ms));
    EXPECT_EQ(calls, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(WaitUntilTest, GivesUpAtTheDeadlineAfterCheckingThere)
{
    int calls = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitUntil([&] { return ++calls < 0; }, 200ms, 50ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_GE(calls, 2);
}

TEST(WaitUntilTest, ChecksOnceEvenWithNoTimeLeft)
{
    int calls = 0;
    EXPECT_TRUE(WaitUntil([&] { return ++calls == 1; }, 0ms));
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace lullex::test
