#include "link_tag.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace lullex {
namespace {

using namespace std::string_literals;

struct TagCase {
    const char* name;
    std::string datagram;
    std::optional<TagCommand> expected;
};

std::ostream& operator<<(std::ostream& out, const TagCase& tagCase)
{
    return out << tagCase.name;
}

class ReadTagTest : public ::testing::TestWithParam<TagCase> {};

TEST_P(ReadTagTest, ReadsCommandOrRejects)
{
    EXPECT_EQ(ReadTag(GetParam().datagram), GetParam().expected) << GetParam().datagram;
}

const std::string MaxPayload(99, 'p');

INSTANTIATE_TEST_SUITE_P(
    ValidTags, ReadTagTest,
    ::testing::Values(
        TagCase{"FirstHeartbeat", "<LXA000>", TagCommand::Heartbeat},
        TagCase{"Heartbeat", "<LXA100>", TagCommand::Heartbeat},
        TagCase{"Cancel", "<LXC000>", TagCommand::Cancel},
        TagCase{"Test", "<LXT000>", TagCommand::Test},
        TagCase{"CancelWithOnePayloadByte", "<LXC001x>", TagCommand::Cancel},
        TagCase{"TestWithTwoPayloadBytes", "<LXT002ab>", TagCommand::Test},
        TagCase{"UnknownCodeIsHeartbeat", "<LXB700>", TagCommand::Heartbeat},
        TagCase{"CodeC1IsNotCancel", "<LXC100>", TagCommand::Heartbeat},
        TagCase{"LowerCaseCodeIsNotCancel", "<LXc000>", TagCommand::Heartbeat},
        TagCase{"ClosingByteAsPayload", "<LXA001>>", TagCommand::Heartbeat},
        TagCase{"NulByteInPayload", "<LXA001\0>"s, TagCommand::Heartbeat},
        TagCase{"TwoByteCharacterCountsTwo", "<LXA002\xC3\xA9>", TagCommand::Heartbeat},
        TagCase{"LongestPayload", "<LXA099" + MaxPayload + ">", TagCommand::Heartbeat}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    BadTags, ReadTagTest,
    ::testing::Values(TagCase{"LengthZeroWithExtraByte", "<LXA0001>", std::nullopt},
                      TagCase{"LengthOneWithoutPayload", "<LXC001>", std::nullopt},
                      TagCase{"LengthOneWithTwoPayloadBytes", "<LXC001xy>", std::nullopt},
                      TagCase{"TwoByteCharacterCountedAsOne", "<LXA001\xC3\xA9>", std::nullopt},
                      TagCase{"Empty", "", std::nullopt},
                      TagCase{"SevenBytes", "<LXA00>", std::nullopt},
                      TagCase{"FrameOnly", "<LX>", std::nullopt},
                      TagCase{"NoClosingByte", "<LXA1000", std::nullopt},
                      TagCase{"TrailingLineFeed", "<LXA100>\n", std::nullopt},
                      TagCase{"LeadingSpace", " <LXA100>", std::nullopt},
                      TagCase{"NoOpeningByte", "LXA1000>", std::nullopt},
                      TagCase{"LowerCaseMarker", "<lxA100>", std::nullopt},
                      TagCase{"LengthLettersOnly", "<LXA1xx>", std::nullopt},
                      TagCase{"LengthWithLeadingSpace", "<LXA1 1x>", std::nullopt},
                      TagCase{"LengthWithTrailingSpace", "<LXA11 x>", std::nullopt},
                      TagCase{"LengthWithPlusSign", "<LXA1+1x>", std::nullopt},
                      TagCase{"LengthWithMinusSign", "<LXA1-0>", std::nullopt},
                      TagCase{"PayloadBeyondTheLengthField", "<LXA099" + MaxPayload + "p>",
                              std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuildTagTest, BuildsTheTagsAMasterSends)
{
    EXPECT_EQ(BuildTag("A0"), "<LXA000>");
    EXPECT_EQ(BuildTag("A1"), "<LXA100>");
    EXPECT_EQ(BuildTag("C0"), "<LXC000>");
    EXPECT_EQ(BuildTag("T0"), "<LXT000>");
}

TEST(BuildTagTest, WritesPayloadLengthAsTwoDigits)
{
    EXPECT_EQ(BuildTag("C0", "x"), "<LXC001x>");
    EXPECT_EQ(BuildTag("A1", "0123456789"), "<LXA1100123456789>");
    EXPECT_EQ(BuildTag("A1", MaxPayload), "<LXA199" + MaxPayload + ">");
}

TEST(BuildTagTest, WhatItBuildsReadsBack)
{
    const struct {
        const char* code;
        std::size_t payloadLength;
        TagCommand command;
    } cases[] = {{"C0", 0, TagCommand::Cancel},
                 {"T0", 9, TagCommand::Test},
                 {"A1", 10, TagCommand::Heartbeat},
                 {"Z9", 99, TagCommand::Heartbeat}};
    for (const auto& row : cases) {
        EXPECT_EQ(ReadTag(BuildTag(row.code, std::string(row.payloadLength, '>'))), row.command)
            << row.code << " with " << row.payloadLength << " payload bytes";
    }
}

TEST(BuildTagTest, RefusesWhatTheFormatCannotHold)
{
    EXPECT_THROW(BuildTag("A"), std::invalid_argument);
    EXPECT_THROW(BuildTag("A10"), std::invalid_argument);
    EXPECT_THROW(BuildTag("A1", std::string(100, 'p')), std::invalid_argument);
}

}  // namespace
}  // namespace lullex
