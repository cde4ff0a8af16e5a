#pragma once

#include "logind_bus.h"

#include <map>
#include <string>
#include <vector>

namespace lullex::test {

// A scripted logind for the routines' own logic: answers by method name and records every
// call as "Method(arguments)".
class FakeLogindBus : public LogindBus {
public:
    BusReply callManager(const std::string& method,
                         const std::vector<BusArgument>& arguments) override;
    BusReply sessionId(const std::string& sessionPath) override;

    // The reply to a method; a method without one answers with an empty text.
    void answer(const std::string& method, BusReply reply) { m_replies[method] = std::move(reply); }

    const std::vector<std::string>& calls() const { return m_calls; }

private:
    BusReply replyTo(const std::string& method) const;

    std::map<std::string, BusReply> m_replies;
    std::vector<std::string> m_calls;
};

BusReply Answered(const std::string& text);
BusReply Refused(const std::string& name, const std::string& message);
BusReply Unreachable(const std::string& name, const std::string& message);

}  // namespace lullex::test
