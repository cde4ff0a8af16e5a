#include "core_fakes.h"

namespace lullex::test {

RecordingView::RecordingView()
{
    buttons[Button::Reset].caption = "Reset";
    buttons[Button::TestS].caption = "Test";
    buttons[Button::Config].caption = "Configure";
    buttons[Button::About].caption = "About";
    buttons[Button::Exit].caption = "Exit";
    for (Label label : {Label::Title, Label::Counter, Label::CPULoad})
        labels[label] = LabelState{};
}

void RecordingView::setLabelTextColour(Label label, Colour colour)
{
    labels[label].textColour = colour;
}

void RecordingView::setLabelBackground(Label label, Colour colour)
{
    labels[label].background = colour;
}

void RecordingView::setButtonCaption(Button button, const std::string& caption)
{
    buttons[button].caption = caption;
}

void RecordingView::setButtonTooltip(Button button, const std::string& tooltip)
{
    buttons[button].tooltip = tooltip;
}

void RecordingView::setButtonEnabled(Button button, bool enabled)
{
    buttons[button].enabled = enabled;
}

void RecordingView::setMinimised(bool value)
{
    windowCalls.push_back(value ? "minimise" : "normal");
    const bool changed = minimised != value;
    minimised = value;
    if (changed && onWindowStateChanged)
        onWindowStateChanged();
}

void RecordingView::showWindow()
{
    windowCalls.push_back("show");
    visible = true;
}

void RecordingView::hideWindow()
{
    windowCalls.push_back("hide");
    visible = false;
}

void RecordingView::centreOnScreen()
{
    windowCalls.push_back("centre");
}

void RecordingView::setTopmost(bool value)
{
    windowCalls.push_back(value ? "topmost" : "not topmost");
    topmost = value;
}

void RecordingView::addTrayIcon()
{
    windowCalls.push_back("add tray icon");
    trayIcon = true;
}

void RecordingView::removeTrayIcon()
{
    windowCalls.push_back("remove tray icon");
    trayIcon = false;
}

void RecordingView::closeDialogs()
{
    ++dialogsClosed;
}

std::vector<bool> RecordingView::enabledButtons()
{
    std::vector<bool> result;
    for (Button button :
         {Button::Reset, Button::TestS, Button::Config, Button::About, Button::Exit})
        result.push_back(buttons[button].enabled);
    return result;
}

InputReading ScriptedProbe::read()
{
    ++reads;
    InputReading result = reading;
    reading.wheelTurned = false;
    return result;
}

void ScriptedProbe::moveTo(int32_t x, int32_t y)
{
    reading.cursorX = x;
    reading.cursorY = y;
}

void PrintTo(const LogEntry& entry, std::ostream* out)
{
    *out << '{' << (entry.testRun ? "*" : " ") << '"' << entry.event << "\", \"" << entry.detail
         << "\", Count " << entry.count << '}';
}

void RecordingLog::WriteLogBlock(int16_t mode)
{
    calls.push_back("WriteLogBlock(" + std::to_string(mode) + ")");
}

void RecordingLog::WriteStatusLine(const std::string& event, const std::string& detail)
{
    calls.push_back("WriteStatusLine(" + event + ", " + detail + ")");
    entries.push_back({event, detail, m_state.TestRun, m_state.Count});
}

BoxAnswer ScriptedPrompter::show(const MessageBox& box)
{
    boxes.push_back(box);
    // A box opened behind another one is recorded, not driven: a test expecting one box then
    // fails on the count instead of recursing.
    if (whileOpen && !m_open) {
        m_open = true;
        whileOpen(box);
        m_open = false;
    }
    return box.buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
}

void RecordingPower::ShutdownSystem(int32_t flags)
{
    record("ShutdownSystem(" + std::to_string(flags) + ")");
}

void RecordingPower::record(const std::string& call)
{
    calls.push_back(call);
    if (onCall)
        onCall();
    if (failure)
        throw *failure;
}

void RecordingSender::SendTag()
{
    tags.push_back(m_state.NextTag);
    m_state.NextTag = "<LXA100>";
}

void ScriptedInitialiser::InitSettings()
{
    ++calls;
    m_state.AppTitle = "Lullex";
    m_state.DialogOpen = false;
    m_timer.stop();
    m_state.NotConfigured = notConfigured;
    m_state.PortError = false;
    m_state.settings = file;
    m_state.TickDivider = 2;
    if (file.CMain == RoleSlave)
        m_state.AppTitle = "Lullex Slave";
    m_state.ConfigSaved = false;
    m_state.AutoMinimise = true;
}

Settings MasterSettings()
{
    Settings settings;
    settings.CMain = RoleMaster;
    settings.DName = 1;
    settings.IPAdd = "10.200.0.2";
    settings.Port1 = 5000;
    settings.CPUDelay = 300;
    settings.LogLevel = LogLevelFull;
    settings.LogName = "Lullex.log";
    settings.LogPath = "Log/";
    settings.RunOnTop = 1;
    settings.StartDelay = 10;
    settings.StartMin = 1;
    settings.ShutTime = 60;
    settings.ShutType = 1;
    return settings;
}

}  // namespace lullex::test
