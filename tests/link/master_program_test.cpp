// A real master on loopback, its partner being a socket that the test owns: which tags go out,
// when, and what happens to tags sent back to it.
#include "link_program_support.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <optional>

namespace lullex::test {
namespace {

using std::chrono::milliseconds;

constexpr const char* FirstHeartbeat = "<LXA000>";
constexpr const char* Heartbeat = "<LXA100>";
constexpr const char* Cancel = "<LXC000>";
constexpr const char* TestTag = "<LXT000>";

// What a master sends from a start of monitoring on: the first heartbeat, then plain ones.
std::vector<std::string> HeartbeatsFromStart(std::size_t count)
{
    std::vector<std::string> tags(count, Heartbeat);
    if (count > 0) {
        tags.front() = FirstHeartbeat;
    }
    return tags;
}

std::vector<std::string> TagsOf(const std::vector<ArrivedDatagram>& datagrams)
{
    std::vector<std::string> tags;
    for (const ArrivedDatagram& datagram : datagrams) {
        tags.push_back(datagram.bytes);
    }
    return tags;
}

milliseconds Gap(const ArrivedDatagram& earlier, const ArrivedDatagram& later)
{
    return std::chrono::duration_cast<milliseconds>(later.arrival - earlier.arrival);
}

// The middle of the gaps between neighbours: single late ticks on a busy machine move it little.
milliseconds MedianGap(const std::vector<ArrivedDatagram>& datagrams)
{
    std::vector<milliseconds> gaps;
    for (std::size_t i = 1; i < datagrams.size(); ++i) {
        gaps.push_back(Gap(datagrams[i - 1], datagrams[i]));
    }
    std::sort(gaps.begin(), gaps.end());
    return gaps.at(gaps.size() / 2);
}

std::size_t CountStartingWith(const std::vector<std::string>& lines, const std::string& start)
{
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(),
                      [&](const std::string& line) { return line.starts_with(start); }));
}

// The index of the first datagram at or after `from` carrying `tag`, or size() when none has.
std::size_t FindTag(const std::vector<ArrivedDatagram>& datagrams, const std::string& tag,
                    std::size_t from = 0)
{
    for (std::size_t i = from; i < datagrams.size(); ++i) {
        if (datagrams[i].bytes == tag) {
            return i;
        }
    }
    return datagrams.size();
}

// When the file was last written, by the kernel's clock (the one that stamps arrivals).
std::chrono::system_clock::time_point LastWrite(const std::filesystem::path& file)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0)
        return {};
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(status.st_mtim.tv_sec) +
            std::chrono::nanoseconds(status.st_mtim.tv_nsec)));
}

// The newest status line the master had logged at `time`. The log is read later than that on a
// busy machine, and may hold the next step's line by then: the file's time tells. (A reader
// late by two steps would still see the second; the master's steps are a second apart.)
std::string StatusLineAt(const LullexProgram& program, std::chrono::system_clock::time_point time)
{
    std::vector<std::string> lines;
    std::chrono::system_clock::time_point written;
    do {
        written = LastWrite(program.logFile());
        lines = StatusLines(program);
    } while (LastWrite(program.logFile()) != written);
    if (!lines.empty() && written > time)
        lines.pop_back();
    return lines.empty() ? std::string() : lines.back();
}

class MasterProgramTest : public LinkProgramTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(partner.bound());
        master = &startProgram(MasterConfig(partner.port()), {});
        // The master's newest status line as each tag came in: where its state machine was.
        partner.setSnapshot([program = master](std::chrono::system_clock::time_point arrival) {
            return StatusLineAt(*program, arrival);
        });
    }

    // Waits until `count` tags have come, failing with the whole story otherwise.
    std::vector<ArrivedDatagram> tagsOnceThereAre(std::size_t count)
    {
        EXPECT_TRUE(partner.waitForCount(count, LongTimeout))
            << "the partner heard " << partner.datagrams().size() << " tags\n"
            << describe();
        return partner.datagrams();
    }

    // Waits until `count` more tags have come after the first `tag` at or after `from`.
    bool tagsAfter(const std::string& tag, std::size_t count, std::size_t from = 0) const
    {
        return WaitUntil(
            [&] {
                const std::vector<ArrivedDatagram> tags = partner.datagrams();
                return FindTag(tags, tag, from) + count < tags.size();
            },
            LongTimeout);
    }

    DatagramRecorder partner{"127.0.0.1", 0};
    LullexProgram* master = nullptr;
};

// The pace is checked by counting: one tag each tick of the master's own timer, two for each
// second it logs. Only a generous bound is put on the time itself, which a loaded machine
// stretches; the suite runs these tests alone.
class MasterProgramTimingTest : public MasterProgramTest {};

TEST_F(MasterProgramTimingTest, FirstHeartbeatComesInTheLastActivationSecondThenOneEachTick)
{
    const std::vector<ArrivedDatagram> tags = tagsOnceThereAre(12);
    ASSERT_GE(tags.size(), 12u);

    const std::vector<ArrivedDatagram> first(tags.begin(), tags.begin() + 12);
    EXPECT_EQ(TagsOf(first), HeartbeatsFromStart(12));
    // Sent in the tick that counted the activation delay down to 1, before the one that
    // enters Run: nothing went out earlier, and it did not wait for Run.
    EXPECT_TRUE(first.front().snapshot.starts_with(" Inactive ,           , Count:   1,"))
        << "the master's log when the first tag came: \"" << first.front().snapshot << "\"";
    EXPECT_LE(MedianGap(first), milliseconds(1000));

    // Every tag is in once a marker sent after the master's end is: loopback keeps the order.
    master->process().stop();
    const UdpEndpoint marker;
    ASSERT_TRUE(marker.sendTo("marker", "127.0.0.1", partner.port()));
    ASSERT_TRUE(WaitUntil([&] { return partner.bytes().back() == "marker"; })) << describe();
    const std::size_t sent = partner.datagrams().size() - 1;
    // From the second of the first tag on, one line a second; the first tag came in its tick.
    const std::vector<std::string> log = StatusLines(*master);
    const auto start = std::find_if(log.begin(), log.end(), [](const std::string& line) {
        return line.starts_with(" Inactive ,           , Count:   1,");
    });
    const auto seconds =
        static_cast<std::size_t>(std::count_if(start, log.end(), [](const std::string& line) {
            return line.starts_with(" Inactive ") || line.starts_with(" Enter    , Run ") ||
                   line.starts_with(" Run ");
        }));
    EXPECT_GE(sent, 2 * seconds - 1) << describe();
    EXPECT_LE(sent, 2 * seconds) << describe();
}

TEST_F(MasterProgramTest, ResetSendsCancelAtOnceAndTheHeartbeatWaitsForTheActivationDelay)
{
    ASSERT_GE(tagsOnceThereAre(4).size(), 4u);

    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << NamedWindows(session);
    ClickButton(session, *window, MainButton::Reset);

    ASSERT_TRUE(tagsAfter(Cancel, 2)) << describe();
    const std::vector<ArrivedDatagram> tags = partner.datagrams();
    const std::size_t cancel = FindTag(tags, Cancel);
    ASSERT_LT(cancel + 2, tags.size()) << describe();
    EXPECT_EQ(TagsOf(std::vector<ArrivedDatagram>(tags.begin(), tags.begin() + cancel)),
              HeartbeatsFromStart(cancel));
    // Sent by the click itself, after the restart was logged and before its first step.
    EXPECT_TRUE(tags[cancel].snapshot.starts_with(" Start    , Initialise, Count:   3,"))
        << "the master's log when the cancel came: \"" << tags[cancel].snapshot << "\"";
    // The cancel counts as the first tag of the new start, so the heartbeat follows as such.
    EXPECT_EQ(tags[cancel + 1].bytes, Heartbeat);
    EXPECT_EQ(tags[cancel + 2].bytes, Heartbeat);
    // Silence through the activation delay (3 s, from the reset) up to its last second: a
    // cancel held back for the next due tick would be followed by a heartbeat 500 ms later.
    EXPECT_GE(Gap(tags[cancel], tags[cancel + 1]), milliseconds(1200));
    EXPECT_TRUE(tags[cancel + 1].snapshot.starts_with(" Inactive ,           , Count:   1,"))
        << "the master's log when the heartbeat came: \"" << tags[cancel + 1].snapshot << "\"";
    const std::vector<std::string> log = StatusLines(*master);
    EXPECT_EQ(CountStartingWith(log, " Reset    , Run       , Count:"), 1u) << describe();
    EXPECT_EQ(CountStartingWith(log, " Start    , Initialise, Count:   3,"), 2u) << describe();
}

TEST_F(MasterProgramTest, TestSendsTheTestTagAndTheFirstHeartbeatFollowsTheTestRun)
{
    ASSERT_GE(tagsOnceThereAre(4).size(), 4u);

    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << NamedWindows(session);
    ClickButton(session, *window, MainButton::Test);

    // The test run ends after 5 idle seconds with a box; the master is silent while it shows.
    ASSERT_TRUE(master->waitForStderr("Lullex Test\nTest Monitor\n", LongTimeout)) << describe();
    const auto boxSeen = std::chrono::system_clock::now();
    ASSERT_TRUE(StaysTrueFor([&] { return master->process().running(); }, milliseconds(2000)));
    const auto answered = std::chrono::system_clock::now();
    ASSERT_TRUE(AnswerBox(session, "Lullex Test", "Return")) << describe();

    ASSERT_TRUE(tagsAfter(FirstHeartbeat, 1, 1)) << describe();
    const std::vector<ArrivedDatagram> tags = partner.datagrams();
    const std::size_t test = FindTag(tags, TestTag);
    const std::size_t restart = FindTag(tags, FirstHeartbeat, 1);
    ASSERT_LT(test, restart) << describe();
    EXPECT_EQ(TagsOf(std::vector<ArrivedDatagram>(tags.begin(), tags.begin() + test)),
              HeartbeatsFromStart(test));
    // Sent by the click itself, after the test run's start was logged and before its first step.
    EXPECT_TRUE(tags[test].snapshot.starts_with("*Start    , Initialise, Count:   2,"))
        << "the master's log when the test tag came: \"" << tags[test].snapshot << "\"";
    // The test run watches for 5 s after its 2 s start: heartbeats all the while.
    EXPECT_GE(restart - test, 7u);
    EXPECT_EQ(TagsOf(std::vector<ArrivedDatagram>(tags.begin() + test + 1, tags.begin() + restart)),
              std::vector<std::string>(restart - test - 1, Heartbeat));
    EXPECT_EQ(tags[restart + 1].bytes, Heartbeat);
    const auto sentDuringBox = std::count_if(tags.begin(), tags.end(), [&](const auto& tag) {
        return tag.arrival > boxSeen && tag.arrival < answered;
    });
    EXPECT_EQ(sentDuringBox, 0);
    EXPECT_GT(tags[restart].arrival, answered);
    const std::vector<std::string> log = StatusLines(*master);
    EXPECT_EQ(CountStartingWith(log, "*Enter    , Test      , Count:   2,"), 1u) << describe();
    EXPECT_EQ(CountStartingWith(log, "*Simulate , Monitor   , Count:   0,"), 1u) << describe();
}

TEST_F(MasterProgramTest, DatagramsSentToTheMasterChangeNothing)
{
    const std::vector<ArrivedDatagram> before = tagsOnceThereAre(4);
    ASSERT_GE(before.size(), 4u);

    // Its sending socket is the one a partner would answer to.
    const UdpEndpoint stranger;
    for (const char* datagram : {Cancel, TestTag, "<LXA1000>", "junk"}) {
        ASSERT_TRUE(stranger.sendTo(datagram, "127.0.0.1", before.front().sourcePort));
    }

    ASSERT_TRUE(partner.waitForCount(before.size() + 10, LongTimeout)) << describe();
    const std::vector<ArrivedDatagram> tags = partner.datagrams();
    EXPECT_EQ(TagsOf(tags), HeartbeatsFromStart(tags.size()));
    EXPECT_TRUE(std::all_of(tags.begin(), tags.end(), [&](const ArrivedDatagram& tag) {
        return tag.sourcePort == before.front().sourcePort;
    }));
    const std::vector<std::string> log = StatusLines(*master);
    EXPECT_EQ(CountStartingWith(log, " Start    , Initialise,"), 1u) << describe();
    EXPECT_EQ(CountStartingWith(log, " Reset    ,"), 0u) << describe();
    EXPECT_EQ(CountStartingWith(log, "*"), 0u) << describe();
    EXPECT_EQ(master->process().stderrText().find("Lullex"), std::string::npos) << describe();
}

}  // namespace
}  // namespace lullex::test
