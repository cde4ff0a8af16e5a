#pragma once

namespace lullex {

// Sends AppState::NextTag to the partner (a master only). Failures are absorbed inside.
class LinkSender {
public:
    virtual ~LinkSender() = default;
    virtual void SendTag() = 0;
};

}  // namespace lullex
