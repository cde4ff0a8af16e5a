#include "qt_prompter.h"

#include "ui_test_support.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

struct PromptCase {
    const char* what;
    MessageBox box;
    QMessageBox::StandardButton press;
    BoxAnswer answer;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

void PrintTo(const PromptCase& row, std::ostream* out)
{
    *out << row.what;
}

class QtPrompterTest : public testing::TestWithParam<PromptCase> {};

TEST_P(QtPrompterTest, ShowsTheBoxEchoesItAndReturnsThePressedButton)
{
    const PromptCase& row = GetParam();
    QtPrompter prompter;
    test::BoxResponder responder(test::BoxResponder::press(row.press));
    test::StderrCapture capture;

    const BoxAnswer answer = prompter.show(row.box);
    const std::string echoed = capture.text();

    ASSERT_TRUE(responder.seen().seen);
    EXPECT_EQ(answer, row.answer);
    EXPECT_EQ(responder.seen().title.toStdString(), row.box.title);
    EXPECT_EQ(responder.seen().icon, row.icon);
    EXPECT_EQ(responder.seen().buttons, row.buttons);

    std::string joined;
    std::string expectedEcho = row.box.title + "\n";
    for (const std::string& line : row.box.lines) {
        joined += (joined.empty() ? "" : "\n") + line;
        expectedEcho += line + "\n";
    }
    EXPECT_EQ(responder.seen().text.toStdString(), joined);
    EXPECT_EQ(echoed, expectedEcho);
}

const MessageBox ConfigError{
    "Lullex Configuration File Error",
    BoxIcon::Critical,
    BoxButtons::Ok,
    {"The configuration file Data/Lullex.ini is missing.", "The program will now terminate."}};
const MessageBox PortQuestion{"Lullex Slave Port Error",
                              BoxIcon::Question,
                              BoxButtons::YesNo,
                              {"Port 6000 is in use.", "Terminate the program?"}};
const MessageBox Simulation{
    "Lullex Simulate Power Off", BoxIcon::None, BoxButtons::Ok, {"Test Real Power Off"}};
const MessageBox Warning{"Lullex Warning", BoxIcon::Warning, BoxButtons::Ok, {"One line"}};
const MessageBox Information{
    "Lullex Information", BoxIcon::Information, BoxButtons::YesNo, {"First", "", "Third"}};

INSTANTIATE_TEST_SUITE_P(
    EveryIconAndButtonSet, QtPrompterTest,
    testing::Values(PromptCase{"critical ok", ConfigError, QMessageBox::Ok, BoxAnswer::Ok,
                               QMessageBox::Critical, QMessageBox::Ok},
                    PromptCase{"question yes", PortQuestion, QMessageBox::Yes, BoxAnswer::Yes,
                               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
                    PromptCase{"question no", PortQuestion, QMessageBox::No, BoxAnswer::No,
                               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
                    PromptCase{"no icon", Simulation, QMessageBox::Ok, BoxAnswer::Ok,
                               QMessageBox::NoIcon, QMessageBox::Ok},
                    PromptCase{"warning", Warning, QMessageBox::Ok, BoxAnswer::Ok,
                               QMessageBox::Warning, QMessageBox::Ok},
                    PromptCase{"information, empty line kept", Information, QMessageBox::No,
                               BoxAnswer::No, QMessageBox::Information,
                               QMessageBox::Yes | QMessageBox::No}));

TEST(QtPrompterEscapeTest, EscapeOnAYesNoBoxAnswersNo)
{
    QtPrompter prompter;
    test::BoxResponder responder(test::BoxResponder::pressEscape());
    test::StderrCapture capture;
    EXPECT_EQ(prompter.show(PortQuestion), BoxAnswer::No);
    ASSERT_TRUE(responder.seen().seen);
}

TEST(QtPrompterMarkupTest, TagsInTheTextShowAsWritten)
{
    QtPrompter prompter;
    test::BoxResponder responder(test::BoxResponder::press(QMessageBox::Ok));
    test::StderrCapture capture;
    prompter.show(MessageBox{"Lullex", BoxIcon::None, BoxButtons::Ok, {"<LXA000> <b>bold</b>"}});
    ASSERT_TRUE(responder.seen().seen);
    EXPECT_EQ(responder.seen().textFormat, Qt::PlainText);
    EXPECT_EQ(responder.seen().text.toStdString(), "<LXA000> <b>bold</b>");
}

}  // namespace
}  // namespace lullex
