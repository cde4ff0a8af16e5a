#include "number_reader.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace lullex {
namespace {

struct NumberCase {
    std::string text;
    double value;
};

void PrintTo(const NumberCase& number, std::ostream* out)
{
    *out << '"' << number.text << '"';
}

class LeadingNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheLeadingDecimalNumber)
{
    EXPECT_EQ(readLeadingNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    testing::Values(NumberCase{"600", 600}, NumberCase{" 600", 600}, NumberCase{"6 0 0", 600},
                    NumberCase{"\t60\n0", 600}, NumberCase{"- 12", -12}, NumberCase{"+7", 7},
                    NumberCase{"4.5", 4.5}, NumberCase{".5", 0.5}, NumberCase{"5.", 5},
                    NumberCase{"1e3", 1000}, NumberCase{"1E+2", 100}, NumberCase{"25e-1", 2.5},
                    NumberCase{"2 e 2", 200}, NumberCase{"1e", 1}, NumberCase{"1e+", 1},
                    NumberCase{"3ex", 3}, NumberCase{"12abc", 12}, NumberCase{"60 seconds", 60},
                    NumberCase{"1.2.3", 1.2}, NumberCase{"1,5", 1}, NumberCase{"abc", 0},
                    NumberCase{"", 0}, NumberCase{"-", 0}, NumberCase{"-.", 0},
                    NumberCase{"&H10", 0}, NumberCase{"1e-400", 0},
                    NumberCase{"0000000000000000000042", 42}));

TEST(LeadingNumberLimits, ANumberBeyondDoublesReadsAsInfinity)
{
    EXPECT_EQ(readLeadingNumber("1e400"), INFINITY);
    EXPECT_EQ(readLeadingNumber("-1e400"), -INFINITY);
}

TEST(LeadingNumberLimits, IgnoresTheUsersDecimalComma)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "the French locale is not installed";
    const double withPoint = readLeadingNumber("4.5");
    const double withComma = readLeadingNumber("4,5");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(withPoint, 4.5);
    EXPECT_EQ(withComma, 4);
}

struct FieldValueCase {
    std::string text;
    std::optional<int32_t> value;  // nullopt: does not fit the field
};

void PrintTo(const FieldValueCase& field, std::ostream* out)
{
    *out << '"' << field.text << '"';
}

class Int16Value : public testing::TestWithParam<FieldValueCase> {};

TEST_P(Int16Value, RoundsHalvesToEvenAndRefusesWhatDoesNotFit)
{
    const std::optional<int16_t> read = readInt16Value(GetParam().text);
    ASSERT_EQ(read.has_value(), GetParam().value.has_value()) << GetParam().text;
    if (read) {
        EXPECT_EQ(*read, *GetParam().value) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Int16Value,
    testing::Values(FieldValueCase{"4.5", 4}, FieldValueCase{"5.5", 6}, FieldValueCase{"-4.5", -4},
                    FieldValueCase{"-5.5", -6}, FieldValueCase{"0.5", 0}, FieldValueCase{"1.5", 2},
                    FieldValueCase{"4.49", 4}, FieldValueCase{"4.51", 5},
                    FieldValueCase{" 600", 600}, FieldValueCase{"abc", 0},
                    FieldValueCase{"32767", 32767}, FieldValueCase{"32767.4", 32767},
                    FieldValueCase{"32767.5", std::nullopt}, FieldValueCase{"-32768", -32768},
                    FieldValueCase{"-32768.5", -32768}, FieldValueCase{"-32769", std::nullopt},
                    FieldValueCase{"40000", std::nullopt}, FieldValueCase{"1e400", std::nullopt},
                    FieldValueCase{"1e-400", 0}));

class Int32Value : public testing::TestWithParam<FieldValueCase> {};

TEST_P(Int32Value, FitsTheWiderField)
{
    const std::optional<int32_t> read = readInt32Value(GetParam().text);
    EXPECT_EQ(read, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, Int32Value,
                         testing::Values(FieldValueCase{"65536", 65536},
                                         FieldValueCase{"40000", 40000},
                                         FieldValueCase{"2147483647", 2147483647},
                                         FieldValueCase{"2147483647.5", std::nullopt},
                                         FieldValueCase{"2147483648", std::nullopt},
                                         FieldValueCase{"-2147483648", INT32_MIN},
                                         FieldValueCase{"-2147483649", std::nullopt}));

class FieldNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(FieldNumber, AlsoReadsHexadecimalAndOctal)
{
    EXPECT_EQ(readFieldNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, FieldNumber,
                         testing::Values(NumberCase{"&H400", 1024}, NumberCase{"&h1f", 31},
                                         NumberCase{"& H 10", 16}, NumberCase{"&O17", 15},
                                         NumberCase{"&o779", 63}, NumberCase{"&HZZ", 0},
                                         NumberCase{"&", 0}, NumberCase{"&X12", 0},
                                         NumberCase{" 600", 600}, NumberCase{"4.9", 4.9},
                                         NumberCase{"60 seconds", 60}));

struct FormatCase {
    std::string text;
    std::string written;
};

void PrintTo(const FormatCase& format, std::ostream* out)
{
    *out << '"' << format.text << '"';
}

class FieldNumberText : public testing::TestWithParam<FormatCase> {};

TEST_P(FieldNumberText, IsTheShortestDecimalFormWithoutRounding)
{
    EXPECT_EQ(formatFieldNumber(GetParam().text), GetParam().written) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, FieldNumberText,
                         testing::Values(FormatCase{"600", "600"}, FormatCase{" 600", "600"},
                                         FormatCase{"0600", "600"}, FormatCase{"00010001", "10001"},
                                         FormatCase{"12.5", "12.5"}, FormatCase{"0.1", "0.1"},
                                         FormatCase{"1e3", "1000"}, FormatCase{"10001.0", "10001"},
                                         FormatCase{"600abc", "600"}, FormatCase{"-0", "0"},
                                         FormatCase{"", "0"}, FormatCase{"-25", "-25"},
                                         FormatCase{"&H400", "1024"}));

}  // namespace
}  // namespace lullex
