#include "config_writer.h"

#include "number_reader.h"
#include "settings.h"

#include <vector>

namespace lullex {
namespace {

std::string checkBoxValue(int checked)
{
    return std::to_string(checked + 1);
}

// A line break inside a text would end its line early and let the rest pass for another key.
// Only a line feed, with the carriage return before it, breaks a line for the reader; a lone
// carriage return is part of a value read from the file and is kept, so that saving without
// edits gives back what was read.
std::string singleLine(std::string text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\n')
            continue;
        text[at] = ' ';
        if (at > 0 && text[at - 1] == '\r')
            text[at - 1] = ' ';
    }
    return text;
}

}  // namespace

std::string configFileText(int16_t cMain, const ConfigScreenValues& values,
                           const std::string& timestamp)
{
    const std::vector<std::string> lines = {
        std::string("# ") + ProductName + " Version " + ProductVersion,
        "# Configuration File",
        "# " + timestamp,
        "",
        "[Comms]",
        "CMain=" + std::to_string(cMain),
        "DName=" + checkBoxValue(values.dNameChecked),
        "IPAdd=" + singleLine(values.ipAddText),
        "Port1=" + formatFieldNumber(values.port1Text),
        "",
        "[Run]",
        "CPUDelay=" + formatFieldNumber(values.cpuDelayText),
        "LogLevel=" + std::to_string(values.logLevel),
        "LogName=" + singleLine(values.logNameText),
        "LogPath=" + singleLine(values.logPathText),
        "RunOnTop=" + checkBoxValue(values.runOnTopChecked),
        "StartDelay=" + formatFieldNumber(values.startDelayText),
        "StartMin=" + checkBoxValue(values.startMinChecked),
        "",
        "[Shutdown]",
        "ShutTime=" + formatFieldNumber(values.shutTimeText),
        "ShutType=" + std::to_string(values.shutType),
        "",
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace lullex
