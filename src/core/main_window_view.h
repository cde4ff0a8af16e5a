#pragma once

#include "colour.h"

#include <string>

namespace lullex {

enum class Label { Title, Counter, CPULoad };
enum class Button { Reset, TestS, Config, About, Exit };

// What the monitoring logic needs of the main window: texts, colours and buttons, and the
// window primitives that the presentation logic (window_presenter.h) combines. An
// implementation only shows; it decides nothing.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    virtual void setWindowCaption(const std::string& caption) = 0;
    virtual void setLabelText(Label label, const std::string& text) = 0;
    virtual void setLabelTextColour(Label label, Colour colour) = 0;
    virtual void setLabelBackground(Label label, Colour colour) = 0;
    virtual void setLabelBold(Label label, bool bold) = 0;
    virtual void setButtonCaption(Button button, const std::string& caption) = 0;
    virtual void setButtonTooltip(Button button, const std::string& tooltip) = 0;
    virtual void setButtonEnabled(Button button, bool enabled) = 0;

    virtual bool isMinimised() const = 0;
    virtual void setMinimised(bool minimised) = 0;  // the window state: minimised or normal
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void centreOnScreen() = 0;
    virtual void setTopmost(bool topmost) = 0;
    // Whether a tray icon can be shown now (the desktop may have no tray host).
    virtual bool trayAvailable() const = 0;
    virtual void addTrayIcon() = 0;
    virtual void removeTrayIcon() = 0;
    virtual void setTrayTooltip(const std::string& tooltip) = 0;

    // Closes the About and configuration screens, whichever is open; each one's opener then
    // runs its closing routine, as after any other way of closing it.
    virtual void closeDialogs() = 0;
};

}  // namespace lullex
