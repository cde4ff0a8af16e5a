#pragma once

#include "activity_source.h"
#include "input_probe.h"
#include "probe_activity_source.h"

#include <memory>

namespace lullex {

struct AppState;
class LogWriter;

// Decides once per sample whether the computer was used since the previous sample, by asking
// the session's activity source. The flags of the last sample are kept in AppState
// (KeyChanged, MouseMoved, InputDetailKnown), where the log's status line reads them.
class InputSampler {
public:
    // A source that starts failing is reported to the log once, at the Normal level.
    InputSampler(ActivitySource& source, AppState& state, LogWriter& log);
    // Compares the probe's readings itself. Such a probe does not fail mid-run (Xlib ends the
    // process when the display goes away), so there is nothing to log.
    InputSampler(InputProbe& probe, AppState& state);

    // Takes one sample; true when the source saw activity, or could not tell.
    bool InputChanged();
    // Forgets the previous sample.
    void ResetInput();

private:
    void noteFailure(bool failing);

    std::unique_ptr<ProbeActivitySource> m_ownSource;
    ActivitySource& m_source;
    AppState& m_state;
    LogWriter* m_log = nullptr;
    bool m_failing = false;
};

}  // namespace lullex
