#include "log_paths.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

struct LogPathCase {
    const char* name;
    const char* logPath;
    const char* logName;
    const char* directory;
    const char* file;
};

void PrintTo(const LogPathCase& c, std::ostream* out)
{
    *out << c.name;
}

const LogPathCase Cases[] = {
    {"DefaultDirectory", "Log/", "Lullex.log", "Log/", "Log/Lullex.log"},
    {"DirectoryFromAWindowsCopy", "Log\\", "Lullex.log", "Log/", "Log/Lullex.log"},
    {"NestedWindowsDirectory", "logs\\lullex\\", "Events.txt", "logs/lullex/",
     "logs/lullex/Events.txt"},
    {"MixedSeparators", "/var/tmp\\lullex/", "Lullex.log", "/var/tmp/lullex/",
     "/var/tmp/lullex/Lullex.log"},
    {"BackslashInTheName", "Log/", "old\\Lullex.log", "Log/", "Log/old/Lullex.log"},
};

class LogPathTest : public ::testing::TestWithParam<LogPathCase> {};

TEST_P(LogPathTest, ReadsEveryBackslashAsASlash)
{
    Settings settings;
    settings.LogPath = GetParam().logPath;
    settings.LogName = GetParam().logName;
    EXPECT_EQ(logDirectoryPath(settings), GetParam().directory);
    EXPECT_EQ(logFilePath(settings), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(Cases, LogPathTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex
