#pragma once

#include "link_sender.h"
#include "main_window_view.h"
#include "power_actions.h"
#include "program_end.h"
#include "prompter.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace lullex::bench {

// The parts of the program around the monitoring loop that a measurement of the loop itself
// leaves out: the window's widgets, the boxes, the link's socket and the power routines. They
// do nothing, so what is timed is the state machine, the input sample and the log.
class QuietView : public MainWindowView {
public:
    void setWindowCaption(const std::string&) override {}
    void setLabelText(Label, const std::string&) override {}
    void setLabelTextColour(Label, Colour) override {}
    void setLabelBackground(Label, Colour) override {}
    void setLabelBold(Label, bool) override {}
    void setButtonCaption(Button, const std::string&) override {}
    void setButtonTooltip(Button, const std::string&) override {}
    void setButtonEnabled(Button, bool) override {}
    bool isMinimised() const override { return false; }
    void setMinimised(bool) override {}
    void showWindow() override {}
    void hideWindow() override {}
    void centreOnScreen() override {}
    void setTopmost(bool) override {}
    bool trayAvailable() const override { return false; }
    void addTrayIcon() override {}
    void removeTrayIcon() override {}
    void setTrayTooltip(const std::string&) override {}
    void closeDialogs() override {}
};

class QuietSender : public LinkSender {
public:
    void SendTag() override {}
};

class QuietTimer : public MainTimer {
public:
    void start() override {}
    void stop() override {}
};

// The loop measured never reaches a box, a power call or the program's end; if it did, the
// numbers would describe something else, so the run stops loudly instead.
class RefusingPrompter : public Prompter {
public:
    BoxAnswer show(const MessageBox& box) override
    {
        throw std::logic_error("the measured loop opened a box: " + box.title);
    }
};

class RefusingPower : public PowerActions {
public:
    void ShutdownSystem(int32_t) override { refuse(); }
    void HibernateSystem() override { refuse(); }
    void StandbySystem() override { refuse(); }

private:
    [[noreturn]] static void refuse()
    {
        throw std::logic_error("the measured loop reached a power action");
    }
};

class RefusingTerminator : public Terminator {
public:
    [[noreturn]] void endProgram(int exitCode) override
    {
        std::fprintf(stderr, "the measured loop ended the program with code %d\n", exitCode);
        std::abort();
    }
};

}  // namespace lullex::bench
