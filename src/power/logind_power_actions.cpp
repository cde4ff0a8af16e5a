#include "logind_power_actions.h"

#include <unistd.h>

namespace lullex {

LogindPowerActions::LogindPowerActions(LogindBus& bus, std::string errorSource)
    : m_bus(bus), m_errorSource(std::move(errorSource))
{
}

void LogindPowerActions::ShutdownSystem(int32_t flags)
{
    if (flags < LowestShutdownFlags || flags > HighestShutdownFlags)
        fail(PowerFailure::InvalidParameter, std::to_string(flags));
    const LogindAction action = LogindActionForFlags(flags);
    const ShutdownPrivilege privilege = EnableShutdownPrivilege(action);
    // logind refused by its answer, not by an error: the answer tells the user which check
    // refused and what to ask the administrator for.
    if (!privilege.granted)
        fail(PowerFailure::NoPrivilege, privilege.refusal);
    const BusReply reply = m_bus.callManager(action.method, privilege.arguments);
    if (reply.status != BusStatus::Answered)
        fail(PowerFailure::ShutdownFailed, SystemErrorText(reply));
}

void LogindPowerActions::HibernateSystem()
{
    suspend(HibernateAction);
}

void LogindPowerActions::StandbySystem()
{
    suspend(StandbyAction);
}

ShutdownPrivilege LogindPowerActions::EnableShutdownPrivilege(const LogindAction& action)
{
    if (action.canMethod == nullptr)
        return findOwnSession();
    return askPermission(action.canMethod);
}

ShutdownPrivilege LogindPowerActions::askPermission(const char* canMethod)
{
    const BusReply reply = m_bus.callManager(canMethod, {});
    // Whatever keeps us from asking, we cannot act: a bus policy that hides logind is as final
    // as a missing logind.
    if (reply.status != BusStatus::Answered)
        fail(PowerFailure::PrivilegeNotFound, SystemErrorText(reply));
    if (IsRefusalAnswer(reply.text))
        return {false, {}, std::string(canMethod) + ": " + reply.text};
    return {true, {false}, {}};
}

ShutdownPrivilege LogindPowerActions::findOwnSession()
{
    const auto failOn = [this](const BusReply& reply) {
        if (reply.status == BusStatus::Unreachable)
            fail(PowerFailure::PrivilegeNotFound, SystemErrorText(reply));
        if (reply.status == BusStatus::Refused)
            fail(PowerFailure::ProcessUnknown, SystemErrorText(reply));
    };
    const BusReply session =
        m_bus.callManager("GetSessionByPID", {static_cast<uint32_t>(getpid())});
    failOn(session);
    BusReply id = m_bus.sessionId(session.text);
    failOn(id);
    return {true, {std::move(id.text)}, {}};
}

void LogindPowerActions::suspend(const LogindAction& action)
{
    const ShutdownPrivilege privilege = EnableShutdownPrivilege(action);
    // A machine that cannot sleep (CanHibernate answers "na" wherever there is no resume
    // device) must not end the program: monitoring simply goes on, so neither the answer nor
    // the call's refusal is reported.
    if (privilege.granted)
        m_bus.callManager(action.method, privilege.arguments);
}

void LogindPowerActions::fail(PowerFailure failure, const std::string& detail) const
{
    throw MakePowerError(failure, detail, m_errorSource);
}

}  // namespace lullex
