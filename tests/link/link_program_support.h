#pragma once

// The real program on Xvfb as one end of the link, the other end being a second copy or a
// socket that the test owns. No copy can reach a system bus, and each one either runs in the
// test mode or has "Monitor" as its action, so nothing here can switch the machine off.
#include "e2e_test_support.h"
#include "lullex_program.h"
#include "x_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lullex::test {

inline constexpr const char* InhibitShutdown = "-InhibitShutdown";

// A master on loopback that stays in Run: "Monitor" as its action and the longest idle limit,
// so nothing but the test's buttons interrupts its heartbeat.
ConfigValues MasterConfig(uint16_t port, const std::string& partner = "127.0.0.1");
// A slave of the master at `partner`, with a short start, logging every second. A slave must
// not have "Monitor" as its action, so it always runs in the test mode, where the lost-link
// limit and the countdown last 6 s.
ConfigValues SlaveConfig(uint16_t port, const std::string& partner = "127.0.0.1");

// The test mode's limits: seconds unheard before a slave's countdown, and the countdown.
inline constexpr int InhibitedLimit = 6;
// A heard second of a slave in Run: its window shows "Connected".
std::string ConnectedLine();
// A slave in the test mode from its first unheard second (showing `comms`) to the first
// second of its countdown of Power Off.
std::vector<std::string> LostLinkLines(const std::string& comms);
// Up to `count` lines from index `from` on.
std::vector<std::string> Slice(const std::vector<std::string>& lines, std::size_t from,
                               std::size_t count);
// The index of the last line equal to `line`, or lines.size() when there is none.
std::size_t LastIndexOf(const std::vector<std::string>& lines, const std::string& line);

class LinkProgramTest : public testing::Test {
protected:
    // Starts a copy in a working directory of its own, through the launcher when one is given
    // (e.g. into a network namespace), cut off from the system bus. Refuses arguments and
    // settings that could switch the machine off: without "-InhibitShutdown" first, the action
    // must be "Monitor".
    LullexProgram& startProgram(const ConfigValues& config,
                                const std::vector<std::string>& arguments,
                                const std::vector<std::string>& launcher = {});
    // The end of a slave's countdown of Power Off in the test mode: the announcement box, which
    // answered ends the program normally.
    void expectAnnouncedPowerOffAndNormalEnd(LullexProgram& slave);
    // For assertion messages: every program with its output and log.
    std::string describe() const;

    XSession session{{.windowManager = true}};
    std::vector<std::unique_ptr<LullexProgram>> programs;
};

}  // namespace lullex::test
