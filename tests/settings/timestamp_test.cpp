#include "timestamp.h"

#include <clocale>
#include <gtest/gtest.h>

namespace lullex {
namespace {

std::tm makeTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(Timestamp, UsesTwoDigitFieldsAndTheAbbreviatedMonth)
{
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(FormatTimestamp(makeTime(2026, 1, 5, 7, 3, 9)), "05-Jan-26 07:03:09");
    EXPECT_EQ(FormatTimestamp(makeTime(2000, 12, 31, 23, 59, 58)), "31-Dec-00 23:59:58");
}

TEST(Timestamp, KeepsItsWidthInALocaleWithLongerAbbreviations)
{
    if (!std::setlocale(LC_TIME, "fr_FR.UTF-8"))
        GTEST_SKIP() << "the French locale is not installed";
    EXPECT_EQ(FormatTimestamp(makeTime(2026, 1, 5, 7, 3, 9)), "05-jan-26 07:03:09");
    EXPECT_EQ(FormatTimestamp(makeTime(2026, 2, 5, 7, 3, 9)), "05-fév-26 07:03:09");
    std::setlocale(LC_TIME, "C");
}

}  // namespace
}  // namespace lullex
