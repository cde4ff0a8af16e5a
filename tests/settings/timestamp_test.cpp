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

struct LocaleMonths {
    const char* locale;
    int month;
    const char* expected;
    int otherMonth;
    const char* otherExpected;
};

void PrintTo(const LocaleMonths& row, std::ostream* out)
{
    *out << row.locale;
}

class TimestampInLocale : public testing::TestWithParam<LocaleMonths> {
protected:
    void TearDown() override { std::setlocale(LC_TIME, "C"); }
};

// The month field is the locale's own only where its twelve three-letter forms are distinct
// and three columns wide; otherwise English, so no two months share a name or shift the line.
TEST_P(TimestampInLocale, GivesEveryMonthItsOwnThreeColumnName)
{
    const LocaleMonths& row = GetParam();
    if (!std::setlocale(LC_TIME, row.locale))
        GTEST_SKIP() << "the locale " << row.locale << " is not installed (scripts/setup.sh)";
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, row.month, 5, 7, 3, 9)),
              std::string("05-") + row.expected + "-26 07:03:09");
    EXPECT_EQ(FormatTimestamp(LocalTime(2026, row.otherMonth, 5, 7, 3, 9)),
              std::string("05-") + row.otherExpected + "-26 07:03:09");
}

INSTANTIATE_TEST_SUITE_P(
    Locales, TimestampInLocale,
    testing::Values(LocaleMonths{"fr_FR.UTF-8", 6, "Jun", 7, "Jul"},   // "juin", "juil."
                    LocaleMonths{"lt_LT.UTF-8", 8, "Aug", 9, "Sep"},   // "rugp.", "rugs."
                    LocaleMonths{"fa_IR.UTF-8", 5, "May", 6, "Jun"},   // a two-letter May
                    LocaleMonths{"ja_JP.UTF-8", 1, "Jan", 12, "Dec"},  // " 1月" is four columns
                    LocaleMonths{"de_DE.UTF-8", 3, "Mär", 12, "Dez"}),
    [](const testing::TestParamInfo<LocaleMonths>& info) {
        return std::string(info.param.locale).substr(0, 5);
    });

}  // namespace
}  // namespace lullex
