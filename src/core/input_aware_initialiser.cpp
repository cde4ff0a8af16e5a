#include "input_aware_initialiser.h"

#include "app_state.h"

namespace lullex {

InputAwareInitialiser::InputAwareInitialiser(SettingsInitialiser& inner, AppState& state,
                                             bool inputVisible)
    : m_inner(inner), m_state(state), m_inputVisible(inputVisible)
{
}

void InputAwareInitialiser::InitSettings()
{
    m_inner.InitSettings();
    if (!m_inputVisible)
        m_state.NotConfigured = true;
}

}  // namespace lullex
