#pragma once

namespace lullex {

// What a partner's cancel and test tags do on this side: the same as the buttons.
class PartnerCommands {
public:
    virtual ~PartnerCommands() = default;
    virtual void onReset() = 0;
    virtual void onTest() = 0;
};

}  // namespace lullex
