#include "status_line.h"

namespace lullex {
namespace {

// The fields keep their width so the log reads as columns. The texts the program logs are
// plain ASCII, so a byte is a character here.
constexpr std::size_t TextFieldWidth = 10;
constexpr std::size_t CountFieldWidth = 4;
constexpr std::size_t FlagFieldWidth = 5;

std::string fitted(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

// Right-aligned; a longer number keeps its last digits rather than breaking the columns.
std::string countField(int16_t count)
{
    const std::string digits = std::to_string(count);
    if (digits.size() > CountFieldWidth)
        return digits.substr(digits.size() - CountFieldWidth);
    return std::string(CountFieldWidth - digits.size(), ' ') + digits;
}

std::string word(bool flag)
{
    return flag ? "True" : "False";
}

std::string fullLevelFields(const StatusLineFields& fields)
{
    if (fields.logLevel != LogLevelFull)
        return {};
    if (fields.role == RoleMaster && !fields.inputDetailKnown)
        return ", Key: " + std::string(FlagFieldWidth, '.') +
               ", Mouse: " + std::string(FlagFieldWidth, '.');
    if (fields.role == RoleMaster)
        return ", Key: " + fitted(word(fields.keyChanged), FlagFieldWidth) +
               ", Mouse: " + word(fields.mouseMoved);
    if (fields.role == RoleSlave)
        return ", Comms: " + fields.commsStatus;
    return {};
}

}  // namespace

std::string buildStatusLine(const StatusLineFields& fields)
{
    const std::string marker = fields.testRun ? "*" : " ";
    return fields.timestamp + ", " + fitted(marker + fields.event, TextFieldWidth) + ", " +
           fitted(fields.detail, TextFieldWidth) + ", Count:" + countField(fields.count) +
           fullLevelFields(fields);
}

}  // namespace lullex
