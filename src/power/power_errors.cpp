#include "power_errors.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace lullex {
namespace {

struct FailureText {
    PowerFailure failure;
    uint32_t number;
    const char* before;  // the fixed text before the detail
    const char* after;   // and after it
};

constexpr std::array<FailureText, 5> FailureTexts = {{
    {PowerFailure::ShutdownFailed, 0x8004062B, "ShutdownSystem failed: ", ""},
    {PowerFailure::PrivilegeNotFound, 0x8004062C,
     "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. [", "]"},
    {PowerFailure::ProcessUnknown, 0x8004062D,
     "Can't enable shutdown: Can't determine the current process. [", "]"},
    {PowerFailure::NoPrivilege, 0x8004062E,
     "Can't enable shutdown: You do not have the privileges to shutdown this system. [", "]"},
    {PowerFailure::InvalidParameter, 0x8004062F, "Invalid parameter to ShutdownSystem: ", ""},
}};

constexpr bool listedInEnumOrder()
{
    for (std::size_t i = 0; i < FailureTexts.size(); ++i) {
        if (static_cast<std::size_t>(FailureTexts[i].failure) != i)
            return false;
    }
    return true;
}
static_assert(listedInEnumOrder());

const FailureText& textOf(PowerFailure failure)
{
    return FailureTexts[static_cast<std::size_t>(failure)];
}

// The kernel marks the link of an executable replaced on disk since it was started.
constexpr std::string_view DeletedMark = " (deleted)";

}  // namespace

int32_t PowerErrorNumber(PowerFailure failure)
{
    return static_cast<int32_t>(textOf(failure).number);
}

std::string PowerErrorDescription(PowerFailure failure, std::string_view detail)
{
    const FailureText& text = textOf(failure);
    std::string description = text.before;
    description += detail;
    description += text.after;
    return description;
}

std::string PowerErrorSourceFor(std::string_view executablePath)
{
    if (executablePath.ends_with(DeletedMark))
        executablePath.remove_suffix(DeletedMark.size());
    std::string name = std::filesystem::path(executablePath).filename().string();
    // A leading dot starts a hidden name, not an extension.
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name + ".mShutDown";
}

std::string PowerErrorSource()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    // Without /proc (a restricted container) the name we were started under is the best left.
    if (error)
        return PowerErrorSourceFor(program_invocation_short_name);
    return PowerErrorSourceFor(executable.string());
}

PowerError MakePowerError(PowerFailure failure, std::string_view detail, const std::string& source)
{
    return PowerError(PowerErrorNumber(failure), source, PowerErrorDescription(failure, detail));
}

}  // namespace lullex
