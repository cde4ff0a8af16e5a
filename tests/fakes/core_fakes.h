#pragma once

#include "app_state.h"
#include "home_page_opener.h"
#include "input_probe.h"
#include "link_sender.h"
#include "log_viewer.h"
#include "log_writer.h"
#include "power_actions.h"
#include "program_end.h"
#include "seam_fakes.h"
#include "settings_initialiser.h"
#include "view_fakes.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lullex::test {

// Returns the reading the test has set; a wheel turn is reported once.
class ScriptedProbe : public InputProbe {
public:
    InputReading read() override;

    void press(int code) { reading.keys.set(static_cast<std::size_t>(code)); }
    void release(int code) { reading.keys.reset(static_cast<std::size_t>(code)); }
    void moveTo(int32_t x, int32_t y);

    InputReading reading;
    int reads = 0;
};

struct LogEntry {
    std::string event;
    std::string detail;
    bool testRun = false;
    int16_t count = 0;

    bool operator==(const LogEntry&) const = default;
};
void PrintTo(const LogEntry& entry, std::ostream* out);

// Keeps every status line as (event, detail, test mark, Count) and the other writes in order.
class RecordingLog : public LogWriter {
public:
    explicit RecordingLog(const AppState& state) : m_state(state) {}

    void CreateLog() override { calls.push_back("CreateLog"); }
    void WriteLogBlock(int16_t mode) override;
    void WriteStatusLine(const std::string& event, const std::string& detail) override;

    std::vector<LogEntry> entries;
    std::vector<std::string> calls;

private:
    const AppState& m_state;
};

class RecordingPower : public PowerActions {
public:
    void ShutdownSystem(int32_t flags) override;
    void HibernateSystem() override { record("HibernateSystem"); }
    void StandbySystem() override { record("StandbySystem"); }

    std::vector<std::string> calls;
    std::optional<PowerError> failure;
    std::function<void()> onCall;

private:
    void record(const std::string& call);
};

// Sends like the real sender: NextTag goes out, then the next tag is the heartbeat.
class RecordingSender : public LinkSender {
public:
    explicit RecordingSender(AppState& state) : m_state(state) {}
    void SendTag() override;

    std::vector<std::string> tags;

private:
    AppState& m_state;
};

// Stands for InitSettings: copies the prepared settings in and sets what it sets.
class ScriptedInitialiser : public SettingsInitialiser {
public:
    ScriptedInitialiser(AppState& state, MainTimer& timer) : m_state(state), m_timer(timer) {}
    void InitSettings() override;

    Settings file;
    bool notConfigured = false;
    int calls = 0;

private:
    AppState& m_state;
    MainTimer& m_timer;
};

// Records the files it was asked to show; starts as scripted.
class RecordingLauncher : public FileViewerLauncher {
public:
    bool launch(const std::string& file) override
    {
        files.push_back(file);
        return starts;
    }
    std::vector<std::string> files;
    bool starts = true;
};

// Records the title of every box the home page's opening would show.
class RecordingHomePage : public HomePageOpener {
public:
    void OpenHomePage(const std::string& boxTitle) override { boxTitles.push_back(boxTitle); }
    std::vector<std::string> boxTitles;
};

// A master with the defaults used throughout the tests: StartDelay 10, CPUDelay 300,
// ShutTime 60, Power Off, Full log, neither tray nor on top.
Settings MasterSettings();

}  // namespace lullex::test
