#include "config_reader.h"
#include "config_writer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

namespace lullex {
namespace {

struct TextCase {
    const char* name;
    std::string text;
};

void PrintTo(const TextCase& textCase, std::ostream* out)
{
    *out << textCase.name;
}

class TextSavedAndReadBack : public testing::TestWithParam<TextCase> {};

// A text the reader took from a file comes back unchanged after a save without edits.
TEST_P(TextSavedAndReadBack, IsUnchanged)
{
    ConfigScreenValues values;
    values.ipAddText = GetParam().text;
    values.logNameText = GetParam().text;
    values.logPathText = GetParam().text;
    std::istringstream saved(configFileText(RoleMaster, values, "07-Dec-26 08:00:00"));
    const ConfigReadResult read = readConfigLines(saved);
    ASSERT_EQ(read.status, ReadStatus::Read);
    EXPECT_EQ(read.settings.IPAdd, GetParam().text);
    EXPECT_EQ(read.settings.LogName, GetParam().text);
    EXPECT_EQ(read.settings.LogPath, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextSavedAndReadBack,
                         testing::Values(TextCase{"LoneCarriageReturnInside", "Log/\r\x04"},
                                         TextCase{"CarriageReturnLast", "Log/\r"},
                                         TextCase{"LeadingBlankAndTab", " Lullex\t.log"},
                                         TextCase{"WindowsPath", "C:\\Lullex\\Log\\"},
                                         TextCase{"Empty", ""}),
                         [](const testing::TestParamInfo<TextCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace lullex
