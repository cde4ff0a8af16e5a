#include "link_fakes.h"

namespace lullex::test {

namespace {

// Indexed by the enumerations' order.
const char* const LabelNames[] = {"Title", "Counter", "CPULoad"};
const char* const ButtonNames[] = {"Reset", "TestS", "Config", "About", "Exit"};

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

bool FakeTransport::send(std::string_view datagram)
{
    attempted.emplace_back(datagram);
    if (sendResults.empty()) {
        return true;
    }
    const bool result = sendResults.front();
    sendResults.pop_front();
    return result;
}

void FakeTransport::close()
{
    calls.push_back("close");
}

bool FakeTransport::bind(int32_t port)
{
    calls.push_back("bind " + std::to_string(port));
    return bindResult;
}

void FakeTransport::setReceiveHandler(ReceiveHandler newHandler)
{
    handler = std::move(newHandler);
}

void FakeTransport::deliver(const std::optional<std::string>& datagram)
{
    if (handler) {
        handler(datagram);
    }
}

void RecordingView::setWindowCaption(const std::string& caption)
{
    calls.push_back("caption " + caption);
}

void RecordingView::setLabelText(Label label, const std::string& text)
{
    calls.push_back("text " + name(label) + " " + text);
}

void RecordingView::setLabelTextColour(Label label, Colour colour)
{
    calls.push_back("colour " + name(label) + " " + number(colour));
}

void RecordingView::setLabelBackground(Label label, Colour colour)
{
    calls.push_back("background " + name(label) + " " + number(colour));
}

void RecordingView::setLabelBold(Label label, bool bold)
{
    calls.push_back("bold " + name(label) + " " + flag(bold));
}

void RecordingView::setButtonCaption(Button button, const std::string& caption)
{
    calls.push_back("buttonCaption " + name(button) + " " + caption);
}

void RecordingView::setButtonTooltip(Button button, const std::string& tooltip)
{
    calls.push_back("tooltip " + name(button) + " " + tooltip);
}

void RecordingView::setButtonEnabled(Button button, bool enabled)
{
    calls.push_back("enabled " + name(button) + " " + flag(enabled));
}

void RecordingView::setMinimised(bool minimised)
{
    calls.push_back("minimised " + flag(minimised));
}

void RecordingView::setTopmost(bool topmost)
{
    calls.push_back("topmost " + flag(topmost));
}

void RecordingCommands::record(const std::string& name)
{
    calls.push_back(name + " " + m_state.CommsStatus + " " + std::to_string(m_state.NoActivity));
}

BoxAnswer RecordingPrompter::show(const MessageBox& box)
{
    shown.push_back(box);
    if (onShow) {
        onShow();
    }
    return answer;
}

}  // namespace lullex::test
