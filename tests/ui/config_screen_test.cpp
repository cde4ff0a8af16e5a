// The configuration screen offscreen, with its real logic: what it shows on master and slave,
// the display rules, Save, Restore, the administrator rule, the notice, and the closing routine
// whatever closes the screen.
#include "app_state.h"
#include "config_applier.h"
#include "config_dialog.h"
#include "config_file_writer.h"
#include "config_screen.h"
#include "config_screen_opener.h"
#include "core_fakes.h"
#include "log_viewer.h"
#include "lullex_main.h"
#include "ui_test_support.h"
#include "xdg_file_viewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lullex {
namespace {

class RecordingWriter : public ConfigFileWriter {
public:
    explicit RecordingWriter(AppState& state) : m_state(state) {}
    bool WriteConfig(const ConfigScreenValues& values) override
    {
        written.push_back(values);
        if (whileWriting)
            whileWriting();
        m_state.ConfigSaved = m_state.ConfigSaved || succeeds;
        return succeeds;
    }
    std::vector<ConfigScreenValues> written;
    bool succeeds = true;
    std::function<void()> whileWriting;  // as if the error box's own loop ran meanwhile

private:
    AppState& m_state;
};

class RecordingApplier : public ConfigApplier {
public:
    void clearMinOverride() override { ++overridesCleared; }
    void reinitialise() override { ++reinitialised; }
    int overridesCleared = 0;
    int reinitialised = 0;
};

// The seams the screen's View Log and logo reach; these tests press neither.
struct UnusedSeams {
    test::RecordingPrompter prompter;
    test::RecordingTimer timer;
    test::ThrowingTerminator terminator;
    test::RecordingLauncher viewer;
    test::RecordingHomePage homePage;
};

// Power Off after 600 s on a master, at the level Normal, into the tray at start; the log
// folder is the working directory.
const Settings Master = {RoleMaster, 1, "", 10001, 600, 2, "Lullex.log", "./", 1, 2, 2, 60, 1};

class ConfigScreenTest : public testing::Test {
protected:
    void open(const Settings& settings, bool administrator = true)
    {
        state.settings = settings;
        state.AppTitle = settings.CMain == RoleSlave ? "Lullex Slave" : "Lullex";
        screen = std::make_unique<ConfigScreen>(
            ConfigScreenParts{state, dialog, writer, applier, logViewer, administrator});
        ConnectConfigScreen(dialog, *screen);
        screen->load();
        dialog.show();
    }
    template <typename Widget> Widget* find(const char* name)
    {
        auto* found = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* label) { return find<QLabel>(label)->text().remove(u'&'); }
    bool highlighted(const char* label)
    {
        QLabel* remark = find<QLabel>(label);
        const QColor colour = remark->palette().color(QPalette::WindowText);
        const bool orange = colour == QColor(255, 128, 0);
        EXPECT_TRUE(orange || colour == QColor(0, 102, 0)) << label;
        EXPECT_EQ(remark->font().bold(), orange) << label;
        return orange;
    }
    void type(const char* field, const QString& value) { find<QLineEdit>(field)->setText(value); }
    void pick(const char* list, const QString& entry)
    {
        QComboBox* combo = find<QComboBox>(list);
        combo->setCurrentIndex(combo->findText(entry));
        emit combo->activated(combo->currentIndex());
    }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    AppState state;
    ConfigDialog dialog;
    RecordingWriter writer{state};
    RecordingApplier applier;
    UnusedSeams seams;
    LogViewer logViewer{state, seams.prompter, seams.timer, seams.terminator, seams.viewer};
    std::unique_ptr<ConfigScreen> screen;
};

TEST_F(ConfigScreenTest, MasterOpensWithItsValuesAndTheNormalLooks)
{
    state.ConfigSaved = true;
    open(Master);

    EXPECT_EQ(dialog.windowTitle(), "Lullex Configuration");
    EXPECT_EQ(find<QLineEdit>("CPUDelayT")->text(), "600");
    EXPECT_EQ(find<QComboBox>("LogLevelT")->currentText(), "Normal");
    EXPECT_EQ(find<QComboBox>("ShutNameT")->currentText(), "Power Off");
    EXPECT_TRUE(find<QCheckBox>("StartMinT")->isChecked());
    EXPECT_EQ(text("CPUDelayL"), "Input Delay:");
    EXPECT_EQ(text("IPAddL"), "IP Address");
    EXPECT_EQ(text("IPAddM"), "(Either empty or a valid IP address)");
    EXPECT_EQ(text("ShutTypeM"), "(Forces Running Applications To Close)");
    EXPECT_EQ(find<QPushButton>("Save")->toolTip(),
              "Save Lullex Configuration Values (The program will be reset when you close this "
              "screen if values have been changed)");
    EXPECT_EQ(text("Status"), "");
    for (const char* remark : {"IPAddM", "CPUDelayM", "LogLevelM", "LogNameM", "LogPathM", "Port1M",
                               "ShutTimeM", "ShutTypeM", "StartDelayM"})
        EXPECT_FALSE(highlighted(remark));
    EXPECT_FALSE(state.ConfigSaved) << "an opening where every rule passes clears it";
    EXPECT_TRUE(state.DialogOpen);
    EXPECT_EQ(state.DialogTimeout, 600);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.font().family(), "Arial");

    // Each caption is its input's buddy; Tab follows the screen's order.
    for (const char* input :
         {"CPUDelayT", "LogLevelT", "LogNameT", "LogPathT", "StartDelayT", "ShutTimeT", "ShutNameT",
          "IPAddT", "Port1T", "RunOnTopT", "StartMinT"}) {
        const QString caption = QString::fromLatin1(input).chopped(1) + u'L';
        EXPECT_EQ(find<QLabel>(caption.toLatin1().constData())->buddy(), find<QWidget>(input))
            << input;
    }
    EXPECT_EQ(find<QLabel>("Label7")->buddy(), find<QWidget>("DNameT"));
    const QStringList order = {"Restore",   "CPUDelayT",   "LogLevelT",  "LogNameT",
                               "LogPathT",  "StartDelayT", "ShutTimeT",  "ShutNameT",
                               "IPAddT",    "Port1T",      "Save",       "RunOnTopT",
                               "StartMinT", "ViewL",       "ExitConfig", "DNameT"};
    QStringList chain;
    for (QWidget* w = find<QWidget>("Restore"); chain.size() < order.size();
         w = w->nextInFocusChain())
        if (order.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
    EXPECT_EQ(chain, order);
}

TEST_F(ConfigScreenTest, SlaveShowsTheLostCommsRowAndTheAddressItNeeds)
{
    open({RoleSlave, 1, "10.1.1.1", 10001, 600, 2, "Lullex.log", "./", 1, 2, 2, 60, 1});

    EXPECT_EQ(dialog.windowTitle(), "Lullex Slave Configuration");
    EXPECT_EQ(text("CPUDelayL"), "Lost Comms Delay");
    EXPECT_EQ(find<QLineEdit>("CPUDelayT")->toolTip(),
              "Time for communications to be lost before shutdown initiated");
    EXPECT_EQ(text("IPAddM"), "(A valid IP address)");
    find<QCheckBox>("DNameT")->click();
    EXPECT_EQ(text("IPAddM"), "(a valid domain name)");
    pick("ShutNameT", "Monitor");
    EXPECT_EQ(text("ShutTypeM"), "Not Available In Slave Mode");
}

TEST_F(ConfigScreenTest, TickingDomainNameOrPickingAnActionClearsEveryHighlight)
{
    open(Master);
    type("CPUDelayT", "4.9");
    click("Save");
    ASSERT_TRUE(highlighted("CPUDelayM"));
    EXPECT_EQ(text("Status"),
              "Item(s) Highlighted Contain Out Of Range Values - Changes Not Saved");
    EXPECT_TRUE(writer.written.empty());

    find<QCheckBox>("DNameT")->click();
    EXPECT_FALSE(highlighted("CPUDelayM"));
    EXPECT_EQ(text("IPAddL"), "Domain Name");
    EXPECT_EQ(find<QLineEdit>("IPAddT")->toolTip(),
              "Domain name of computer to communicate with (less than 100 characters)");
    EXPECT_EQ(text("IPAddM"), "(Either empty or a valid domain name)");

    pick("ShutNameT", "Monitor");
    EXPECT_EQ(text("ShutTypeM"), "(Only Use With A Valid Domain Name)");
    find<QCheckBox>("DNameT")->click();
    pick("ShutNameT", "Monitor");
    EXPECT_EQ(text("ShutTypeM"), "(Only Use With A Valid IP Address)");
}

TEST_F(ConfigScreenTest, TypedRebootKeepsThePreviousActionAndShowsNoRemark)
{
    open(Master);
    QLineEdit* typing = find<QComboBox>("ShutNameT")->lineEdit();
    typing->clear();
    QTest::keyClicks(typing, "reboot");
    click("Save");

    EXPECT_EQ(find<QComboBox>("ShutNameT")->currentText(), "reboot");
    EXPECT_EQ(text("ShutTypeM"), "");
    EXPECT_EQ(text("Status"), "No Changes To Save");
    EXPECT_TRUE(writer.written.empty());
}

TEST_F(ConfigScreenTest, SaveWritesAChangeOnceAndTheStatusClearsItself)
{
    open(Master);
    type("CPUDelayT", " 600");
    find<QCheckBox>("StartMinT")->click();
    click("Save");

    ASSERT_EQ(writer.written.size(), 1u);
    EXPECT_EQ(writer.written[0].cpuDelayText, " 600");
    EXPECT_EQ(writer.written[0].startMinChecked, 0);
    EXPECT_EQ(applier.overridesCleared, 1);
    EXPECT_EQ(text("Status"), "Changes Saved - Click Close To Activate The Changes");

    click("Save");
    EXPECT_EQ(writer.written.size(), 1u);
    EXPECT_EQ(text("Status"), "No Changes To Save");
    EXPECT_TRUE(test::WaitUntil([&] { return text("Status").isEmpty(); }));
}

TEST_F(ConfigScreenTest, AFailedWriteReloadsTheFieldsUnlessTheScreenClosedMeanwhile)
{
    open(Master);
    writer.succeeds = false;
    type("CPUDelayT", "300");
    click("Save");
    EXPECT_EQ(find<QLineEdit>("CPUDelayT")->text(), "600");
    EXPECT_EQ(text("Status"), "");

    type("CPUDelayT", "300");
    writer.whileWriting = [&] { dialog.done(QDialog::Rejected); };
    click("Save");
    EXPECT_EQ(writer.written.size(), 2u);
    EXPECT_EQ(find<QLineEdit>("CPUDelayT")->text(), "300");
}

TEST_F(ConfigScreenTest, RestoreSetsTheDefaultsButKeepsTheAddress)
{
    open({RoleMaster, 1, "10.1.1.1", 10002, 30, 3, "Lullex.log", "./", 2, 5, 1, 50, 5});
    click("Restore");
    const ConfigForm defaults = {"600", false, "10.1.1.1", "Lullex.log", "Log/",   "10001",
                                 false, true,  "60",       "2",          "Normal", "Power Off"};
    EXPECT_EQ(dialog.form(), defaults);
    EXPECT_EQ(text("Status"), "Defaults Restored - Click Save To Keep");
    EXPECT_TRUE(writer.written.empty());
}

TEST_F(ConfigScreenTest, OnlyAnAdministratorMaySaveOrRestore)
{
    open(Master, false);
    EXPECT_FALSE(find<QPushButton>("Save")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("Restore")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("ViewL")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("CPUDelayT")->text(), "600");
    type("CPUDelayT", "300");
    screen->onSave();
    screen->onRestore();
    EXPECT_TRUE(writer.written.empty());
    EXPECT_EQ(find<QLineEdit>("CPUDelayT")->text(), "300");
}

TEST_F(ConfigScreenTest, TheNoticeCountsTheLastSecondsDown)
{
    state.InhibitShutdown = 1;
    open(Master);
    EXPECT_EQ(state.DialogTimeout, 4);
    ASSERT_TRUE(test::WaitUntil([&] { return state.DialogTimeout == 3; }));
    EXPECT_EQ(text("TMessage"), "The Configuration Screen will close in 4 sec");
    state.DialogTimeout = 91;
    screen->onSecond();
    EXPECT_EQ(text("TMessage"), "The Configuration Screen will close in 4 sec");
    screen->onSecond();
    EXPECT_EQ(text("TMessage"), "The Configuration Screen will close in 90 sec");
}

// The opener as the Configure button runs it: the screen modal over the main window.
class ConfigScreenOpenerTest : public testing::Test {
protected:
    // Opens the screen, runs `act` on it once it shows, and returns when it has closed.
    void openAndRun(const std::function<void(ConfigDialog&)>& act)
    {
        test::RunOnceShown(act, [this] { opener.open(window); });
    }

    AppState state;
    LullexMain window;
    RecordingWriter writer{state};
    RecordingApplier applier;
    UnusedSeams seams;
    ConfigScreenOpener opener{{state, writer, applier, seams.prompter, seams.timer,
                               seams.terminator, seams.viewer, seams.homePage,
                               [] { return true; }}};
};

TEST_F(ConfigScreenOpenerTest, EveryWayOfClosingRunsTheClosingRoutine)
{
    state.settings = Master;
    const std::pair<const char*, std::function<void(ConfigDialog&)>> ways[] = {
        {"Close", [](ConfigDialog& d) { d.findChild<QPushButton*>("ExitConfig")->click(); }},
        {"Esc", [](ConfigDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](ConfigDialog& d) { d.close(); }},
        {"main tick", [this](ConfigDialog&) { window.closeDialogs(); }}};
    for (const auto& [name, close] : ways) {
        applier.reinitialised = 0;
        openAndRun([&](ConfigDialog& d) {
            d.findChild<QLineEdit*>("CPUDelayT")->setText("300");
            d.findChild<QPushButton*>("Save")->click();
            close(d);
        });
        EXPECT_EQ(applier.reinitialised, 1) << name;
        EXPECT_FALSE(state.DialogOpen) << name;
    }

    applier.reinitialised = 0;
    openAndRun([&](ConfigDialog&) { window.closeDialogs(); });
    EXPECT_EQ(applier.reinitialised, 0) << "nothing saved";
}

TEST_F(ConfigScreenOpenerTest, ASlaveOpenedWithAPortErrorIsReinitialisedEvenAfterASave)
{
    state.settings = {RoleSlave, 1, "10.1.1.1", 10001, 600, 2, "Lullex.log", "./", 1, 2, 2, 60, 1};
    state.PortError = true;
    openAndRun([&](ConfigDialog& d) {
        EXPECT_TRUE(d.findChild<QLabel*>("Port1M")->font().bold());
        EXPECT_EQ(d.findChild<QLabel*>("Status")->text(),
                  "1 Item(s) Highlighted Contain Out Of Range Values");
        d.findChild<QPushButton*>("Save")->click();
        EXPECT_EQ(d.findChild<QLabel*>("Status")->text(), "No Changes To Save");
        d.reject();
    });
    EXPECT_EQ(applier.reinitialised, 1);
}

TEST(XdgFileViewerTest, HandsTheNameOverUnchangedAsItsOneArgument)
{
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("arguments"));
    QFile script(dir.filePath(QStringLiteral("viewer")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record.toUtf8() + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto recorded = [&](const QByteArray& expected) {
        return test::WaitUntil([&] {
            QFile file(record);
            return file.open(QIODevice::ReadOnly) && file.readAll() == expected;
        });
    };

    const std::string name = "Log dir/my log $(touch " + dir.filePath("x").toStdString() + ").txt";
    ASSERT_TRUE(XdgFileViewer(script.fileName()).launch(name));
    EXPECT_TRUE(recorded("1\n" + QByteArray::fromStdString(name) + "\n"));
    EXPECT_FALSE(QFile::exists(dir.filePath("x")));
    ASSERT_TRUE(XdgFileViewer(script.fileName()).launch("-x/Lullex.log"));
    EXPECT_TRUE(recorded("1\n./-x/Lullex.log\n")) << "a name is never taken for an option";
    EXPECT_FALSE(XdgFileViewer(dir.filePath("none")).launch("Log/Lullex.log"));
}

}  // namespace
}  // namespace lullex
