// Runs one piece of the user interface that ends the process, so that a test can watch the
// exit code and the output from outside.
//   terminate CODE       a main window's terminator ends the program from the event loop
//   terminate-bare CODE  the same with no window (a fatal error before it exists)
//   multi-inst           the already-running window; its OK button is clicked
#include "lullex_main.h"
#include "multi_inst.h"
#include "qt_terminator.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class RecordingWindow : public lullex::LullexMain {
public:
    void removeTrayIcon() override
    {
        std::fputs("tray icon removed\n", stdout);
        LullexMain::removeTrayIcon();
    }
};

char errorBuffer[4096];

// Qt's own notes (such as a missing XDG_RUNTIME_DIR) are marked, so the test can tell them from
// the lines under test.
void markQtMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    std::fprintf(stderr, "qt: %s\n", qPrintable(message));
}

void prepareOutput()
{
    std::atexit([] { std::fputs("exit handler ran\n", stdout); });
    std::fputs("pending output\n", stdout);
    std::fputs("pending error\n", stderr);
}

int runEventLoop(QApplication& app)
{
    app.exec();
    std::fputs("event loop returned\n", stdout);
    return 99;
}

int terminate(QApplication& app, int code, bool withWindow)
{
    std::unique_ptr<RecordingWindow> window;
    if (withWindow)
        window = std::make_unique<RecordingWindow>();
    prepareOutput();
    lullex::QtTerminator terminator(window.get());
    QTimer::singleShot(0, [&terminator, code] { terminator.endProgram(code); });
    return runEventLoop(app);
}

int multiInst(QApplication& app)
{
    lullex::QtTerminator terminator;
    lullex::MultiInst window(terminator);
    window.show();
    QTimer::singleShot(0, [&window] {
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Exit")), Qt::LeftButton);
    });
    return runEventLoop(app);
}

}  // namespace

int main(int argc, char** argv)
{
    // Both streams fully buffered, as stdout is on a pipe: lost output shows up as missing text.
    std::setvbuf(stderr, errorBuffer, _IOFBF, sizeof errorBuffer);
    qInstallMessageHandler(markQtMessage);
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "terminate") == 0)
        return terminate(app, std::atoi(argv[2]), true);
    if (argc == 3 && std::strcmp(argv[1], "terminate-bare") == 0)
        return terminate(app, std::atoi(argv[2]), false);
    if (argc == 2 && std::strcmp(argv[1], "multi-inst") == 0)
        return multiInst(app);
    std::fputs("usage: ui_test_helper terminate CODE | terminate-bare CODE | multi-inst\n", stderr);
    return 64;
}
