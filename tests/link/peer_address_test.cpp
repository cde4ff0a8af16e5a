#include "peer_address.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

using namespace std::chrono_literals;
using Clock = HostNameCache::Clock;

constexpr uint32_t quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    return (a << 24) | (b << 16) | (c << 8) | d;
}

TEST(ParseDottedQuadTest, ReadsDecimalParts)
{
    const struct {
        const char* text;
        uint32_t expected;
    } cases[] = {
        {"127.0.0.1", quad(127, 0, 0, 1)},
        {"1.2.3.4", quad(1, 2, 3, 4)},
        {"255.255.255.255", quad(255, 255, 255, 255)},
        {"10.200.1.255", quad(10, 200, 1, 255)},
        // Leading zeros are decimal, never octal.
        {"010.001.002.003", quad(10, 1, 2, 3)},
        {"127.0.0.010", quad(127, 0, 0, 10)},
        {"0000000001.2.3.4", quad(1, 2, 3, 4)},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(ParseDottedQuad(row.text), row.expected) << row.text;
    }
}

TEST(ParseDottedQuadTest, RefusesAnythingElse)
{
    for (const char* text : {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..2.3", ".1.2.3", "1.2.3.4.",
                             " 1.2.3.4", "1.2.3.4 ", "+1.2.3.4", "1.2.3.-4", "0x7f.0.0.1",
                             "localhost", "1.2.3.99999999999999999999"}) {
        EXPECT_EQ(ParseDottedQuad(text), std::nullopt) << text;
    }
}

class HostNameCacheTest : public ::testing::Test {
protected:
    void answer(const std::string& name, std::optional<uint32_t> address)
    {
        ASSERT_TRUE(cache.lookupDue(name, now));
        cache.lookupStarted(name);
        cache.lookupFinished(name, address, now);
    }

    HostNameCache cache;
    Clock::time_point now = Clock::time_point{} + 1000h;
    const uint32_t first = quad(127, 0, 0, 1);
    const uint32_t second = quad(127, 0, 0, 2);
};

TEST_F(HostNameCacheTest, NoAddressBeforeTheFirstAnswer)
{
    EXPECT_TRUE(cache.lookupDue("peer", now));
    cache.lookupStarted("peer");

    EXPECT_EQ(cache.address("peer"), std::nullopt);
    EXPECT_FALSE(cache.lookupDue("peer", now + 10min)) << "one look-up at a time";
}

TEST_F(HostNameCacheTest, AnswerIsKeptForAMinute)
{
    answer("peer", first);

    EXPECT_EQ(cache.address("peer"), first);
    EXPECT_FALSE(cache.lookupDue("peer", now + 59s));
    EXPECT_TRUE(cache.lookupDue("peer", now + 60s));
}

TEST_F(HostNameCacheTest, OldAddressServesWhileTheRefreshRuns)
{
    answer("peer", first);
    now += 61s;
    cache.lookupStarted("peer");

    EXPECT_EQ(cache.address("peer"), first);
    cache.lookupFinished("peer", second, now);
    EXPECT_EQ(cache.address("peer"), second);
    EXPECT_FALSE(cache.lookupDue("peer", now + 1s));
}

TEST_F(HostNameCacheTest, FailedSendAsksAgainAtOnce)
{
    answer("peer", first);
    cache.sendFailed();

    EXPECT_TRUE(cache.lookupDue("peer", now + 1s));
    cache.lookupStarted("peer");
    cache.lookupFinished("peer", second, now + 1s);
    EXPECT_FALSE(cache.lookupDue("peer", now + 2s)) << "a new answer clears the failure";
}

TEST_F(HostNameCacheTest, FailedLookupGivesNoAddressAndIsRetriedLater)
{
    answer("peer", std::nullopt);

    EXPECT_EQ(cache.address("peer"), std::nullopt);
    EXPECT_FALSE(cache.lookupDue("peer", now + 4s));
    EXPECT_TRUE(cache.lookupDue("peer", now + 5s));
}

TEST_F(HostNameCacheTest, NewNameIsLookedUpAndTheOldAnswerNotUsed)
{
    answer("old", first);

    EXPECT_EQ(cache.address("new"), std::nullopt);
    EXPECT_TRUE(cache.lookupDue("new", now));
}

TEST_F(HostNameCacheTest, LateAnswerForAnAbandonedNameIsDropped)
{
    cache.lookupStarted("old");
    cache.lookupStarted("new");
    cache.lookupFinished("old", first, now);

    EXPECT_EQ(cache.address("old"), std::nullopt);
    EXPECT_EQ(cache.address("new"), std::nullopt);
    EXPECT_FALSE(cache.lookupDue("new", now)) << "the look-up of the new name still runs";

    cache.lookupFinished("new", second, now);
    EXPECT_EQ(cache.address("new"), second);
}

}  // namespace
}  // namespace lullex
