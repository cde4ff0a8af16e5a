#pragma once

#include "app_state.h"
#include "datagram_transport.h"
#include "main_window_view.h"
#include "partner_commands.h"
#include "program_end.h"
#include "prompter.h"
#include "seam_fakes.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lullex::test {

// Records what was sent and answers send and bind as scripted; deliver() plays an arrival.
class FakeTransport : public DatagramTransport {
public:
    bool send(std::string_view datagram) override;
    void close() override;
    bool bind(int32_t port) override;
    void setReceiveHandler(ReceiveHandler handler) override;

    void deliver(const std::optional<std::string>& datagram);

    // Answers of the coming sends, oldest first; once used up, sends succeed.
    std::deque<bool> sendResults;
    bool bindResult = true;
    std::vector<std::string> attempted;  // every datagram handed to send, including failures
    std::vector<std::string> calls;      // "close" and "bind <port>", in order
    ReceiveHandler handler;
};

// The view's calls, one line each: "text Counter Connection Error", "colour Counter 33023",
// "bold Counter 1" (the label names as in the Label enumeration).
class RecordingView : public MainWindowView {
public:
    void setWindowCaption(const std::string& caption) override;
    void setLabelText(Label label, const std::string& text) override;
    void setLabelTextColour(Label label, Colour colour) override;
    void setLabelBackground(Label label, Colour colour) override;
    void setLabelBold(Label label, bool bold) override;
    void setButtonCaption(Button button, const std::string& caption) override;
    void setButtonTooltip(Button button, const std::string& tooltip) override;
    void setButtonEnabled(Button button, bool enabled) override;
    bool isMinimised() const override { return false; }
    void setMinimised(bool minimised) override;
    void showWindow() override { calls.push_back("showWindow"); }
    void hideWindow() override { calls.push_back("hideWindow"); }
    void centreOnScreen() override { calls.push_back("centreOnScreen"); }
    void setTopmost(bool topmost) override;
    bool trayAvailable() const override { return false; }
    void addTrayIcon() override { calls.push_back("addTrayIcon"); }
    void removeTrayIcon() override { calls.push_back("removeTrayIcon"); }
    void setTrayTooltip(const std::string&) override {}
    void closeDialogs() override { calls.push_back("closeDialogs"); }

    std::vector<std::string> calls;
};

// Records each command with the link state it found: "onReset -OK- 0" is onReset
// called while CommsStatus was "-OK-" and NoActivity 0.
class RecordingCommands : public PartnerCommands {
public:
    explicit RecordingCommands(const AppState& state) : m_state(state) {}
    void onReset() override { record("onReset"); }
    void onTest() override { record("onTest"); }

    std::vector<std::string> calls;

private:
    void record(const std::string& name);
    const AppState& m_state;
};

class RecordingPrompter : public Prompter {
public:
    BoxAnswer show(const MessageBox& box) override;

    BoxAnswer answer = BoxAnswer::No;
    std::vector<MessageBox> shown;
    std::function<void()> onShow;  // runs when a box shows, before it is answered
};

class RecordingTimer : public MainTimer {
public:
    void start() override { calls.push_back("start"); }
    void stop() override { calls.push_back("stop"); }

    std::vector<std::string> calls;
};

}  // namespace lullex::test
