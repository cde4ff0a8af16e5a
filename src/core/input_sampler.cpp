#include "input_sampler.h"

#include "app_state.h"
#include "levelled_log.h"

namespace lullex {

InputSampler::InputSampler(ActivitySource& source, AppState& state, LogWriter& log)
    : m_source(source), m_state(state), m_log(&log)
{
}

InputSampler::InputSampler(InputProbe& probe, AppState& state)
    : m_ownSource(std::make_unique<ProbeActivitySource>(probe)), m_source(*m_ownSource),
      m_state(state)
{
}

bool InputSampler::InputChanged()
{
    const ActivitySample sample = m_source.sample();
    const InputDetail detail = sample.detail.value_or(InputDetail{});
    m_state.KeyChanged = detail.keyChanged;
    m_state.MouseMoved = detail.mouseMoved;
    m_state.InputDetailKnown = sample.detail.has_value();
    noteFailure(sample.activity == Activity::Unknown);
    // A source that cannot tell keeps the computer on: taking it for idle could power off a
    // machine in use.
    return sample.activity != Activity::Idle;
}

void InputSampler::ResetInput()
{
    m_state.MouseMoved = false;
    m_state.KeyChanged = false;
    m_source.reset();
}

// One entry when the source starts failing and one when it answers again, not one a second.
void InputSampler::noteFailure(bool failing)
{
    if (failing == m_failing)
        return;
    m_failing = failing;
    if (m_log != nullptr)
        LevelledLog(*m_log, m_state).normal(failing ? "InputLost" : "InputBack", m_source.name());
}

}  // namespace lullex
