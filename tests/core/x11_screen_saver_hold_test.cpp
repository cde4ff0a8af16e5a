#include "keep_awake_watch.h"
#include "x11_screen_saver_hold.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace lullex::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

const char* const Reset = "Kept awake by an X11 program: screen saver reset";
const char* const Suspended = "Kept awake by an X11 program: screen saver suspended";

// One reading of the server's saver (times in milliseconds) and what it must hold.
struct Step {
    int at;
    int idle;
    const char* holds = nullptr;
    bool inputSeen = false;
    X11ScreenSaverState state = X11ScreenSaverState::Off;
    int timeout = 600;
};

struct HoldCase {
    const char* name;
    std::vector<Step> steps;
};

void PrintTo(const HoldCase& c, std::ostream* out)
{
    *out << c.name;
}

class X11ScreenSaverHoldTest : public testing::TestWithParam<HoldCase> {};

TEST_P(X11ScreenSaverHoldTest, HoldsOnlyWhileAProgramResetsOrSuspendsTheSaver)
{
    X11ScreenSaverHold hold;
    for (const Step& step : GetParam().steps) {
        const std::optional<Inhibition> held =
            hold.take({milliseconds(step.at), milliseconds(step.idle), step.state,
                       seconds(step.timeout), step.inputSeen});
        EXPECT_EQ(held ? KeptAwakeText(*held) : "", step.holds ? step.holds : "")
            << "reading at " << step.at << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Readings, X11ScreenSaverHoldTest,
    testing::Values(
        HoldCase{"FirstReadingHasNothingToCompare", {{0, 10}}},
        HoldCase{"GrowingIdleTimeHoldsNothing", {{0, 5000}, {1000, 6000}, {2030, 7000}}},
        // The server answers a little after our clock is read, or before.
        HoldCase{"ClockJitterIsNoReset", {{0, 5000}, {1000, 5600}, {2000, 7450}}},
        HoldCase{"InputRestartsTheIdleTimeWithoutAReset", {{0, 5000}, {1000, 200, nullptr, true}}},
        HoldCase{"OneResetHoldsOnlyTheSecondItIsSeen",
                 {{0, 5000}, {1000, 300, Reset}, {2000, 1300}, {3000, 2300}}},
        HoldCase{"ResetsAtARhythmHoldUntilTheRhythmIsMissed",
                 {{0, 5000},
                  {1000, 300, Reset},
                  {2000, 1300},
                  {3000, 300, Reset},
                  {4000, 1300, Reset},
                  {5100, 400, Reset},
                  {6000, 1300, Reset},
                  {8000, 3300, Reset},
                  {9100, 4400, Reset},
                  {10000, 5300}}},
        HoldCase{"InputBetweenResetsKeepsTheRhythm",
                 {{0, 5000}, {1000, 0, Reset}, {3000, 0, Reset}, {4000, 0, Reset, true}}},
        HoldCase{"ResetsMoreThanAMinuteApartAreNoRhythm",
                 {{0, 5000}, {1000, 0, Reset}, {71000, 0, Reset}, {72000, 1000}}},
        HoldCase{"SuspendedOnceTheSaverStaysOffPastItsTimeout",
                 {{0, 3900, nullptr, false, X11ScreenSaverState::Off, 2},
                  {1000, 4900, Suspended, false, X11ScreenSaverState::Off, 2}}},
        HoldCase{"SaverOnPastItsTimeoutIsNotSuspended",
                 {{0, 9000, nullptr, false, X11ScreenSaverState::On, 2}}},
        HoldCase{"SaverSwitchedOffSaysNothingOfSuspension",
                 {{0, 9000, nullptr, false, X11ScreenSaverState::Disabled, 0},
                  {1000, 10000, nullptr, false, X11ScreenSaverState::Off, 0}}},
        // The server restarts its saver's timer when the last suspension ends.
        HoldCase{"TheEndOfASuspensionCountsAsAReset",
                 {{0, 9000, Suspended, false, X11ScreenSaverState::Off, 2},
                  {1000, 100, Reset, false, X11ScreenSaverState::Off, 2},
                  {2000, 1100, nullptr, false, X11ScreenSaverState::Off, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex::test
