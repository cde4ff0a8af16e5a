#include "keep_awake_watch.h"

#include "main_window_view.h"

namespace lullex {
namespace {

constexpr const char* TrayTooltip = "lullex";

}  // namespace

KeepAwakeWatch::KeepAwakeWatch(AppState& state, LogWriter& log, MainWindowView& view)
    : m_log(log, state), m_view(view)
{
}

std::optional<Inhibition> KeepAwakeWatch::check(ShutType action)
{
    std::optional<Inhibition> now = askSources(action);
    noteChange(now);
    return now;
}

std::optional<Inhibition> KeepAwakeWatch::askSources(ShutType action)
{
    for (KeepAwakeSource* source : m_sources) {
        if (std::optional<Inhibition> held = source->holder(action))
            return held;
    }
    return std::nullopt;
}

// One entry when the computer starts being kept awake and one when nothing keeps it so any
// more; a change of holder in between only changes the texts.
void KeepAwakeWatch::noteChange(const std::optional<Inhibition>& now)
{
    if (now.has_value() != m_held.has_value()) {
        if (now)
            m_log.normal("KeptAwake", now->application);
        else
            m_log.normal("Released", m_held->application);
    }
    if (now.has_value() || m_held.has_value())
        m_view.setTrayTooltip(now ? std::string(TrayTooltip) + "\n" + KeptAwakeText(*now)
                                  : TrayTooltip);
    m_held = now;
}

std::string KeptAwakeText(const Inhibition& inhibition)
{
    const std::string who =
        inhibition.application.empty() ? "an application" : inhibition.application;
    if (inhibition.reason.empty())
        return "Kept awake by " + who;
    return "Kept awake by " + who + ": " + inhibition.reason;
}

}  // namespace lullex
