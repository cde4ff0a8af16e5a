#include "netns_helper.h"

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace lullex::test {

namespace {

constexpr const char* HostLink = "lx0";
constexpr const char* Bridge = "br0";
constexpr const char* FilterTable = "lullex_test";

std::string uniquePrefix()
{
    static std::atomic<int> labs{0};
    return "lullex-" + std::to_string(::getpid()) + "-" + std::to_string(labs++);
}

// Runs argv without a shell; returns the exit status (-1 when it could not start) and the
// combined output.
int spawn(const std::vector<std::string>& argv, std::string& output)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t child = -1;
    const int started = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeEnds[0]);
    if (started != 0) {
        output = "cannot start " + argv[0];
        return -1;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string joined(const std::vector<std::string>& argv)
{
    std::string line;
    for (const std::string& arg : argv) {
        line += (line.empty() ? "" : " ") + arg;
    }
    return line;
}

}  // namespace

NetworkLab::NetworkLab(int hostCount)
{
    if (::geteuid() != 0) {
        m_failure = "network namespaces need root";
        return;
    }
    m_ready = build(hostCount);
}

NetworkLab::~NetworkLab()
{
    // Deleting a namespace removes its end of every veth pair, and with it the pair.
    for (auto name = m_created.rbegin(); name != m_created.rend(); ++name) {
        std::string ignored;
        spawn({"ip", "netns", "del", *name}, ignored);
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
    std::string output;
    const int status = spawn(argv, output);
    if (status == 0) {
        return true;
    }
    if (m_failure.empty()) {
        m_failure = "\"" + joined(argv) + "\" failed (" + std::to_string(status) + "): " + output;
    }
    return false;
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
