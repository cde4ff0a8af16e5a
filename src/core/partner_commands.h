#pragma once

namespace lullex {

// What a partner's cancel and test tags do on this side: the same as the buttons.
class PartnerCommands {
public:
    virtual ~PartnerCommands() = default;
    virtual void Reset_Click() = 0;
    virtual void TestS_Click() = 0;
};

}  // namespace lullex
