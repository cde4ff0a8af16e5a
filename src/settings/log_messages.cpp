#include "log_messages.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace lullex {
namespace {

struct LogMessage {
    LogFailure failure;
    const char* title;
    // When set, the first line is this text followed by LogName and ".".
    const char* nameLine;
    std::vector<std::string> lines;
};

constexpr const char* Terminate = "The program will now terminate.";

const std::array<LogMessage, 7>& messages()
{
    static const std::array<LogMessage, 7> table = {{
        {LogFailure::DirectoryMissingOnCreate,
         " Log Directory Error",
         nullptr,
         {"The log directory does not exist.", "This directory must be created manually",
          "if it is not the default one. To restore", "the default log directory reinstall",
          "the program.", Terminate}},
        {LogFailure::CreateFailed,
         " Log File Error",
         "Unable to create the log file ",
         {"This may be a permissions problem.", Terminate}},
        {LogFailure::DirectoryMissingOnBlock,
         " Log Directory Error",
         nullptr,
         {"The log directory does not exist. This", "directory must be created manually if",
          "it is not the default one. To restore", "the default log directory reinstall",
          "the program.", Terminate}},
        {LogFailure::DirectoryMissingOnStatusLine,
         " Log Directory Error",
         nullptr,
         {"The log directory is either missing or",
          "corrupted or there could be a permission problem.",
          "This directory must be created manually", "if it is not the default one. To restore",
          "the default log directory reinstall", "the program.", Terminate}},
        {LogFailure::FileMissing,
         " Log File Error",
         nullptr,
         {"The log file is either missing or", "corrupted. Delete the log file if",
          "it exists and restart the program.", Terminate}},
        {LogFailure::WriteFailed,
         " Log File Write Error",
         "Unable to write to the log file ",
         {"This may be a permissions problem.", Terminate}},
        // "opem" is the word users have always been shown and may search for.
        {LogFailure::ViewerFailed,
         " Log File Error",
         "Unable to opem the log file ",
         {"This may be a permissions problem.", Terminate}},
    }};
    return table;
}

const LogMessage& messageFor(LogFailure failure)
{
    const auto& table = messages();
    const auto row = std::find_if(table.begin(), table.end(),
                                  [failure](const LogMessage& m) { return m.failure == failure; });
    if (row == table.end())
        throw std::logic_error("event log failure without a message");
    return *row;
}

}  // namespace

MessageBox logFailureBox(LogFailure failure, const std::string& appTitle,
                         const std::string& logName)
{
    const LogMessage& message = messageFor(failure);
    MessageBox box;
    box.title = appTitle + message.title;
    box.icon = BoxIcon::Warning;
    box.buttons = BoxButtons::Ok;
    if (message.nameLine)
        box.lines.push_back(message.nameLine + logName + ".");
    box.lines.insert(box.lines.end(), message.lines.begin(), message.lines.end());
    return box;
}

}  // namespace lullex
