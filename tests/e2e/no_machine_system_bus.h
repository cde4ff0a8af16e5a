#pragma once

// Included by a test binary that starts the real program: whatever it starts without naming a
// bus of its own must never reach the machine's logind, since a program that did could power
// the machine off. The address names a socket that does not exist.
#include <gtest/gtest.h>

#include <cstdlib>

namespace lullex::test {

class NoMachineSystemBus : public testing::Environment {
public:
    void SetUp() override
    {
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/lullex-tests-no-bus", 1);
    }
};

// Registered once per binary, however many of its files include this header.
inline const testing::Environment* const noMachineSystemBus =
    testing::AddGlobalTestEnvironment(new NoMachineSystemBus);

}  // namespace lullex::test
