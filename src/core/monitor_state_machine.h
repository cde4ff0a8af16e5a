#pragma once

#include "keep_awake_source.h"
#include "levelled_log.h"
#include "partner_commands.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace lullex {

struct AppState;
struct PowerError;
struct ShutTypeInfo;
class InputSampler;
class KeepAwakeWatch;
class LinkSender;
class MainTimer;
class MainWindowView;
class PowerActions;
class Prompter;
class Terminator;
class WindowPresenter;

// Everything the state machine reaches the world through.
struct MonitorCollaborators {
    AppState& state;
    MainWindowView& view;
    WindowPresenter& presenter;
    InputSampler& sampler;
    LogWriter& log;
    Prompter& prompter;
    PowerActions& power;
    LinkSender& sender;
    MainTimer& timer;
    Terminator& terminator;
};

// The Initialise / Run / Countdown machine driven by the 500 ms timer: it counts the activation
// delay, the seconds without activity (or without the partner's tags on a slave) and the
// countdown, and carries out the power action when the countdown runs out.
class MonitorStateMachine : public PartnerCommands {
public:
    explicit MonitorStateMachine(const MonitorCollaborators& parts);

    // The timer event, every 500 ms while the main timer runs.
    void onTick();

    // Back to the start of Initialise; always followed by StartMonitoring.
    void ResetState();
    // Writes the window's texts, may minimise the window, and starts the main timer.
    void StartMonitoring();

    void onReset() override;
    void onTest() override;
    void onExit();
    // Any closing of the main window: the program ends here.
    void onClose();
    void onAbout();
    void onConfigure();

    // The screens that the About and Configure buttons open (modal; may be left unset).
    void setAboutScreen(std::function<void()> open) { m_openAbout = std::move(open); }
    void setConfigScreen(std::function<void()> open) { m_openConfig = std::move(open); }
    // What applications keep the computer awake with (may be left unset: nothing does).
    void setKeepAwake(KeepAwakeWatch* watch) { m_keepAwake = watch; }

private:
    // "-InhibitShutdown": the idle limit and the countdown both last this long.
    static constexpr int16_t InhibitedLimit = 6;
    // A test run waits this long before it watches, then watches for TestIdleLimit seconds.
    static constexpr int16_t TestActivationDelay = 2;
    static constexpr int16_t TestIdleLimit = 5;

    void runTick();
    void runStateSteps();
    bool stepsMayRun() const;
    bool tagDue() const;
    void closeTimedOutDialogs();
    void reportUncaughtFailure(const PowerError& error);

    void SampleActivity();
    void ActivationTick();
    void MonitorTick();
    std::optional<Inhibition> keptAwake();
    void showRunCount(const std::optional<Inhibition>& keptAwake);
    void CountdownTick();
    void endTestRun(const ShutTypeInfo& action);
    void showCountdown(const ShutTypeInfo& action);
    void finishCountdown(const ShutTypeInfo& action);
    void simulateAction(const ShutTypeInfo& action);
    void carryOutAction(const ShutTypeInfo& action);
    void showCountdownBox(const std::string& titleSuffix, const std::string& text);
    void ResetMonitoring();
    void restDisplay();
    void setTooltips();
    void showSetUpRequest();

    bool isMaster() const;
    bool monitoringBlocked() const;
    int16_t countdownLength() const;
    const ShutTypeInfo& action() const;
    std::string stateDetail() const;
    void sendTag(const char* tag);

    AppState& m_state;
    MainWindowView& m_view;
    WindowPresenter& m_presenter;
    InputSampler& m_sampler;
    LevelledLog m_log;
    Prompter& m_prompter;
    PowerActions& m_power;
    LinkSender& m_sender;
    MainTimer& m_timer;
    Terminator& m_terminator;

    std::function<void()> m_openAbout;
    std::function<void()> m_openConfig;
    KeepAwakeWatch* m_keepAwake = nullptr;
    // A box of the countdown is open; the timer keeps firing meanwhile.
    bool m_countdownBoxOpen = false;
    // A power routine failed and the program is about to end.
    bool m_failing = false;
};

}  // namespace lullex
