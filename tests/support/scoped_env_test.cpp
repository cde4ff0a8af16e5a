#include "scoped_env.h"
#include "temp_dir.h"
#include "udp_endpoint.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace lullex::test {
namespace {

std::optional<std::string> Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

TEST(ScopedEnvTest, PutsBackTheValueOrTheAbsenceFromBefore)
{
    ::setenv("LULLEX_SCOPED_SET", "before", 1);
    ::unsetenv("LULLEX_SCOPED_UNSET");
    {
        const ScopedEnv set("LULLEX_SCOPED_SET", std::nullopt);
        ScopedEnv unset("LULLEX_SCOPED_UNSET", "during");
        EXPECT_EQ(Variable("LULLEX_SCOPED_SET"), std::nullopt);
        EXPECT_EQ(Variable("LULLEX_SCOPED_UNSET"), "during");
        unset.set("changed");
        EXPECT_EQ(Variable("LULLEX_SCOPED_UNSET"), "changed");
    }
    EXPECT_EQ(Variable("LULLEX_SCOPED_SET"), "before");
    EXPECT_EQ(Variable("LULLEX_SCOPED_UNSET"), std::nullopt);
    ::unsetenv("LULLEX_SCOPED_SET");
}

TEST(ScopedCwdTest, ReturnsToTheDirectoryFromBefore)
{
    const std::filesystem::path before = std::filesystem::current_path();
    TempDir dir;
    {
        const ScopedCwd inside(dir.path());
        EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.path()));
    }
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST(ReservedUdpPortTest, HeldBelowTheEphemeralRangeUntilHandedOver)
{
    std::ifstream range("/proc/sys/net/ipv4/ip_local_port_range");
    int firstEphemeral = 0;
    range >> firstEphemeral;
    ReservedUdpPort reserved;
    EXPECT_GE(reserved.port(), 1024);
    EXPECT_LT(reserved.port(), firstEphemeral);
    EXPECT_FALSE(UdpEndpoint("0.0.0.0", reserved.port()).bound()) << "the port is not held";

    const uint16_t port = reserved.handOver();
    EXPECT_EQ(port, reserved.port());
    EXPECT_TRUE(UdpEndpoint("0.0.0.0", port).bound()) << "the port was not freed";
}

}  // namespace
}  // namespace lullex::test
