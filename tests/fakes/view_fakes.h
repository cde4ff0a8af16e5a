#pragma once

#include "main_window_view.h"

#include <functional>
#include <map>
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

// Keeps what the window currently shows, control by control, and the window's state; and
// records the calls in order: the controls' as "text Counter Connection Error",
// "colour Counter 33023", "bold Counter 1" (names as in the Label and Button enumerations),
// the window primitives' as "show", "minimise", "topmost"...
class RecordingView : public MainWindowView {
public:
    RecordingView();

    void setWindowCaption(const std::string& caption) override
    {
        controlCalls.push_back("caption " + caption);
        windowCaption = caption;
    }
    void setLabelText(Label l, const std::string& text) override
    {
        label("text", l, text).text = text;
    }
    void setLabelTextColour(Label l, Colour colour) override
    {
        label("colour", l, number(colour)).textColour = colour;
    }
    void setLabelBackground(Label l, Colour colour) override
    {
        label("background", l, number(colour)).background = colour;
    }
    void setLabelBold(Label l, bool bold) override { label("bold", l, flag(bold)).bold = bold; }
    void setButtonCaption(Button b, const std::string& caption) override
    {
        button("buttonCaption", b, caption).caption = caption;
    }
    void setButtonTooltip(Button b, const std::string& tooltip) override
    {
        button("tooltip", b, tooltip).tooltip = tooltip;
    }
    void setButtonEnabled(Button b, bool enabled) override
    {
        button("enabled", b, flag(enabled)).enabled = enabled;
    }

    bool isMinimised() const override { return minimised; }
    void setMinimised(bool minimised) override;
    void showWindow() override { window("show", visible) = true; }
    void hideWindow() override { window("hide", visible) = false; }
    void centreOnScreen() override { windowCalls.push_back("centre"); }
    void setTopmost(bool on) override { window(on ? "topmost" : "not topmost", topmost) = on; }
    bool trayAvailable() const override { return hasTray; }
    void addTrayIcon() override { window("add tray icon", trayIcon) = true; }
    void removeTrayIcon() override { window("remove tray icon", trayIcon) = false; }
    void setTrayTooltip(const std::string& tooltip) override { trayTooltip = tooltip; }
    void closeDialogs() override { ++dialogsClosed; }

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
    // The calls that set captions, texts, colours and buttons, in order.
    std::vector<std::string> controlCalls;
    // Window primitives in the order they were called.
    std::vector<std::string> windowCalls;
    // Stands for the toolkit's resize event after every change of the window state.
    std::function<void()> onWindowStateChanged;

private:
    // Record the call and give the state it changes.
    LabelState& label(const char* call, Label which, const std::string& value);
    ButtonState& button(const char* call, Button which, const std::string& value);
    bool& window(const char* call, bool& state);
    static std::string number(Colour colour)
    {
        return std::to_string(static_cast<uint32_t>(colour));
    }
    static std::string flag(bool on) { return on ? "1" : "0"; }
};

}  // namespace lullex::test
