#include "view_fakes.h"

namespace lullex::test {

namespace {

// Indexed by the enumerations' order.
const char* const LabelNames[] = {"Title", "Counter", "CPULoad"};
const char* const ButtonNames[] = {"Reset", "TestS", "Config", "About", "Exit"};
const Button AllButtons[] = {Button::Reset, Button::TestS, Button::Config, Button::About,
                             Button::Exit};

}  // namespace

RecordingView::RecordingView()
{
    const char* const captions[] = {"Reset", "Test", "Configure", "About", "Exit"};
    for (Button button : AllButtons)
        buttons[button].caption = captions[static_cast<int>(button)];
    for (Label label : {Label::Title, Label::Counter, Label::CPULoad})
        labels[label] = LabelState{};
}

LabelState& RecordingView::label(const char* call, Label which, const std::string& value)
{
    controlCalls.push_back(std::string(call) + " " + LabelNames[static_cast<int>(which)] + " " +
                           value);
    return labels[which];
}

ButtonState& RecordingView::button(const char* call, Button which, const std::string& value)
{
    controlCalls.push_back(std::string(call) + " " + ButtonNames[static_cast<int>(which)] + " " +
                           value);
    return buttons[which];
}

bool& RecordingView::window(const char* call, bool& state)
{
    windowCalls.push_back(call);
    return state;
}

void RecordingView::setMinimised(bool value)
{
    windowCalls.push_back(value ? "minimise" : "normal");
    const bool changed = minimised != value;
    minimised = value;
    if (changed && onWindowStateChanged)
        onWindowStateChanged();
}

std::vector<bool> RecordingView::enabledButtons()
{
    std::vector<bool> result;
    for (Button button : AllButtons)
        result.push_back(buttons[button].enabled);
    return result;
}

}  // namespace lullex::test
