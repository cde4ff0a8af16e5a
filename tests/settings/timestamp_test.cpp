#include "settings_fakes.h"
#include "timestamp.h"

#include <clocale>
#include <gtest/gtest.h>
#include <tuple>

namespace lullex {
namespace {

TEST(Timestamp, UsesTwoDigitFieldsAndTheAbbreviatedMonth)
{
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, 1, 5, 7, 3, 9)), "05-Jan-26 07:03:09");
    EXPECT_EQ(FormatTimestamp(LocalTime(2000, 12, 31, 23, 59, 58)), "31-Dec-00 23:59:58");
}

// Two months of a locale and the names they get: its own only where its twelve three-letter
// forms are distinct and three columns wide, else English. Whole lines, so the width is checked.
using LocaleMonths = std::tuple<const char*, int, const char*, int, const char*>;

class TimestampInLocale : public testing::TestWithParam<LocaleMonths> {
protected:
    void TearDown() override { std::setlocale(LC_TIME, "C"); }
};

TEST_P(TimestampInLocale, GivesEveryMonthItsOwnThreeColumnName)
{
    const auto [locale, month, name, otherMonth, otherName] = GetParam();
    if (!std::setlocale(LC_TIME, locale))
        GTEST_SKIP() << "the locale " << locale << " is not installed (scripts/setup.sh)";
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, month, 5, 7, 3, 9)),
              std::string("05-") + name + "-26 07:03:09");
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, otherMonth, 5, 7, 3, 9)),
              std::string("05-") + otherName + "-26 07:03:09");
}

INSTANTIATE_TEST_SUITE_P(Locales, TimestampInLocale,
                         testing::Values(LocaleMonths{"fr_FR.UTF-8", 6, "Jun", 7, "Jul"},
                                         LocaleMonths{"lt_LT.UTF-8", 8, "Aug", 9, "Sep"},
                                         LocaleMonths{"fa_IR.UTF-8", 5, "May", 6, "Jun"},
                                         LocaleMonths{"ja_JP.UTF-8", 1, "Jan", 12, "Dec"},
                                         LocaleMonths{"de_DE.UTF-8", 3, "Mär", 12, "Dez"}));

}  // namespace
}  // namespace lullex
