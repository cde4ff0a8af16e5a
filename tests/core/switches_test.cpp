#include "switches.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

TEST(ReadSwitchesTest, InhibitAtTheStartAndAllowMultiAtTheEnd)
{
    struct SwitchCase {
        const char* argumentText;
        bool allowMulti;
        bool inhibitShutdown;
    };
    const SwitchCase cases[] = {
        {"", false, false},
        {"-AllowMulti", true, false},
        {"-InhibitShutdown", false, true},
        {"-InhibitShutdown -AllowMulti", true, true},
        {"-AllowMulti -InhibitShutdown", false, false},
        {"-allowmulti", false, false},
        {"-inhibitshutdown", false, false},
        {"-InhibitShutdownNow", false, true},
        {"x-AllowMulti", true, false},
        {" -InhibitShutdown", false, false},
        {"-AllowMulti ", false, false},
        {"-AllowMult", false, false},
        {"-InhibitShutdow", false, false},
    };
    for (const SwitchCase& c : cases) {
        const Switches switches = ReadSwitches(c.argumentText);
        EXPECT_EQ(switches.allowMulti, c.allowMulti) << '"' << c.argumentText << '"';
        EXPECT_EQ(switches.inhibitShutdown, c.inhibitShutdown) << '"' << c.argumentText << '"';
    }
}

TEST(ArgumentTextTest, JoinsTheArgumentsWithSingleBlanks)
{
    EXPECT_EQ(ArgumentText({}), "");
    EXPECT_EQ(ArgumentText({"-AllowMulti"}), "-AllowMulti");
    EXPECT_EQ(ArgumentText({"-InhibitShutdown", "-AllowMulti"}), "-InhibitShutdown -AllowMulti");
    EXPECT_EQ(ArgumentText({"a b", "", "c"}), "a b  c");
}

}  // namespace
}  // namespace lullex::test
