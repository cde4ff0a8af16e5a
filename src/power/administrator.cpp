#include "administrator.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <grp.h>
#include <sys/types.h>
#include <unistd.h>

namespace lullex {
namespace {

// The groups whose members the usual Linux distributions let administer the machine.
constexpr std::array<std::string_view, 3> AdministratorGroups = {"sudo", "wheel", "admin"};

// A group database entry larger than this is broken, not merely long.
constexpr std::size_t MaxGroupEntrySize = 1 << 20;

std::optional<std::vector<gid_t>> processGroups()
{
    const int count = getgroups(0, nullptr);
    if (count < 0)
        return std::nullopt;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    // Should the groups change between the two calls, the answer is no rather than a guess.
    if (count > 0 && getgroups(count, groups.data()) != count)
        return std::nullopt;
    groups.push_back(getegid());
    return groups;
}

std::optional<std::string> groupName(gid_t gid)
{
    const long suggested = sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024);
    for (;;) {
        group entry{};
        group* found = nullptr;
        const int error = getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < MaxGroupEntrySize) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr)
            return std::nullopt;
        return std::string(entry.gr_name);
    }
}

bool isAdministratorGroup(gid_t gid)
{
    const std::optional<std::string> name = groupName(gid);
    return name && std::find(AdministratorGroups.begin(), AdministratorGroups.end(), *name) !=
                       AdministratorGroups.end();
}

}  // namespace

bool IsAdministrator() noexcept
{
    if (geteuid() == 0)
        return true;
    try {
        const std::optional<std::vector<gid_t>> groups = processGroups();
        return groups && std::any_of(groups->begin(), groups->end(), isAdministratorGroup);
    } catch (...) {
        // Only memory exhaustion can get here; the question then has no answer, which is no.
        return false;
    }
}

}  // namespace lullex
