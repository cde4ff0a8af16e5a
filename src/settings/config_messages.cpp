#include "config_messages.h"

#include "settings.h"

#include <array>

namespace lullex {
namespace {

struct MessageRow {
    ConfigMessage message;
    const char* title;
    BoxIcon icon;
    std::vector<std::string> lines;
};

const char* const Reinstall = "Reinstall the program to restore the file.";
const char* const Terminate = "The program will now terminate.";
const char* const Permissions = "This may be a permissions problem.";
const char* const FileError = " Configuration File Error";

// The reading messages say "config file" and "is missing or corrupted.", the saving ones
// "configuration file" and "is either missing or corrupted.": users quote them verbatim.
const std::array<MessageRow, 6>& messageRows()
{
    static const std::array<MessageRow, 6> rows = {{
        {ConfigMessage::MissingOnRead,
         FileError,
         BoxIcon::Critical,
         {"The configuration file is missing or corrupted.", Reinstall, Terminate}},
        {ConfigMessage::Corrupted,
         FileError,
         BoxIcon::Critical,
         {"The configuration file is corrupted.", Reinstall, Terminate}},
        {ConfigMessage::ReadError,
         " Configuration File Read Error",
         BoxIcon::Warning,
         {"Unable to read the config file " + std::string(ConfigFilePath) + ".", Permissions,
          Terminate}},
        {ConfigMessage::OutOfRange,
         FileError,
         BoxIcon::Critical,
         {"The configuration file is missing or corrupted.", Reinstall, Terminate}},
        {ConfigMessage::MissingOnSave,
         FileError,
         BoxIcon::Critical,
         {"The configuration file is either missing or corrupted.", Reinstall, Terminate}},
        {ConfigMessage::WriteError,
         FileError,
         BoxIcon::Warning,
         {"Unable to write to the configuration file " + std::string(ConfigFilePath) + ".",
          Permissions}},
    }};
    return rows;
}

}  // namespace

MessageBox configMessageBox(ConfigMessage message, const std::string& appTitle)
{
    for (const MessageRow& row : messageRows()) {
        if (row.message == message)
            return MessageBox{appTitle + row.title, row.icon, BoxButtons::Ok, row.lines};
    }
    return MessageBox{appTitle + FileError, BoxIcon::Critical, BoxButtons::Ok, {}};
}

}  // namespace lullex
