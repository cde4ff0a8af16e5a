#include "network_lab.h"

#include "child_process.h"
#include "process_launch.h"
#include "udp_endpoint.h"
#include "wait_until.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

namespace lullex::test {

namespace {

constexpr const char* HostLink = "lx0";
constexpr const char* Bridge = "br0";
constexpr const char* FilterTable = "lullex_test";
constexpr const char* NamePrefix = "lullex-";
constexpr const char* NamespaceDirectory = "/run/netns";
constexpr uint16_t ProbePort = 10009;
// One ip or nft command; far more than any takes, so that a hung one fails the test instead.
constexpr std::chrono::milliseconds CommandTimeout{20000};

std::string uniquePrefix()
{
    static std::atomic<int> labs{0};
    return NamePrefix + std::to_string(::getpid()) + "-" + std::to_string(labs++);
}

// Runs argv without a shell; the exit code and, on failure, the output.
CommandResult runQuietly(const std::vector<std::string>& argv)
{
    try {
        return RunCommand(ProcessSpec{.argv = argv}, CommandTimeout);
    } catch (const std::runtime_error& error) {
        return {-1, "", error.what()};
    }
}

// The process that made a namespace of ours, from its name "lullex-<pid>-...".
std::optional<pid_t> creatorOf(const std::string& name)
{
    if (!name.starts_with(NamePrefix)) {
        return std::nullopt;
    }
    const std::string rest = name.substr(std::string(NamePrefix).size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || rest.find_first_not_of("0123456789") != dash) {
        return std::nullopt;
    }
    return static_cast<pid_t>(std::stol(rest.substr(0, dash)));
}

// Removes the namespaces of labs whose test process is gone (killed before its destructors
// ran), with their links and filters.
void removeStaleLabs()
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(NamespaceDirectory, error)) {
        const std::string name = entry.path().filename().string();
        const std::optional<pid_t> creator = creatorOf(name);
        if (creator && !ProcessExists(*creator)) {
            runQuietly({"ip", "netns", "del", name});
        }
    }
}

}  // namespace

NetworkLab::NetworkLab(int hostCount)
{
    if (::geteuid() != 0) {
        m_failure = "network namespaces need root";
        return;
    }
    removeStaleLabs();
    m_ready = build(hostCount);
}

NetworkLab::~NetworkLab()
{
    // Deleting a namespace removes its end of every veth pair, and with it the pair.
    for (auto name = m_created.rbegin(); name != m_created.rend(); ++name) {
        runQuietly({"ip", "netns", "del", *name});
    }
}

std::string NetworkLab::addressOf(int host) const
{
    return "10.200.1." + std::to_string(host + 1);
}

std::vector<std::string> NetworkLab::commandIn(int host, const std::vector<std::string>& argv) const
{
    std::vector<std::string> command{"ip", "netns", "exec", namespaceOf(host)};
    command.insert(command.end(), argv.begin(), argv.end());
    return command;
}

bool NetworkLab::runIn(int host, const std::vector<std::string>& argv)
{
    return run(commandIn(host, argv));
}

bool NetworkLab::addDefaultRoute(int host)
{
    return run({"ip", "-n", namespaceOf(host), "route", "add", "default", "dev", HostLink});
}

bool NetworkLab::dropIncomingUdp(int host, uint16_t port, int percent)
{
    const std::string chain = "input_" + std::to_string(port);
    std::vector<std::string> rule{
        "nft", "add", "rule", "inet", FilterTable, chain, "udp", "dport", std::to_string(port)};
    // numgen's comparison only takes 0..99, so dropping everything is its own rule.
    if (percent < 100) {
        rule.insert(rule.end(), {"numgen", "random", "mod", "100", "<", std::to_string(percent)});
    }
    rule.emplace_back("drop");
    return runIn(host, {"nft", "add", "table", "inet", FilterTable}) &&
           runIn(host, {"nft", "add", "chain", "inet", FilterTable, chain,
                        "{ type filter hook input priority 0; }"}) &&
           runIn(host, rule);
}

bool NetworkLab::setLinkUp(int host, bool up)
{
    return run({"ip", "-n", namespaceOf(host), "link", "set", HostLink, up ? "up" : "down"});
}

bool NetworkLab::build(int hostCount)
{
    const std::string prefix = uniquePrefix();
    m_hub = prefix + "-hub";
    if (!run({"ip", "netns", "add", m_hub})) {
        return false;
    }
    m_created.push_back(m_hub);
    if (!run({"ip", "-n", m_hub, "link", "add", Bridge, "type", "bridge"}) ||
        !run({"ip", "-n", m_hub, "link", "set", Bridge, "up"})) {
        return false;
    }
    for (int index = 0; index < hostCount; ++index) {
        m_hosts.push_back(prefix + "-h" + std::to_string(index));
        if (!addHost(index)) {
            return false;
        }
    }
    return true;
}

bool NetworkLab::addHost(int index)
{
    const std::string& host = m_hosts.at(index);
    const std::string hubPort = "p" + std::to_string(index);
    if (!run({"ip", "netns", "add", host})) {
        return false;
    }
    m_created.push_back(host);
    return run({"ip", "-n", m_hub, "link", "add", hubPort, "type", "veth", "peer", "name", HostLink,
                "netns", host}) &&
           run({"ip", "-n", m_hub, "link", "set", hubPort, "master", Bridge}) &&
           run({"ip", "-n", m_hub, "link", "set", hubPort, "up"}) &&
           run({"ip", "-n", host, "addr", "add", addressOf(index) + "/24", "dev", HostLink}) &&
           run({"ip", "-n", host, "link", "set", HostLink, "up"}) &&
           run({"ip", "-n", host, "link", "set", "lo", "up"});
}

bool NetworkLab::run(const std::vector<std::string>& argv)
{
    const CommandResult result = runQuietly(argv);
    if (result.exitCode == 0) {
        return true;
    }
    if (m_failure.empty()) {
        m_failure = "\"" + detail::JoinArgv(argv) + "\" failed (" +
                    std::to_string(result.exitCode) + "): " + result.out + result.err;
    }
    return false;
}

bool NetworkLab::waitUntilLinksCarry(int from, const std::string& address,
                                     const std::vector<int>& to)
{
    std::vector<std::unique_ptr<UdpEndpoint>> receivers;
    for (int host : to) {
        const NamespaceScope inside(namespaceOf(host));
        receivers.push_back(std::make_unique<UdpEndpoint>("0.0.0.0", ProbePort));
    }
    std::unique_ptr<UdpEndpoint> sender;
    {
        const NamespaceScope inside(namespaceOf(from));
        sender = std::make_unique<UdpEndpoint>("0.0.0.0", 0);
    }
    std::vector<bool> heard(receivers.size(), false);
    return WaitUntil([&] {
        sender->sendTo("probe", address, ProbePort);
        return WaitUntil(
            [&] {
                for (std::size_t i = 0; i < receivers.size(); ++i) {
                    heard[i] = heard[i] || receivers[i]->receive(std::chrono::milliseconds(0));
                }
                return std::find(heard.begin(), heard.end(), false) == heard.end();
            },
            std::chrono::milliseconds(200));
    });
}

NamespaceScope::NamespaceScope(const std::string& name)
{
    m_home = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const int target = ::open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    m_entered = m_home >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
    if (target >= 0) {
        ::close(target);
    }
}

NamespaceScope::~NamespaceScope()
{
    // Every later test would run in the lab's network if the way home failed.
    if (m_entered && ::setns(m_home, CLONE_NEWNET) != 0) {
        std::perror("cannot return to the test's own network namespace");
        std::abort();
    }
    if (m_home >= 0) {
        ::close(m_home);
    }
}

}  // namespace lullex::test
