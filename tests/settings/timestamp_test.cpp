#include "settings_fakes.h"
#include "timestamp.h"

#include <clocale>
#include <gtest/gtest.h>

namespace lullex {
namespace {

TEST(Timestamp, UsesTwoDigitFieldsAndTheAbbreviatedMonth)
{
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, 1, 5, 7, 3, 9)), "05-Jan-26 07:03:09");
    EXPECT_EQ(FormatTimestamp(LocalTime(2000, 12, 31, 23, 59, 58)), "31-Dec-00 23:59:58");
}

TEST(Timestamp, KeepsItsWidthInALocaleWithLongerAbbreviations)
{
    if (!std::setlocale(LC_TIME, "fr_FR.UTF-8"))
        GTEST_SKIP() << "the French locale is not installed";
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, 1, 5, 7, 3, 9)), "05-jan-26 07:03:09");
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, 2, 5, 7, 3, 9)), "05-fév-26 07:03:09");
    std::setlocale(LC_TIME, "C");
}

}  // namespace
}  // namespace lullex
