#pragma once

#include "core_fakes.h"
#include "input_aware_initialiser.h"
#include "input_sampler.h"
#include "load_step.h"
#include "monitor_state_machine.h"
#include "window_presenter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lullex::test {

// The core as the program wires it, with recording fakes at every edge. The window's resize
// event reaches the presenter as the toolkit would deliver it.
struct MonitorHarness {
    explicit MonitorHarness(bool inputVisible = true)
        : initialiser(settingsFile, state, inputVisible),
          loadStep({state, initialiser, view, presenter, sampler, machine, log, prompter,
                    [this] { ++priorityRaised; }})
    {
        settingsFile.file = MasterSettings();
        view.onWindowStateChanged = [this] { presenter.onWindowStateChanged(); };
        probe.moveTo(100, 200);
    }

    void start(const std::string& argumentText = "") { loadStep.load(argumentText); }

    // One 500 ms timer event; the toolkit delivers none while the timer is stopped.
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(timer.running) << "tick while the main timer is stopped";
            machine.onTick();
            ++ticks;
        }
    }
    void seconds(int count) { tick(2 * count); }

    // Ticks until the program ends; the exit code, or nothing if it still runs after maxTicks.
    std::optional<int> ticksUntilEnd(int maxTicks)
    {
        try {
            for (int i = 0; i < maxTicks; ++i) {
                machine.onTick();
                ++ticks;
            }
        } catch (const ProgramEnded& ended) {
            ++ticks;
            return ended.exitCode;
        }
        return std::nullopt;
    }

    const std::string& counter() { return view.text(Label::Counter); }
    const std::string& title() { return view.text(Label::Title); }

    AppState state;
    RecordingView view;
    ScriptedProbe probe;
    RecordingLog log{state};
    RecordingPrompter prompter;
    RecordingPower power;
    RecordingSender sender{state};
    RecordingTimer timer;
    ThrowingTerminator terminator;
    ScriptedInitialiser settingsFile{state, timer};
    InputAwareInitialiser initialiser;
    InputSampler sampler{probe, state};
    WindowPresenter presenter{state, view};
    MonitorStateMachine machine{
        {state, view, presenter, sampler, log, prompter, power, sender, timer, terminator}};
    LoadStep loadStep;
    int priorityRaised = 0;
    int ticks = 0;
};

}  // namespace lullex::test
