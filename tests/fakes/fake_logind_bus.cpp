#include "fake_logind_bus.h"

#include <type_traits>

namespace lullex::test {
namespace {

std::string format(const BusArgument& argument)
{
    return std::visit(
        [](const auto& value) -> std::string {
            using Type = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Type, bool>)
                return value ? "true" : "false";
            else if constexpr (std::is_same_v<Type, std::string>)
                return '"' + value + '"';
            else
                return std::to_string(value);
        },
        argument);
}

}  // namespace

BusReply FakeLogindBus::callManager(const std::string& method,
                                    const std::vector<BusArgument>& arguments)
{
    std::string call = method + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i)
        call += (i == 0 ? "" : ", ") + format(arguments[i]);
    m_calls.push_back(call + ")");
    return replyTo(method);
}

BusReply FakeLogindBus::sessionId(const std::string& sessionPath)
{
    m_calls.push_back("Id of " + sessionPath);
    return replyTo("Id");
}

BusReply FakeLogindBus::replyTo(const std::string& method) const
{
    const auto found = m_replies.find(method);
    return found == m_replies.end() ? BusReply{} : found->second;
}

BusReply Answered(const std::string& text)
{
    return {BusStatus::Answered, "", "", text};
}

BusReply Refused(const std::string& name, const std::string& message)
{
    return {BusStatus::Refused, name, message, ""};
}

BusReply Unreachable(const std::string& name, const std::string& message)
{
    return {BusStatus::Unreachable, name, message, ""};
}

}  // namespace lullex::test
