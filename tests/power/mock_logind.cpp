#include "mock_logind.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace lullex::test {
namespace {

const std::string LogindName = "org.freedesktop.login1";
const std::string ManagerPath = "/org/freedesktop/login1";
const std::string ManagerInterface = "org.freedesktop.login1.Manager";
const std::string CallLog = "calls.log";

// A Python string literal of the text.
std::string pythonString(const std::string& text)
{
    std::string literal = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            literal += '\\';
        literal += c;
    }
    return literal + '"';
}

}  // namespace

MockLogind::MockLogind(const DbusDaemon& systemBus, const std::string& parametersJson)
    : m_busAddress(systemBus.address())
{
    ProcessSpec spec;
    // The system's own interpreter: another python3 on the PATH may lack dbusmock.
    spec.argv = {"/usr/bin/python3", "-m",          "dbusmock",  "--system",
                 "--template",       "logind",      "--logfile", m_dir.file(CallLog).string(),
                 "--parameters",     parametersJson};
    spec.setEnvironment = systemBus.environment();
    m_process = std::make_unique<ChildProcess>(spec);
    // The mock takes its name before it loads the template but answers nothing until the
    // template is in place, so owning the name means ready.
    if (!WaitUntil([&] { return !m_process->running() || onBus(); }) || !m_process->running())
        throw std::runtime_error("the logind mock did not appear on the bus: " + describe());
}

std::string MockLogind::send(const std::vector<std::string>& arguments) const
{
    ProcessSpec spec;
    spec.argv = {"dbus-send", "--bus=" + m_busAddress, "--print-reply"};
    spec.argv.insert(spec.argv.end(), arguments.begin(), arguments.end());
    const CommandResult result = RunCommand(spec);
    if (result.exitCode != 0)
        throw std::runtime_error("dbus-send " + arguments.at(2) + " failed: " + result.err);
    return result.out;
}

bool MockLogind::onBus() const
{
    const std::string reply = send({"--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                                    "org.freedesktop.DBus.NameHasOwner", "string:" + LogindName});
    return reply.find("boolean true") != std::string::npos;
}

void MockLogind::addMethod(const std::string& name, const std::string& inSignature,
                           const std::string& outSignature, const std::string& code)
{
    send({"--dest=" + LogindName, ManagerPath, "org.freedesktop.DBus.Mock.AddMethod",
          "string:" + ManagerInterface, "string:" + name, "string:" + inSignature,
          "string:" + outSignature, "string:" + code});
    skipCallsSoFar();
}

void MockLogind::addHalt(const std::string& canHaltAnswer)
{
    addMethod("Halt", "b", "", "");
    addMethod("CanHalt", "", "s", "ret = " + pythonString(canHaltAnswer));
}

void MockLogind::addSessionForEveryProcess(const std::string& sessionId)
{
    const std::string reply =
        send({"--dest=" + LogindName, ManagerPath, "org.freedesktop.DBus.Mock.AddSession",
              "string:" + sessionId, "string:seat0", "uint32:0", "string:root", "boolean:true"});
    const std::string sessionPath = ManagerPath + "/session/" + sessionId;
    if (reply.find(sessionPath) == std::string::npos)
        throw std::runtime_error("the logind mock did not add the session: " + reply);
    addMethod("GetSessionByPID", "u", "o", "ret = " + pythonString(sessionPath));
}

void MockLogind::refuse(const std::string& method, const std::string& inSignature,
                        const std::string& errorName, const std::string& message)
{
    addMethod(method, inSignature, "",
              "raise dbus.exceptions.DBusException(" + pythonString(message) +
                  ", name=" + pythonString(errorName) + ")");
}

std::vector<std::string> MockLogind::calls() const
{
    const std::vector<std::string> lines = logLines();
    std::vector<std::string> made;
    for (std::size_t i = m_setupLines; i < lines.size(); ++i) {
        // A property access names its object path where a method call has its arguments.
        const std::size_t argument = lines[i].find(' ');
        const bool propertyRead =
            argument != std::string::npos && lines[i].compare(argument + 1, 1, "/") == 0;
        // The program reads the inhibitor locks once a second; that is no power call either.
        if (!propertyRead && lines[i] != "ListInhibitors")
            made.push_back(lines[i]);
    }
    return made;
}

std::vector<std::string> MockLogind::logLines() const
{
    std::string log;
    try {
        log = ReadWholeFile(m_dir.file(CallLog));
    } catch (const std::runtime_error&) {
        return {};  // no call yet
    }
    std::vector<std::string> made;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t afterTime = line.find(' ');
        if (afterTime != std::string::npos)
            made.push_back(line.substr(afterTime + 1));
    }
    return made;
}

bool MockLogind::waitForCall(const std::string& call, std::chrono::milliseconds timeout) const
{
    return WaitUntil(
        [&] {
            const std::vector<std::string> made = calls();
            return std::find(made.begin(), made.end(), call) != made.end();
        },
        timeout);
}

}  // namespace lullex::test
