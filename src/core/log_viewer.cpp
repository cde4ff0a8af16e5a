#include "log_viewer.h"

#include "app_state.h"
#include "atomic_file.h"
#include "fatal_error.h"
#include "log_messages.h"
#include "log_paths.h"

#include <filesystem>
#include <system_error>

namespace lullex {
namespace {

enum class Presence { There, Missing, Unknown };

Presence directoryPresence(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error && status.type() != std::filesystem::file_type::not_found)
        return Presence::Unknown;
    return std::filesystem::is_directory(status) ? Presence::There : Presence::Missing;
}

Presence filePresence(const std::string& path)
{
    switch (regularFileStatus(path)) {
    case FileStatus::Regular:
        return Presence::There;
    case FileStatus::Missing:
        return Presence::Missing;
    case FileStatus::Inaccessible:
        break;
    }
    return Presence::Unknown;
}

}  // namespace

LogViewer::LogViewer(const AppState& state, Prompter& prompter, MainTimer& timer,
                     Terminator& terminator, FileViewerLauncher& launcher)
    : m_state(state), m_prompter(prompter), m_timer(timer), m_terminator(terminator),
      m_launcher(launcher)
{
}

void LogViewer::ViewLog()
{
    const Settings& settings = m_state.settings;
    if (settings.LogLevel <= LogLevelNone) {
        m_prompter.show({m_state.AppTitle + " Log File Error",
                         BoxIcon::Information,
                         BoxButtons::Ok,
                         {"Logging is set to None. There", "is no information to display."}});
        return;
    }
    const Presence directory = directoryPresence(logDirectoryPath(settings));
    if (directory == Presence::Missing)
        fail(LogFailure::DirectoryMissingOnCreate);
    if (directory == Presence::There) {
        const Presence file = filePresence(logFilePath(settings));
        if (file == Presence::Missing)
            fail(LogFailure::FileMissing);
        if (file == Presence::There && m_launcher.launch(logFilePath(settings)))
            return;
    }
    fail(LogFailure::ViewerFailed);
}

void LogViewer::fail(LogFailure failure)
{
    EndWithFatalError(logFailureBox(failure, m_state.AppTitle, m_state.settings.LogName),
                      m_prompter, m_timer, m_terminator);
}

}  // namespace lullex
