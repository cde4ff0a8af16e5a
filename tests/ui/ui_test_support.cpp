#include "ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <cstdio>
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

HelperRun runHelper(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LULLEX_UI_TEST_HELPER), arguments);
    HelperRun run;
    run.finished = process.waitForFinished(DeadlineMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(DeadlineMs);
        return run;
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    QStringList lines = errors.split(QLatin1Char('\n'));
    const QString unfinished = lines.takeLast();  // empty when the output ends with a line end
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("qt: ")))
            run.qtMessages << line;
        else
            run.standardError += line + QLatin1Char('\n');
    }
    run.standardError += unfinished;
    return run;
}

}  // namespace lullex::test
