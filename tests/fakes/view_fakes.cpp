#include "view_fakes.h"

namespace lullex::test {

namespace {

// Indexed by the enumerations' order.
const char* const LabelNames[] = {"Title", "Counter", "CPULoad"};
const char* const ButtonNames[] = {"Reset", "TestS", "Config", "About", "Exit"};
const Button AllButtons[] = {Button::Reset, Button::TestS, Button::Config, Button::About,
                             Button::Exit};

std::string name(Label label)
{
    return LabelNames[static_cast<int>(label)];
}

std::string name(Button button)
{
    return ButtonNames[static_cast<int>(button)];
}

std::string number(Colour colour)
{
    return std::to_string(static_cast<uint32_t>(colour));
}

std::string flag(bool on)
{
    return on ? "1" : "0";
}

}  // namespace

RecordingView::RecordingView()
{
    const char* const captions[] = {"Reset", "Test", "Configure", "About", "Exit"};
    for (Button button : AllButtons)
        buttons[button].caption = captions[static_cast<int>(button)];
    for (Label label : {Label::Title, Label::Counter, Label::CPULoad})
        labels[label] = LabelState{};
}

void RecordingView::setWindowCaption(const std::string& caption)
{
    controlCalls.push_back("caption " + caption);
    windowCaption = caption;
}

void RecordingView::setLabelText(Label label, const std::string& text)
{
    controlCalls.push_back("text " + name(label) + " " + text);
    labels[label].text = text;
}

void RecordingView::setLabelTextColour(Label label, Colour colour)
{
    controlCalls.push_back("colour " + name(label) + " " + number(colour));
    labels[label].textColour = colour;
}

void RecordingView::setLabelBackground(Label label, Colour colour)
{
    controlCalls.push_back("background " + name(label) + " " + number(colour));
    labels[label].background = colour;
}

void RecordingView::setLabelBold(Label label, bool bold)
{
    controlCalls.push_back("bold " + name(label) + " " + flag(bold));
    labels[label].bold = bold;
}

void RecordingView::setButtonCaption(Button button, const std::string& caption)
{
    controlCalls.push_back("buttonCaption " + name(button) + " " + caption);
    buttons[button].caption = caption;
}

void RecordingView::setButtonTooltip(Button button, const std::string& tooltip)
{
    controlCalls.push_back("tooltip " + name(button) + " " + tooltip);
    buttons[button].tooltip = tooltip;
}

void RecordingView::setButtonEnabled(Button button, bool enabled)
{
    controlCalls.push_back("enabled " + name(button) + " " + flag(enabled));
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
    for (Button button : AllButtons)
        result.push_back(buttons[button].enabled);
    return result;
}

}  // namespace lullex::test
