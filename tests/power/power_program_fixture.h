#pragma once

// The real program on Xvfb, without "-InhibitShutdown", reaching logind only on a private
// system bus that the test started. Each test has its own X session, bus and working directory.
#include "dbus_daemon.h"
#include "e2e_test_support.h"
#include "lullex_program.h"
#include "mock_logind.h"
#include "temp_dir.h"
#include "x_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace lullex::test {

// Log lines without their timestamps, in file order.
using LogFields = std::vector<std::string>;
using Calls = std::vector<std::string>;

// The status lines that every cycle starts with, without their timestamps.
inline const std::string StartInitialise = " Start    , Initialise, Count:   1";
inline const std::string EnterRun = " Enter    , Run       , Count:   0";

// Activation 1 s, idle limit 5 s, countdown 2 s: a whole cycle takes about 8 seconds.
ConfigValues ShortCycle(int shutType, int logLevel);

class PowerProgramTest : public testing::Test {
protected:
    static constexpr std::size_t AllLines = static_cast<std::size_t>(-1);

    void startLogind(const std::string& parametersJson = "{}");
    // Starts the program in the session. It can reach logind only through this address.
    void startProgram(const ConfigValues& config, const std::string& systemBusAddress);
    // The same on the test's own system bus.
    void startProgram(const ConfigValues& config);
    // An address with no daemon behind it: the program finds no system bus at all.
    std::string noBusAddress() const;

    // The log's lines without timestamps, from the first one at or after `from` that equals
    // `first`, at most `count` of them; empty when there is none.
    LogFields logFrom(const std::string& first, std::size_t from = 0,
                      std::size_t count = AllLines) const;
    // Waits for the line and fails the test when it does not come; its index.
    std::size_t expectLogLine(const std::string& fields, std::size_t from = 0) const;
    // The logind calls so far (none without a mock).
    Calls calls() const;
    // For assertion messages: the program, its output, its log and the logind calls.
    std::string describe() const;

    XSession session{{.windowManager = true}};
    DbusDaemon systemBus{DbusDaemon::Bus::System};
    TempDir scratch{"lullex-power-e2e"};
    std::unique_ptr<MockLogind> logind;
    std::unique_ptr<LullexProgram> program;
};

}  // namespace lullex::test
