#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lullex::test {

// A small network made for one test: each host is a network namespace with one veth link to a
// bridge in a hub namespace. Host i has the address 10.200.1.<i+1>/24; nothing is added to the
// machine's own namespace, and everything goes when the lab is destroyed. The namespaces are
// named lullex-<pid>-<n>-...: a lab whose test was killed is removed by the next lab made on
// the machine. Making namespaces needs root; where it fails, ready() is false and failure()
// says why, so a test can skip.
class NetworkLab {
public:
    static constexpr const char* BroadcastAddress = "10.200.1.255";

    explicit NetworkLab(int hostCount);
    ~NetworkLab();
    NetworkLab(const NetworkLab&) = delete;
    NetworkLab& operator=(const NetworkLab&) = delete;

    bool ready() const { return m_ready; }
    // The first command that failed, with its output.
    const std::string& failure() const { return m_failure; }

    const std::string& namespaceOf(int host) const { return m_hosts.at(host); }
    std::string addressOf(int host) const;
    // The command line that runs argv inside the host's namespace.
    std::vector<std::string> commandIn(int host, const std::vector<std::string>& argv) const;
    bool runIn(int host, const std::vector<std::string>& argv);

    // A default route through the host's link, so the limited broadcast 255.255.255.255 has a
    // way out (without one it fails with "network unreachable").
    bool addDefaultRoute(int host);
    // Drops that share of the UDP datagrams arriving at the host for the port (nftables).
    bool dropIncomingUdp(int host, uint16_t port, int percent);
    // Takes the host's link down or up again.
    bool setLinkUp(int host, bool up);

    // A fresh link can lose its first datagrams: sends probes from one host to an address (a
    // host's, or the broadcast address) on a port of their own until each of the receiving
    // hosts has had one, so that a test's single datagrams meet working links.
    bool waitUntilLinksCarry(int from, const std::string& address, const std::vector<int>& to);

private:
    bool build(int hostCount);
    bool addHost(int index);
    // Runs a command to its end; on failure records it with its output in m_failure.
    bool run(const std::vector<std::string>& argv);

    std::string m_hub;
    std::vector<std::string> m_hosts;
    std::vector<std::string> m_created;
    std::string m_failure;
    bool m_ready = false;
};

// Moves the calling thread into a network namespace until destroyed. A socket keeps the
// namespace it was made in, so a test can create sockets in several hosts of a lab and use
// them all from the one thread.
class NamespaceScope {
public:
    explicit NamespaceScope(const std::string& name);
    ~NamespaceScope();
    NamespaceScope(const NamespaceScope&) = delete;
    NamespaceScope& operator=(const NamespaceScope&) = delete;

    bool entered() const { return m_entered; }

private:
    int m_home = -1;
    bool m_entered = false;
};

}  // namespace lullex::test
