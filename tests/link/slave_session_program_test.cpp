// A slave only listens on its port, so it runs in any session: in a Wayland session (the X
// session stands in for Xwayland) it shows no refusal and hears its master.
#include "link_program_support.h"

namespace lullex::test {

TEST(SlaveSession, AWaylandSessionNeitherRefusesNorDeafensASlave)
{
    XSession session({.windowManager = true});
    ReservedUdpPort reserved;
    const uint16_t port = reserved.port();
    LullexProgram slave(session, SlaveConfig(port));
    reserved.handOver();
    StartCutOff(slave, {InhibitShutdown}, {{"WAYLAND_DISPLAY", "wayland-test"}});
    PacedSender master(port);
    master.setCycle({{"<LXA100>"}});
    EXPECT_TRUE(slave.waitForLine(ConnectedLine())) << slave.describe();
    EXPECT_EQ(slave.process().stderrText().find("Unavailable"), std::string::npos);
}

}  // namespace lullex::test
