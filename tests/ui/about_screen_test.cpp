#include "about_dialog.h"
#include "about_screen_opener.h"
#include "app_state.h"
#include "home_page_link.h"
#include "lullex_main.h"
#include "qt_prompter.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace lullex {
namespace {

const QColor Orange(255, 128, 0);

// Small stand-ins for the desktop's opener, each given the page as its one argument.
class Openers {
public:
    Openers()
    {
        write("failing", "exit 4\n");
        write("recording", "printf '%s|%s' \"$#\" \"$1\" > \"$0.args\"\n");
    }
    QString failing() const { return m_dir.filePath(QStringLiteral("failing")); }
    QString recording() const { return m_dir.filePath(QStringLiteral("recording")); }
    QString missing() const { return m_dir.filePath(QStringLiteral("no-such-opener")); }
    QString recorded() const
    {
        QFile file(recording() + QStringLiteral(".args"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    void write(const char* name, const char* body)
    {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray("#!/bin/sh\n") + body);
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    QTemporaryDir m_dir;
};

// Waits until every opener the link started has ended and been handled.
bool OpenersDone(const HomePageLink& link)
{
    return test::WaitUntil([&] { return link.findChildren<QProcess*>().isEmpty(); });
}

// The About button's screen: modal over the main window, with the real web link.
class AboutScreenTest : public testing::Test {
protected:
    void useOpener(const QString& opener)
    {
        link = std::make_unique<HomePageLink>(prompter, QStringLiteral("/guide/index.htm"), opener);
        aboutOpener = std::make_unique<AboutScreenOpener>(state, *link);
    }

    // Opens the screen, runs `act` on it once it shows, and returns when it has closed.
    void openAndRun(const std::function<void(AboutDialog&)>& act)
    {
        test::RunOnceShown(act, [this] { aboutOpener->open(window); });
    }

    static QString text(AboutDialog& dialog, const char* name)
    {
        return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }

    AppState state;
    LullexMain window;
    QtPrompter prompter{&window};
    Openers openers;
    std::unique_ptr<HomePageLink> link;
    std::unique_ptr<AboutScreenOpener> aboutOpener;

    void SetUp() override { useOpener(openers.recording()); }
};

TEST_F(AboutScreenTest, CaptionsCarryTheRole)
{
    for (const char* appTitle : {"Lullex", "Lullex Slave"}) {
        state.AppTitle = appTitle;
        openAndRun([&](AboutDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("About ") + appTitle);
            EXPECT_EQ(text(d, "ProgName"), appTitle);
            EXPECT_EQ(text(d, "ProgVersion"), "Version 2.5");
            EXPECT_EQ(text(d, "TMessage"), "");
            auto* close = d.findChild<QPushButton*>(QStringLiteral("ExitAbout"));
            EXPECT_EQ(close->text(), "Close");
            EXPECT_EQ(close->toolTip(), "Close Lullex About Screen");
            d.reject();
        });
    }
}

TEST_F(AboutScreenTest, CountsDownFromThirtyOrFromFourInTestMode)
{
    const std::pair<int16_t, int16_t> modes[] = {{0, 30}, {1, 4}};
    for (const auto& [inhibit, seconds] : modes) {
        state.InhibitShutdown = inhibit;
        openAndRun([&](AboutDialog& d) {
            EXPECT_TRUE(state.DialogOpen);
            EXPECT_EQ(state.DialogTimeout, seconds);
            ASSERT_TRUE(test::WaitUntil([&] { return !text(d, "TMessage").isEmpty(); }));
            EXPECT_EQ(text(d, "TMessage"),
                      QStringLiteral("About will close in %1 sec").arg(seconds));
            EXPECT_EQ(state.DialogTimeout, seconds - 1);
            d.reject();
        });
    }
}

TEST_F(AboutScreenTest, EveryWayOfClosingClearsDialogOpen)
{
    const std::pair<const char*, std::function<void(AboutDialog&)>> ways[] = {
        {"Close", [](AboutDialog& d) { d.findChild<QPushButton*>("ExitAbout")->click(); }},
        {"Esc", [](AboutDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](AboutDialog& d) { d.close(); }},
        {"main tick", [this](AboutDialog&) { window.closeDialogs(); }}};
    for (const auto& [name, close] : ways) {
        bool openWhileShown = false;
        openAndRun([&](AboutDialog& d) {
            openWhileShown = state.DialogOpen;
            close(d);
        });
        EXPECT_TRUE(openWhileShown) << name;
        EXPECT_FALSE(state.DialogOpen) << name;
    }
}

TEST_F(AboutScreenTest, WebSiteOpensTheGuideAndTurnsOrange)
{
    test::BoxResponder responder(test::BoxResponder::press(QMessageBox::Ok));
    openAndRun([&](AboutDialog& d) {
        QTest::mouseClick(d.findChild<QLabel*>(QStringLiteral("WebSite")), Qt::LeftButton);
        EXPECT_TRUE(OpenersDone(*link));
        EXPECT_EQ(
            d.findChild<QLabel*>(QStringLiteral("WebSite"))->palette().color(QPalette::WindowText),
            Orange);
        d.reject();
    });
    EXPECT_EQ(openers.recorded(), "1|/guide/index.htm");
    EXPECT_FALSE(responder.seen().seen) << "a box after a successful start";
}

// A failed browser start is reported with the screen's title, and the label turns orange all
// the same.
TEST_F(AboutScreenTest, WebSiteFailureIsReportedWithTheRoleInTheTitle)
{
    state.AppTitle = "Lullex Slave";
    for (const QString& opener : {openers.failing(), openers.missing()}) {
        SCOPED_TRACE(opener.toStdString());
        useOpener(opener);
        test::BoxResponder responder(test::BoxResponder::press(QMessageBox::Ok));
        openAndRun([&](AboutDialog& d) {
            QTest::mouseClick(d.findChild<QLabel*>(QStringLiteral("WebSite")), Qt::LeftButton);
            EXPECT_TRUE(test::WaitUntil([&] { return responder.seen().seen; }));
            EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("WebSite"))
                          ->palette()
                          .color(QPalette::WindowText),
                      Orange);
            EXPECT_TRUE(d.isVisible()) << "the screen stays open";
            d.reject();
        });
        EXPECT_EQ(responder.seen().title, "Lullex Slave Error");
        EXPECT_EQ(responder.seen().text, "Unable to launch Browser.");
        EXPECT_EQ(responder.seen().icon, QMessageBox::NoIcon);
        EXPECT_EQ(responder.seen().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST(HomePageLinkTest, TheGuideIsFoundBesideTheInstalledOrTheBuiltProgram)
{
    QTemporaryDir root;
    const QDir top(root.path());
    const QString installed = top.filePath(QStringLiteral("share/doc/lullex/index.htm"));
    const QString built = top.filePath(QStringLiteral("bin/share/doc/lullex/index.htm"));
    const QString bin = top.filePath(QStringLiteral("bin"));
    top.mkpath(QStringLiteral("bin"));

    EXPECT_EQ(HomePageFor(bin), installed) << "neither: the installed place";
    top.mkpath(QStringLiteral("bin/share/doc/lullex"));
    QFile(built).open(QIODevice::WriteOnly);
    EXPECT_EQ(HomePageFor(bin), built);
    top.mkpath(QStringLiteral("share/doc/lullex"));
    QFile(installed).open(QIODevice::WriteOnly);
    EXPECT_EQ(HomePageFor(bin), installed);
}

}  // namespace
}  // namespace lullex
