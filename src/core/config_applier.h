#pragma once

namespace lullex {

// What the configuration screen asks of the main window.
class ConfigApplier {
public:
    virtual ~ConfigApplier() = default;
    // Forgets that the user put the window in the other state than StartMin asks for, so the
    // next re-initialisation applies a changed tray choice.
    virtual void clearMinOverride() = 0;
    // Reads the configuration file again and restarts monitoring with it.
    virtual void reinitialise() = 0;
};

}  // namespace lullex
