#pragma once

#include "settings_initialiser.h"

#include <string>

namespace lullex {

struct AppState;

// Wraps the settings' InitSettings for a desktop where keyboard and mouse input may be
// invisible to us (a Wayland session whose compositor offers no idle notification: only
// Xwayland clients' input would reach an X11 probe, so a machine in use would look idle and be
// powered off). There every (re-)initialisation of a master leaves the program not configured,
// so no monitoring step runs; a slave, which only listens, runs anywhere. Give this object, not
// the inner one, to everything that re-initialises (the configuration screen too).
class InputAwareInitialiser : public SettingsInitialiser {
public:
    // unseenReason: what was looked for and not found, for the refusal box (may be empty).
    InputAwareInitialiser(SettingsInitialiser& inner, AppState& state, bool inputVisible,
                          std::string unseenReason = {});

    void InitSettings() override;
    // A master that cannot see the input it would watch (read after InitSettings).
    bool missesInput() const;
    const std::string& unseenReason() const { return m_unseenReason; }

private:
    SettingsInitialiser& m_inner;
    AppState& m_state;
    bool m_inputVisible;
    std::string m_unseenReason;
};

}  // namespace lullex
