#include "config_checks.h"

#include "config_check.h"
#include "config_display.h"
#include "config_keys.h"
#include "ip_address.h"
#include "log_paths.h"
#include "number_reader.h"
#include "shut_type.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace lullex {
namespace {

constexpr int MaximumDomainNameLength = 100;

struct Fields {
    const ConfigForm& form;
    const ConfigChoices& choices;
    const CheckContext& context;
};

struct Rule {
    Remark label;
    const char* text;  // replaces the label's remark; nullptr: the remark stays
    bool (*fails)(const Fields&);
};

// The limits shown beside the fields are those of the file's keys.
const ValidRange& rangeOf(const char* key)
{
    for (const ConfigKey& entry : configKeys()) {
        if (std::strcmp(entry.name, key) == 0 && entry.range)
            return *entry.range;
    }
    throw std::logic_error(std::string("no range for ") + key);
}

bool numberOutside(const std::string& text, const char* key)
{
    const ValidRange& range = rangeOf(key);
    const double value = readFieldNumber(text);
    return !(value >= range.minimum && value <= range.maximum);
}

bool hasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 0x20 || code == 0x7F;
    });
}

bool lengthOutside(const std::string& text, const char* key)
{
    const ValidRange& range = rangeOf(key);
    const int length = characterCount(text);
    return hasControlCharacter(text) || length < range.minimum || length > range.maximum;
}

bool folderMissing(const std::string& path)
{
    std::error_code error;
    return path.empty() || !std::filesystem::is_directory(withForwardSlashes(path), error);
}

// "\" ends a folder on Windows; a file brought from there keeps working.
bool lacksFinalSeparator(const std::string& path)
{
    return path.empty() || (path.back() != '/' && path.back() != '\\');
}

bool isSlave(const Fields& f)
{
    return f.context.cMain == RoleSlave;
}

bool monitorOnMaster(const Fields& f)
{
    return f.context.cMain == RoleMaster &&
           f.choices.shutType == static_cast<int16_t>(ShutType::Monitor);
}

bool monitorLacksIPAddress(const Fields& f)
{
    return monitorOnMaster(f) && !f.form.dName && !IsIPAddress(f.form.ipAdd);
}

bool monitorLacksDomainName(const Fields& f)
{
    return monitorOnMaster(f) && f.form.dName &&
           (f.form.ipAdd.empty() || IsIPAddress(f.form.ipAdd));
}

const Rule Rules[] = {
    {Remark::IPAddM, nullptr,
     [](const Fields& f) {
         return !f.form.dName && !f.form.ipAdd.empty() && !IsIPAddress(f.form.ipAdd);
     }},
    {Remark::IPAddM, nullptr,
     [](const Fields& f) {
         return f.form.dName && (characterCount(f.form.ipAdd) > MaximumDomainNameLength ||
                                 hasControlCharacter(f.form.ipAdd) || IsIPAddress(f.form.ipAdd));
     }},
    {Remark::CPUDelayM, nullptr,
     [](const Fields& f) { return numberOutside(f.form.cpuDelay, "CPUDelay"); }},
    {Remark::LogLevelM, nullptr,
     [](const Fields& f) {
         return f.choices.logLevel < LogLevelNone || f.choices.logLevel > LogLevelFull;
     }},
    {Remark::LogNameM, nullptr,
     [](const Fields& f) { return lengthOutside(f.form.logName, "LogName"); }},
    {Remark::LogPathM, nullptr,
     [](const Fields& f) { return lengthOutside(f.form.logPath, "LogPath"); }},
    {Remark::LogPathM, nullptr, [](const Fields& f) { return folderMissing(f.form.logPath); }},
    {Remark::LogPathM, nullptr,
     [](const Fields& f) { return lacksFinalSeparator(f.form.logPath); }},
    {Remark::Port1M, nullptr, [](const Fields& f) { return numberOutside(f.form.port1, "Port1"); }},
    {Remark::ShutTimeM, nullptr,
     [](const Fields& f) { return numberOutside(f.form.shutTime, "ShutTime"); }},
    {Remark::ShutTypeM, nullptr, [](const Fields& f) { return !FindShutType(f.choices.shutType); }},
    {Remark::StartDelayM, nullptr,
     [](const Fields& f) { return numberOutside(f.form.startDelay, "StartDelay"); }},
    {Remark::IPAddM, nullptr,
     [](const Fields& f) { return isSlave(f) && !f.form.dName && !IsIPAddress(f.form.ipAdd); }},
    {Remark::IPAddM, nullptr,
     [](const Fields& f) { return isSlave(f) && f.form.dName && f.form.ipAdd.empty(); }},
    {Remark::ShutTypeM, nullptr, monitorLacksIPAddress},
    {Remark::IPAddM, ValidIPAddressRequired, monitorLacksIPAddress},
    {Remark::ShutTypeM, nullptr, monitorLacksDomainName},
    {Remark::IPAddM, ValidDomainNameRequired, monitorLacksDomainName},
    {Remark::ShutTypeM, InvalidInSlaveMode,
     [](const Fields& f) {
         return isSlave(f) && f.choices.shutType == static_cast<int16_t>(ShutType::Monitor);
     }},
    {Remark::Port1M, nullptr, [](const Fields& f) { return isSlave(f) && f.context.portError; }},
};

}  // namespace

CheckOutcome CheckFields(const ConfigForm& form, const ConfigChoices& choices,
                         const CheckContext& context)
{
    const Fields fields{form, choices, context};
    CheckOutcome outcome;
    for (const Rule& rule : Rules) {
        if (!rule.fails(fields))
            continue;
        ++outcome.failures;
        outcome.highlighted[indexOf(rule.label)] = true;
        if (rule.text && rule.label == Remark::IPAddM)
            outcome.ipAddRemark = rule.text;
        else if (rule.text)
            outcome.shutTypeRemark = rule.text;
    }
    return outcome;
}

}  // namespace lullex
