#pragma once

namespace lullex {

// (Re-)reads and checks Data/Lullex.ini into AppState::settings; ends the program on a bad
// file. For a slave it also binds the receive port.
class SettingsInitialiser {
public:
    virtual ~SettingsInitialiser() = default;
    virtual void InitSettings() = 0;
};

}  // namespace lullex
