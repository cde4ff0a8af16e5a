#include "status_line.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

struct StatusLineCase {
    const char* name;
    StatusLineFields fields;
    std::string expected;
};

void PrintTo(const StatusLineCase& c, std::ostream* out)
{
    *out << c.name;
}

const char* const Time = "05-Jan-26 07:03:09";

StatusLineFields normal(const char* event, const char* detail, int16_t count = 0)
{
    StatusLineFields fields;
    fields.timestamp = Time;
    fields.event = event;
    fields.detail = detail;
    fields.count = count;
    return fields;
}

StatusLineFields testRun(const char* event, const char* detail)
{
    StatusLineFields fields = normal(event, detail);
    fields.testRun = true;
    return fields;
}

StatusLineFields full(int16_t role, const char* event, const char* detail)
{
    StatusLineFields fields = normal(event, detail, 598);
    fields.logLevel = LogLevelFull;
    fields.role = role;
    return fields;
}

StatusLineFields fullMaster(bool key, bool mouse)
{
    StatusLineFields fields = full(RoleMaster, "Run", "");
    fields.keyChanged = key;
    fields.mouseMoved = mouse;
    return fields;
}

StatusLineFields fullSlave(const char* comms)
{
    StatusLineFields fields = full(RoleSlave, "Run", "");
    fields.commsStatus = comms;
    return fields;
}

StatusLineFields normalSlave()
{
    StatusLineFields fields = normal("Enter", "Run");
    fields.role = RoleSlave;
    fields.commsStatus = "-OK-";
    fields.keyChanged = true;
    return fields;
}

const StatusLineCase Cases[] = {
    {"EventAndDetailArePadded", normal("Enter", "Run"),
     "05-Jan-26 07:03:09,  Enter    , Run       , Count:   0"},
    {"TestRunMarksTheEvent", testRun("Enter", "Test"),
     "05-Jan-26 07:03:09, *Enter    , Test      , Count:   0"},
    {"DetailOfTenFillsItsField", normal("Start", "Initialise"),
     "05-Jan-26 07:03:09,  Start    , Initialise, Count:   0"},
    {"SeparatorLosesOneHyphenToTheMarker", normal("----------", "----------"),
     "05-Jan-26 07:03:09,  ---------, ----------, Count:   0"},
    {"SeparatorInATestRun", testRun("----------", "----------"),
     "05-Jan-26 07:03:09, *---------, ----------, Count:   0"},
    {"NineCharacterEventFillsItsField", normal("Hibernate", "Simulate"),
     "05-Jan-26 07:03:09,  Hibernate, Simulate  , Count:   0"},
    {"LongDetailIsCut", normal("Reset", "Initialised now"),
     "05-Jan-26 07:03:09,  Reset    , Initialise, Count:   0"},
    {"EmptyDetailIsAllSpaces", normal("Inactive", ""),
     "05-Jan-26 07:03:09,  Inactive ,           , Count:   0"},
    {"CountOfOneDigit", normal("Run", "", 7),
     "05-Jan-26 07:03:09,  Run      ,           , Count:   7"},
    {"NegativeCount", normal("Run", "", -1),
     "05-Jan-26 07:03:09,  Run      ,           , Count:  -1"},
    {"FourDigitCountFillsItsField", normal("Run", "", 1800),
     "05-Jan-26 07:03:09,  Run      ,           , Count:1800"},
    {"LongCountKeepsItsLastDigits", normal("Run", "", 12345),
     "05-Jan-26 07:03:09,  Run      ,           , Count:2345"},
    {"LongNegativeCountKeepsItsLastCharacters", normal("Run", "", -1234),
     "05-Jan-26 07:03:09,  Run      ,           , Count:1234"},
    {"NormalLevelSlaveHasNoExtraFields", normalSlave(),
     "05-Jan-26 07:03:09,  Enter    , Run       , Count:   0"},
    {"FullMasterKeyTrueIsPaddedToFive", fullMaster(true, false),
     "05-Jan-26 07:03:09,  Run      ,           , Count: 598, Key: True , Mouse: False"},
    {"FullMasterMouseTrueIsNotPadded", fullMaster(false, true),
     "05-Jan-26 07:03:09,  Run      ,           , Count: 598, Key: False, Mouse: True"},
    {"FullSlaveShowsTheLinkWord", fullSlave("-OK-"),
     "05-Jan-26 07:03:09,  Run      ,           , Count: 598, Comms: -OK-"},
    {"FullSlaveAfterAReset", fullSlave("...."),
     "05-Jan-26 07:03:09,  Run      ,           , Count: 598, Comms: ...."},
};

class StatusLineTest : public ::testing::TestWithParam<StatusLineCase> {};

TEST_P(StatusLineTest, BuildsTheWholeLine)
{
    EXPECT_EQ(buildStatusLine(GetParam().fields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StatusLineTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex
