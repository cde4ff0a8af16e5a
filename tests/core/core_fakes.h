#pragma once

#include "app_state.h"
#include "input_probe.h"
#include "link_sender.h"
#include "log_writer.h"
#include "main_window_view.h"
#include "power_actions.h"
#include "program_end.h"
#include "prompter.h"
#include "seam_fakes.h"
#include "settings_initialiser.h"

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lullex::test {

struct LabelState {
    std::string text;
    Colour textColour = Colour::ButtonText;
    Colour background = Colour::ButtonFace;
    bool bold = false;
};

struct ButtonState {
    std::string caption;
    std::string tooltip;
    bool enabled = true;
};

// Keeps what the window currently shows, control by control, and the window's state.
class RecordingView : public MainWindowView {
public:
    RecordingView();

    void setWindowCaption(const std::string& caption) override { windowCaption = caption; }
    void setLabelText(Label label, const std::string& text) override { labels[label].text = text; }
    void setLabelTextColour(Label label, Colour colour) override;
    void setLabelBackground(Label label, Colour colour) override;
    void setLabelBold(Label label, bool bold) override { labels[label].bold = bold; }
    void setButtonCaption(Button button, const std::string& caption) override;
    void setButtonTooltip(Button button, const std::string& tooltip) override;
    void setButtonEnabled(Button button, bool enabled) override;

    bool isMinimised() const override { return minimised; }
    void setMinimised(bool minimised) override;
    void showWindow() override;
    void hideWindow() override;
    void centreOnScreen() override;
    void setTopmost(bool topmost) override;
    bool trayAvailable() const override { return hasTray; }
    void addTrayIcon() override;
    void removeTrayIcon() override;
    void setTrayTooltip(const std::string& tooltip) override { trayTooltip = tooltip; }
    void closeDialogs() override;

    // The user minimises or restores the window with the window manager's buttons.
    void userSetsMinimised(bool minimised) { setMinimised(minimised); }

    const std::string& text(Label label) { return labels[label].text; }
    bool enabled(Button button) { return buttons[button].enabled; }
    // Which buttons are enabled, in the order Reset, TestS, Config, About, Exit.
    std::vector<bool> enabledButtons();

    std::string windowCaption;
    std::map<Label, LabelState> labels;
    std::map<Button, ButtonState> buttons;
    bool minimised = false;
    bool visible = false;
    bool topmost = false;
    bool hasTray = true;
    bool trayIcon = false;
    std::string trayTooltip = "lullex";
    int dialogsClosed = 0;
    // Window primitives in the order they were called.
    std::vector<std::string> windowCalls;
    // Stands for the toolkit's resize event after every change of the window state.
    std::function<void()> onWindowStateChanged;
};

// Returns the reading the test has set; a wheel turn is reported once.
class ScriptedProbe : public InputProbe {
public:
    InputReading read() override;

    void press(int code) { reading.keys.set(static_cast<std::size_t>(code)); }
    void release(int code) { reading.keys.reset(static_cast<std::size_t>(code)); }
    void moveTo(int32_t x, int32_t y);

    InputReading reading;
    int reads = 0;
};

struct LogEntry {
    std::string event;
    std::string detail;
    bool testRun = false;
    int16_t count = 0;

    bool operator==(const LogEntry&) const = default;
};
void PrintTo(const LogEntry& entry, std::ostream* out);

// Keeps every status line as (event, detail, test mark, Count) and the other writes in order.
class RecordingLog : public LogWriter {
public:
    explicit RecordingLog(const AppState& state) : m_state(state) {}

    void CreateLog() override { calls.push_back("CreateLog"); }
    void WriteLogBlock(int16_t mode) override;
    void WriteStatusLine(const std::string& event, const std::string& detail) override;

    std::vector<LogEntry> entries;
    std::vector<std::string> calls;

private:
    const AppState& m_state;
};

// Answers every box with its only or first button; may act while the box is open.
class ScriptedPrompter : public Prompter {
public:
    BoxAnswer show(const MessageBox& box) override;

    std::vector<MessageBox> boxes;
    // Runs while the first box is open, as the box's own event loop would.
    std::function<void(const MessageBox&)> whileOpen;

private:
    bool m_open = false;
};

class RecordingPower : public PowerActions {
public:
    void ShutdownSystem(int32_t flags) override;
    void HibernateSystem() override { record("HibernateSystem"); }
    void StandbySystem() override { record("StandbySystem"); }

    std::vector<std::string> calls;
    std::optional<PowerError> failure;
    std::function<void()> onCall;

private:
    void record(const std::string& call);
};

// Sends like the real sender: NextTag goes out, then the next tag is the heartbeat.
class RecordingSender : public LinkSender {
public:
    explicit RecordingSender(AppState& state) : m_state(state) {}
    void SendTag() override;

    std::vector<std::string> tags;

private:
    AppState& m_state;
};

// Stands for InitSettings: copies the prepared settings in and sets what it sets.
class ScriptedInitialiser : public SettingsInitialiser {
public:
    ScriptedInitialiser(AppState& state, MainTimer& timer) : m_state(state), m_timer(timer) {}
    void InitSettings() override;

    Settings file;
    bool notConfigured = false;
    int calls = 0;

private:
    AppState& m_state;
    MainTimer& m_timer;
};

// A master with the defaults used throughout the tests: StartDelay 10, CPUDelay 300,
// ShutTime 60, Power Off, Full log, neither tray nor on top.
Settings MasterSettings();

}  // namespace lullex::test
