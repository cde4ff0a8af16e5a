#pragma once

#include "keep_awake_source.h"
#include "levelled_log.h"

#include <optional>
#include <vector>

namespace lullex {

struct AppState;
class MainWindowView;

// Asks every keep-awake source once per monitoring second. It tells the log when the computer
// starts and stops being kept awake, and shows who keeps it so in the tray tooltip.
class KeepAwakeWatch {
public:
    KeepAwakeWatch(AppState& state, LogWriter& log, MainWindowView& view);

    void addSource(KeepAwakeSource& source) { m_sources.push_back(&source); }
    // The inhibition in force for the configured action: the first source's that has one.
    std::optional<Inhibition> check(ShutType action);

private:
    std::optional<Inhibition> askSources(ShutType action);
    void noteChange(const std::optional<Inhibition>& now);

    LevelledLog m_log;
    MainWindowView& m_view;
    std::vector<KeepAwakeSource*> m_sources;
    std::optional<Inhibition> m_held;
};

// The counter's and tooltip's words for an inhibition: "Kept awake by Firefox: video playing".
std::string KeptAwakeText(const Inhibition& inhibition);

}  // namespace lullex
