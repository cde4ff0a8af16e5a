// Test driver: performs one power routine against the system bus that DBUS_SYSTEM_BUS_ADDRESS
// names, or answers the administrator question as a given user, and prints the outcome.
//
//   power_probe shutdown FLAGS | hibernate | standby
//       prints "done", or "PowerError", the number, the source and the description, one a
//       line (exit code 2).
//   power_probe admin [USER [--primary-group-only]]
//       becomes USER (with its groups, or with only its primary group) and prints "True" or
//       "False".
#include "administrator.h"
#include "dbus_logind_bus.h"
#include "logind_power_actions.h"

#include <QCoreApplication>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int UsageError = 64;
constexpr int Refused = 3;

int usage()
{
    std::cerr << "usage: power_probe shutdown FLAGS | hibernate | standby | "
                 "admin [USER [--primary-group-only]]\n";
    return UsageError;
}

// A probe run by mistake outside a test must never reach the machine's own logind.
bool onPrivateBus()
{
    const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (address == nullptr || std::string(address).find("/run/dbus/") != std::string::npos) {
        std::cerr << "power_probe: DBUS_SYSTEM_BUS_ADDRESS must name a private test bus\n";
        return false;
    }
    return true;
}

std::optional<int32_t> parseFlags(const std::string& text)
{
    int32_t flags = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), flags);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return flags;
}

int runPowerRoutine(int argc, char** argv, const std::vector<std::string>& arguments)
{
    const bool shutdown = arguments.front() == "shutdown";
    const std::optional<int32_t> flags =
        shutdown && arguments.size() == 2 ? parseFlags(arguments[1]) : std::nullopt;
    using Routine = std::function<void(lullex::PowerActions&)>;
    const std::map<std::string, Routine> routines = {
        {"hibernate", [](lullex::PowerActions& power) { power.HibernateSystem(); }},
        {"standby", [](lullex::PowerActions& power) { power.StandbySystem(); }},
        {"shutdown", [&](lullex::PowerActions& power) { power.ShutdownSystem(*flags); }},
    };
    const auto routine = routines.find(arguments.front());
    if (routine == routines.end() || (shutdown && !flags) || (!shutdown && arguments.size() != 1))
        return usage();
    if (!onPrivateBus())
        return Refused;

    QCoreApplication application(argc, argv);
    lullex::DBusLogindBus bus;
    lullex::LogindPowerActions power(bus, lullex::PowerErrorSource());
    try {
        routine->second(power);
    } catch (const lullex::PowerError& error) {
        std::cout << "PowerError\n"
                  << error.number << '\n'
                  << error.source << '\n'
                  << error.description << '\n';
        return 2;
    }
    std::cout << "done\n";
    return 0;
}

bool becomeUser(const std::string& name, bool primaryGroupOnly)
{
    const passwd* user = getpwnam(name.c_str());
    if (user == nullptr) {
        std::cerr << "power_probe: no user " << name << '\n';
        return false;
    }
    const int groups =
        primaryGroupOnly ? setgroups(0, nullptr) : initgroups(user->pw_name, user->pw_gid);
    if (groups != 0 || setgid(user->pw_gid) != 0 || setuid(user->pw_uid) != 0 ||
        geteuid() != user->pw_uid) {
        std::cerr << "power_probe: cannot become " << name << '\n';
        return false;
    }
    return true;
}

int runAdministratorCheck(const std::vector<std::string>& arguments)
{
    if (arguments.size() > 3 || (arguments.size() == 3 && arguments[2] != "--primary-group-only"))
        return usage();
    if (arguments.size() >= 2 && !becomeUser(arguments[1], arguments.size() == 3))
        return Refused;
    std::cout << (lullex::IsAdministrator() ? "True" : "False") << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty())
        return usage();
    if (arguments.front() == "admin")
        return runAdministratorCheck(arguments);
    return runPowerRoutine(argc, argv, arguments);
}
