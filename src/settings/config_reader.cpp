#include "config_reader.h"

#include "atomic_file.h"
#include "config_keys.h"
#include "number_reader.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <type_traits>

namespace lullex {
namespace {

constexpr const char* CrLf = "\r\n";
constexpr const char* LogTextHeading = "\r\nConfiguration\r\n-------------";

// Only spaces: a tab is part of the value.
std::string_view trimSpaces(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

bool storeValue(Settings& settings, const SettingsField& field, std::string_view value)
{
    return std::visit(
        [&](auto member) {
            using Value = std::remove_cvref_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Value, std::string>) {
                settings.*member = std::string(value);
                return true;
            } else {
                std::optional<Value> number;
                if constexpr (std::is_same_v<Value, int16_t>)
                    number = readInt16Value(value);
                else
                    number = readInt32Value(value);
                if (number)
                    settings.*member = *number;
                return number.has_value();
            }
        },
        field);
}

class LineReader {
public:
    // False when a value does not fit its field.
    bool take(std::string_view line)
    {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            return true;
        const std::string_view trimmed = trimSpaces(line);
        if (!takeKey(trimmed))
            return false;
        countSection(trimmed);
        copyToLogText(trimmed);
        return true;
    }

    // Counting every key and section separately: a doubled key must not make up for a
    // missing one.
    bool complete() const
    {
        const auto once = [](int count) { return count == 1; };
        return std::all_of(m_keyCounts.begin(), m_keyCounts.end(), once) &&
               std::all_of(m_sectionCounts.begin(), m_sectionCounts.end(), once);
    }

    ConfigReadResult result(ReadStatus status) const { return {status, m_settings, m_logText}; }

private:
    bool takeKey(std::string_view line)
    {
        const auto& keys = configKeys();
        for (std::size_t index = 0; index < keys.size(); ++index) {
            const std::string prefix = std::string(keys[index].name) + "=";
            if (line.starts_with(prefix)) {
                ++m_keyCounts[index];
                return storeValue(m_settings, keys[index].field, line.substr(prefix.size()));
            }
        }
        return true;
    }

    void countSection(std::string_view line)
    {
        const auto& sections = configSections();
        for (std::size_t index = 0; index < sections.size(); ++index) {
            if (line == sections[index])
                ++m_sectionCounts[index];
        }
    }

    // The role is left out of the copy; a blank line goes before each section.
    void copyToLogText(std::string_view line)
    {
        if (line.starts_with('['))
            m_logText += CrLf;
        if (!line.starts_with("CMain=")) {
            m_logText += CrLf;
            m_logText += line;
        }
    }

    Settings m_settings;
    std::string m_logText = LogTextHeading;
    std::array<int, ConfigKeyCount> m_keyCounts{};
    std::array<int, ConfigSectionCount> m_sectionCounts{};
};

}  // namespace

ConfigReadResult readConfigLines(std::istream& lines)
{
    LineReader reader;
    std::string line;
    while (std::getline(lines, line)) {
        if (!reader.take(line))
            return reader.result(ReadStatus::Unreadable);
    }
    if (lines.bad())
        return reader.result(ReadStatus::Unreadable);
    return reader.result(reader.complete() ? ReadStatus::Read : ReadStatus::Corrupted);
}

ConfigReadResult readConfigFile(const std::filesystem::path& file)
{
    const FileStatus status = regularFileStatus(file);
    if (status != FileStatus::Regular)
        return {
            status == FileStatus::Missing ? ReadStatus::Missing : ReadStatus::Unreadable, {}, {}};
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return {ReadStatus::Unreadable, {}, {}};
    return readConfigLines(stream);
}

}  // namespace lullex
