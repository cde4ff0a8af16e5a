#pragma once

#include "child_process.h"
#include "dbus_daemon.h"
#include "temp_dir.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace lullex::test {

// python3-dbusmock's logind template on a private system bus, standing in for systemd-logind:
// programs started with the bus's environment() reach it instead of the machine's logind. The
// template answers "yes" to every Can… method unless the parameters say otherwise, e.g.
// R"({"CanPowerOff": "no"})". Stopped by its pid when the object goes; throws
// std::runtime_error when it does not appear on the bus.
class MockLogind {
public:
    explicit MockLogind(const DbusDaemon& systemBus, const std::string& parametersJson = "{}");

    // Adds or replaces a method of org.freedesktop.login1.Manager; `code` is Python run by
    // the mock for each call (it sets `ret` or raises).
    void addMethod(const std::string& name, const std::string& inSignature,
                   const std::string& outSignature, const std::string& code);
    // Halt and CanHalt, which the template lacks.
    void addHalt(const std::string& canHaltAnswer = "yes");
    // A login session with this id, which GetSessionByPID answers for every process.
    void addSessionForEveryProcess(const std::string& sessionId);
    // Makes a manager method fail with this D-Bus error.
    void refuse(const std::string& method, const std::string& inSignature,
                const std::string& errorName, const std::string& message);

    // The manager methods called since the mock was last set up, as its call log writes them
    // without the time: "PowerOff False", "TerminateSession "c1"". Property reads, the
    // inhibitor list and the mock's own bookkeeping are left out.
    std::vector<std::string> calls() const;
    // Waits until the call has been made; false after the timeout.
    bool waitForCall(const std::string& call,
                     std::chrono::milliseconds timeout = DefaultTimeout) const;

    std::string describe() const { return m_process->describe(); }

private:
    // dbus-send with --print-reply on the mock's bus; its output, or std::runtime_error.
    std::string send(const std::vector<std::string>& arguments) const;
    bool onBus() const;
    // Every line of the call log, without the time.
    std::vector<std::string> logLines() const;
    // Calls made while setting the mock up are not the program's.
    void skipCallsSoFar() { m_setupLines = logLines().size(); }

    std::string m_busAddress;
    TempDir m_dir{"lullex-logind"};
    std::unique_ptr<ChildProcess> m_process;
    std::size_t m_setupLines = 0;
};

}  // namespace lullex::test
