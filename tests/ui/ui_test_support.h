#pragma once

#include "wait_until.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lullex::test {

// The application object of a test binary, made once the environments before it (an X
// session) are up and gone before they go; WaitUntil runs its event loop.
class QtApplicationEnvironment : public testing::Environment {
public:
    QtApplicationEnvironment(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}
    void SetUp() override;
    void TearDown() override;

private:
    int& m_argc;
    char** m_argv;
    std::unique_ptr<QApplication> m_application;
};

// Waits until the window system shows the widget's window.
bool WaitUntilExposed(QWidget& widget);

// Redirects file descriptor 2 into a temporary file until text() is called.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string text();

private:
    void restore();

    std::FILE* m_file = nullptr;
    int m_saved = -1;
};

// What a message box looked like while it was open.
struct SeenBox {
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat textFormat = Qt::AutoText;
};

// Waits (from inside the modal loop) for the next message box, records it and answers it
// with act.
class BoxResponder {
public:
    explicit BoxResponder(std::function<void(QMessageBox&)> act);
    const SeenBox& seen() const { return m_seen; }

    static std::function<void(QMessageBox&)> press(QMessageBox::StandardButton button);
    static std::function<void(QMessageBox&)> pressEscape();

private:
    void poll();

    std::function<void(QMessageBox&)> m_act;
    QTimer m_poll;
    SeenBox m_seen;
};

// Runs `open`, which shows a modal screen of type Screen and returns once it has closed, and
// runs `act` on the screen once it shows.
template <typename Screen>
void RunOnceShown(const std::function<void(Screen&)>& act, const std::function<void()>& open)
{
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* shown = qobject_cast<Screen*>(QApplication::activeModalWidget())) {
            poll.stop();
            act(*shown);
        }
    });
    poll.start();
    open();
}

// The result of running the helper program to its end.
struct HelperRun {
    int exitCode = -1;  // 128 + the signal when it crashed
    std::string standardOutput;
    std::string standardError;  // without Qt's own notes, which the helper marks with "qt: "
    std::vector<std::string> qtMessages;
};

// Runs the helper offscreen; throws std::runtime_error when it does not end in time.
HelperRun RunHelper(const std::vector<std::string>& arguments);

}  // namespace lullex::test
