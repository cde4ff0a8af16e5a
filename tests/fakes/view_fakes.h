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

    void setWindowCaption(const std::string& caption) override;
    void setLabelText(Label label, const std::string& text) override;
    void setLabelTextColour(Label label, Colour colour) override;
    void setLabelBackground(Label label, Colour colour) override;
    void setLabelBold(Label label, bool bold) override;
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
    // The calls that set captions, texts, colours and buttons, in order.
    std::vector<std::string> controlCalls;
    // Window primitives in the order they were called.
    std::vector<std::string> windowCalls;
    // Stands for the toolkit's resize event after every change of the window state.
    std::function<void()> onWindowStateChanged;
};

}  // namespace lullex::test
