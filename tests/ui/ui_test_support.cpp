#include "ui_test_support.h"

#include "child_process.h"
#include "qt_event_wait.h"

#include <QAbstractButton>
#include <QTest>
#include <QWindow>

#include <cstdio>
#include <sstream>
#include <unistd.h>

namespace lullex::test {

StderrCapture::StderrCapture()
{
    std::fflush(stderr);
    m_file = std::tmpfile();
    m_saved = dup(STDERR_FILENO);
    dup2(fileno(m_file), STDERR_FILENO);
}

StderrCapture::~StderrCapture()
{
    restore();
    if (m_file)
        std::fclose(m_file);
}

void StderrCapture::restore()
{
    if (m_saved < 0)
        return;
    std::fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    close(m_saved);
    m_saved = -1;
}

std::string StderrCapture::text()
{
    restore();
    std::string text;
    std::rewind(m_file);
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, m_file)) > 0)
        text.append(buffer, count);
    return text;
}

BoxResponder::BoxResponder(std::function<void(QMessageBox&)> act) : m_act(std::move(act))
{
    m_poll.setInterval(20);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
    m_poll.start();
}

void BoxResponder::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_poll.stop();
    m_seen.seen = true;
    m_seen.title = box->windowTitle();
    m_seen.text = box->text();
    m_seen.icon = box->icon();
    m_seen.buttons = box->standardButtons();
    m_seen.textFormat = box->textFormat();
    m_act(*box);
}

std::function<void(QMessageBox&)> BoxResponder::press(QMessageBox::StandardButton which)
{
    return [which](QMessageBox& box) {
        QAbstractButton* target = box.button(which);
        // A box without that button fails the test through its recorded buttons; it must
        // still close so that the test ends.
        if (!target) {
            box.done(0);
            return;
        }
        QTest::mouseClick(target, Qt::LeftButton);
    };
}

std::function<void(QMessageBox&)> BoxResponder::pressEscape()
{
    return [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); };
}

HelperRun RunHelper(const std::vector<std::string>& arguments)
{
    ProcessSpec spec;
    spec.argv = {LULLEX_UI_TEST_HELPER};
    spec.argv.insert(spec.argv.end(), arguments.begin(), arguments.end());
    spec.setEnvironment = {{"QT_QPA_PLATFORM", "offscreen"}};
    const CommandResult result = RunCommand(spec);
    HelperRun run{result.exitCode, result.out, "", {}};
    std::istringstream lines(result.err);
    for (std::string line; std::getline(lines, line);) {
        const bool whole = !lines.eof();
        if (line.starts_with("qt: "))
            run.qtMessages.push_back(line);
        else
            run.standardError += line + (whole ? "\n" : "");
    }
    return run;
}

void QtApplicationEnvironment::SetUp()
{
    m_application = std::make_unique<QApplication>(m_argc, m_argv);
    WaitWithQtEvents();
}

void QtApplicationEnvironment::TearDown()
{
    SetWaitPause({});
    m_application.reset();
}

bool WaitUntilExposed(QWidget& widget)
{
    return WaitUntil([&] { return widget.windowHandle() && widget.windowHandle()->isExposed(); });
}

}  // namespace lullex::test
