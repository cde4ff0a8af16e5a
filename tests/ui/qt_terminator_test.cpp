#include "ui_test_support.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

struct EndCase {
    const char* mode;
    int code;
    const char* output;
};

void PrintTo(const EndCase& row, std::ostream* out)
{
    *out << row.mode << " " << row.code;
}

class QtTerminatorTest : public testing::TestWithParam<EndCase> {};

// The helper writes "pending output" and "pending error" into full buffers and registers an
// exit handler before it ends the program from inside the event loop.
TEST_P(QtTerminatorTest, EndsAtOnceWithTheCodeAfterRemovingTheTrayIconAndFlushing)
{
    const EndCase& row = GetParam();
    const test::HelperRun run = test::RunHelper({row.mode, std::to_string(row.code)});
    EXPECT_EQ(run.exitCode, row.code);
    EXPECT_EQ(run.standardOutput, row.output);
    EXPECT_EQ(run.standardError, "pending error\n");
}

INSTANTIATE_TEST_SUITE_P(
    EveryEnd, QtTerminatorTest,
    testing::Values(EndCase{"terminate", 0, "pending output\ntray icon removed\n"},
                    EndCase{"terminate", 1, "pending output\ntray icon removed\n"},
                    EndCase{"terminate", 2, "pending output\ntray icon removed\n"},
                    EndCase{"terminate-bare", 1, "pending output\n"}));

}  // namespace
}  // namespace lullex
