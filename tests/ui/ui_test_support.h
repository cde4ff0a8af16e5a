#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <string>

namespace lullex::test {

// Generous: the tests share a slow machine with builds.
inline constexpr int DeadlineMs = 20000;

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
    bool finished = false;
    int exitCode = -1;
    bool crashed = false;
    QString standardOutput;
    QString standardError;  // without Qt's own notes, which the helper marks with "qt: "
    QStringList qtMessages;
};

HelperRun runHelper(const QStringList& arguments);

}  // namespace lullex::test
