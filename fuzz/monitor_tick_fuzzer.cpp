// The monitoring state machine under any sequence of what can happen to it: timer ticks, keys
// and mouse, the partner's datagrams (through the real receiver), the buttons that are enabled,
// a screen left open, the window minimised. After every event the counters stay within the
// ranges their state allows, one countdown box shows at a time, a slave never sends, the test
// mode never calls a power action, and the program ends only by Exit or at the end of a
// countdown whose action ends it.
#include "config_check.h"
#include "core_fakes.h"
#include "fuzz_check.h"
#include "input_sampler.h"
#include "link_tag.h"
#include "monitor_state_machine.h"
#include "receiving_transport.h"
#include "tag_receiver.h"
#include "window_presenter.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace lullex;
using fuzz::require;

constexpr int16_t TestActivationDelay = 2;
constexpr int16_t TestIdleLimit = 5;
constexpr int16_t InhibitedLimit = 6;
constexpr int16_t FirstEndingToResume = 5;  // Hibernate and Standby resume monitoring

// Short delays, so that a few hundred events reach every state; the ranges checked do not
// depend on the lengths.
Settings settingsFrom(FuzzedDataProvider& input)
{
    Settings settings = test::MasterSettings();
    settings.CMain = input.ConsumeBool() ? RoleSlave : RoleMaster;
    settings.ShutType = input.ConsumeIntegralInRange<int16_t>(1, 6);
    settings.StartDelay = input.ConsumeIntegralInRange<int16_t>(1, 4);
    settings.CPUDelay = input.ConsumeIntegralInRange<int16_t>(5, 8);
    settings.ShutTime = input.ConsumeIntegralInRange<int16_t>(2, 7);
    settings.StartMin = input.ConsumeBool() ? 2 : 1;
    settings.RunOnTop = input.ConsumeBool() ? 2 : 1;
    return settings;
}

std::string datagramFrom(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 4)) {
    case 0:
        return std::string(TagHeartbeat);
    case 1:
        return std::string(TagFirstHeartbeat);
    case 2:
        return std::string(TagCancel);
    case 3:
        return std::string(TagTest);
    default:
        return input.ConsumeRandomLengthString(12);
    }
}

class Program {
public:
    explicit Program(FuzzedDataProvider& input) : m_input(input)
    {
        m_view.onWindowStateChanged = [this] { m_presenter.onWindowStateChanged(); };
        m_initialiser.file = settingsFrom(input);
        m_initialiser.notConfigured = leavesNothingToMonitor(m_initialiser.file);
        m_state.InhibitShutdown = input.ConsumeBool() ? 1 : 0;
        m_probe.moveTo(100, 200);
        m_prompter.whileOpen = [this](const MessageBox&) { whileBoxOpen(); };
        m_power.onCall = [this] {
            require(m_state.InhibitShutdown == 0, "the test mode calls no power action");
        };
        m_machine.setAboutScreen([this] { screenOpen(); });
        m_machine.setConfigScreen([this] { screenOpen(); });
        m_initialiser.InitSettings();
        m_machine.ResetState();
        m_machine.StartMonitoring();
    }

    void run()
    {
        try {
            while (m_input.remaining_bytes() > 0) {
                event();
                checkCounters();
            }
        } catch (const test::ProgramEnded& ended) {
            require(ended.exitCode == 0, "monitoring ends normally");
            require(m_exitPressed || endingCountdownRanOut(), "the program ends only when due");
        }
        require(isMaster() || m_sender.tags.empty(), "a slave never sends");
    }

private:
    void event()
    {
        switch (m_input.ConsumeIntegralInRange(0, 9)) {
        case 0:
            tick();
            break;
        case 1:
            for (int ticks = m_input.ConsumeIntegralInRange(1, 40); ticks > 0; --ticks)
                tick();
            break;
        case 2:
            if (m_input.ConsumeBool())
                m_probe.press(m_input.ConsumeIntegral<uint8_t>());
            else
                m_probe.release(m_input.ConsumeIntegral<uint8_t>());
            break;
        case 3:
            m_probe.moveTo(m_input.ConsumeIntegral<int16_t>(), m_input.ConsumeIntegral<int16_t>());
            break;
        case 4:
            m_receiver.onDatagram(datagramFrom(m_input));
            break;
        case 5:
            click(Button::Reset, [this] { m_machine.onReset(); });
            break;
        case 6:
            click(Button::TestS, [this] { m_machine.onTest(); });
            break;
        case 7:
            click(Button::About, [this] { m_machine.onAbout(); });
            break;
        case 8:
            click(Button::Exit, [this] {
                m_exitPressed = true;
                m_machine.onExit();
            });
            break;
        default:
            m_view.userSetsMinimised(m_input.ConsumeBool());
            break;
        }
    }

    // The toolkit delivers no tick while the timer is stopped.
    void tick()
    {
        if (m_timer.running)
            m_machine.onTick();
    }

    template <typename Click> void click(Button button, Click onClick)
    {
        if (m_view.enabled(button))
            onClick();
    }

    // A modal screen: it counts its own timeout down each second while the main timer fires,
    // until the user closes it or the main tick does.
    void screenOpen()
    {
        m_state.DialogOpen = true;
        m_state.DialogTimeout = m_input.ConsumeIntegralInRange<int16_t>(1, 6);
        while (m_state.DialogOpen && m_input.remaining_bytes() > 0) {
            if (m_input.ConsumeIntegralInRange(0, 7) == 0) {
                m_state.DialogOpen = false;
                return;
            }
            tick();
            tick();
            --m_state.DialogTimeout;
            checkCounters();
        }
    }

    // The box's own event loop keeps the main timer firing.
    void whileBoxOpen()
    {
        const std::size_t boxes = m_prompter.boxes.size();
        for (int ticks = m_input.ConsumeIntegralInRange(0, 8); ticks > 0; --ticks)
            tick();
        require(m_prompter.boxes.size() == boxes, "one countdown box at a time");
    }

    void checkCounters() const
    {
        const Settings& settings = m_state.settings;
        const int16_t count = m_state.Count;
        switch (m_state.State) {
        case RunState::Initialise:
            // The second that counts the delay down to 0 enters Run.
            require(count >= 1 && (count <= settings.StartDelay + 1 ||
                                   (m_state.TestRun && count <= TestActivationDelay)),
                    "the activation count stays within the delay");
            break;
        case RunState::Run:
            require(m_state.IdleLimit == idleLimit(), "the idle limit in force");
            // The second that reaches the limit starts the countdown.
            require(count >= 0 && count < m_state.IdleLimit,
                    "the idle count stays below the limit");
            break;
        case RunState::Countdown:
            require(count >= 0 && count <= countdownLength(),
                    "the countdown stays within its length");
            break;
        }
    }

    int16_t idleLimit() const
    {
        if (m_state.TestRun)
            return TestIdleLimit;
        return m_state.InhibitShutdown == 1 ? InhibitedLimit : m_state.settings.CPUDelay;
    }

    int16_t countdownLength() const
    {
        return m_state.InhibitShutdown == 1 ? InhibitedLimit : m_state.settings.ShutTime;
    }

    bool endingCountdownRanOut() const
    {
        return m_state.State == RunState::Countdown && !m_state.TestRun &&
               m_state.Count >= countdownLength() &&
               m_state.settings.ShutType < FirstEndingToResume;
    }

    bool isMaster() const { return m_state.settings.CMain == RoleMaster; }

    FuzzedDataProvider& m_input;
    AppState m_state;
    test::RecordingView m_view;
    test::ScriptedProbe m_probe;
    test::RecordingLog m_log{m_state};
    test::RecordingPrompter m_prompter;
    test::RecordingPower m_power;
    test::RecordingSender m_sender{m_state};
    test::RecordingTimer m_timer;
    test::ThrowingTerminator m_terminator;
    test::ScriptedInitialiser m_initialiser{m_state, m_timer};
    InputSampler m_sampler{m_probe, m_state};
    WindowPresenter m_presenter{m_state, m_view};
    MonitorStateMachine m_machine{{m_state, m_view, m_presenter, m_sampler, m_log, m_prompter,
                                   m_power, m_sender, m_timer, m_terminator}};
    fuzz::ReceivingTransport m_transport;
    TagReceiver m_receiver{m_state, m_view, m_machine, m_transport};
    bool m_exitPressed = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Program program(input);
    program.run();
    return 0;
}
