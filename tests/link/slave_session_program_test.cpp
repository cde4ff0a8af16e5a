// A slave only listens on its port, so it runs in any session: in a Wayland session (the X
// session stands in for Xwayland) it shows no refusal and hears its master.
#include "link_program_support.h"
#include "udp_endpoint.h"

#include <algorithm>

namespace lullex::test {

TEST(SlaveSession, AWaylandSessionNeitherRefusesNorDeafensASlave)
{
    XSession session({.windowManager = true});
    const uint16_t port = FreeUdpPort();
    LullexProgram slave(session, SlaveConfig(port));
    StartCutOff(slave, {InhibitShutdown}, {{"WAYLAND_DISPLAY", "wayland-test"}});
    PacedSender master(port);
    master.setCycle({{"<LXA100>"}});
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<std::string> lines = StatusLines(slave);
            return std::find(lines.begin(), lines.end(), ConnectedLine()) != lines.end();
        },
        StepTimeout))
        << slave.describe();
    EXPECT_EQ(slave.process().stderrText().find("Unavailable"), std::string::npos);
}

}  // namespace lullex::test
