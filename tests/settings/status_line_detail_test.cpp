#include "status_line.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

// A source that cannot tell keys from the mouse shows dots in both fields, whatever the flags.
TEST(StatusLineDetailTest, MasterWithoutInputDetailShowsDots)
{
    StatusLineFields fields;
    fields.timestamp = "05-Jan-26 07:03:09";
    fields.event = "Run";
    fields.count = 7;
    fields.logLevel = LogLevelFull;
    fields.role = RoleMaster;
    fields.keyChanged = true;
    fields.inputDetailKnown = false;
    EXPECT_EQ(buildStatusLine(fields),
              "05-Jan-26 07:03:09,  Run      ,           , Count:   7, Key: ....., Mouse: .....");
    fields.logLevel = LogLevelNormal;
    EXPECT_EQ(buildStatusLine(fields), "05-Jan-26 07:03:09,  Run      ,           , Count:   7");
    fields.logLevel = LogLevelFull;
    fields.role = RoleSlave;
    fields.commsStatus = "Lost";
    EXPECT_EQ(buildStatusLine(fields),
              "05-Jan-26 07:03:09,  Run      ,           , Count:   7, Comms: Lost");
}

}  // namespace
}  // namespace lullex
