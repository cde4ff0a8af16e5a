#include "input_aware_initialiser.h"

#include "app_state.h"

#include <utility>

namespace lullex {

InputAwareInitialiser::InputAwareInitialiser(SettingsInitialiser& inner, AppState& state,
                                             bool inputVisible, std::string unseenReason)
    : m_inner(inner), m_state(state), m_inputVisible(inputVisible),
      m_unseenReason(std::move(unseenReason))
{
}

void InputAwareInitialiser::InitSettings()
{
    m_inner.InitSettings();
    if (missesInput())
        m_state.NotConfigured = true;
}

// Only a master watches the keyboard and mouse; a slave only listens on its port.
bool InputAwareInitialiser::missesInput() const
{
    return !m_inputVisible && m_state.settings.CMain == RoleMaster;
}

}  // namespace lullex
