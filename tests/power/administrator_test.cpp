// IsAdministrator for real accounts: the test creates users and groups and runs the check in
// power_probe after it has become that user. All of it happens in a mount namespace whose /etc
// is a private copy, so the machine's accounts never change, even when the test is killed.
#include "administrator.h"
#include "child_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

// The text as one word for sh.
std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the commands, one a line, with /etc replaced by a copy for them alone; the result of
// the whole.
CommandResult RunWithPrivateAccounts(const std::vector<std::string>& commands)
{
    TempDir root("lullex-accounts");
    std::string script = "cp -a /etc " + Quoted(root.file("etc").string()) + "\n" +
                         "mount --bind " + Quoted(root.file("etc").string()) + " /etc\n";
    for (const std::string& command : commands)
        script += command + "\n";
    return RunCommand(
        {.argv = {"unshare", "--mount", "--propagation", "private", "sh", "-ec", script}});
}

// Why a private mount namespace cannot be made here, or nothing when it can. Inside a plain
// chroot "/" is no mount point and its propagation cannot be changed.
std::string WhyNoPrivateMounts()
{
    const CommandResult probe =
        RunCommand({.argv = {"unshare", "--mount", "--propagation", "private", "true"}});
    return probe.exitCode == 0 ? "" : probe.err;
}

TEST(IsAdministrator, RootIs)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the test does not run as root";
    EXPECT_TRUE(IsAdministrator());
    const CommandResult probe = RunCommand({.argv = {POWER_PROBE_PATH, "admin"}});
    EXPECT_EQ(probe.out, "True\n") << probe.err;
}

struct AccountCase {
    const char* name;
    std::string primaryGroup;
    std::vector<std::string> groups;
    bool primaryGroupOnly;  // the process keeps no supplementary groups
    std::string answer;
};

void PrintTo(const AccountCase& row, std::ostream* out)
{
    *out << row.name;
}

class AccountTest : public testing::TestWithParam<AccountCase> {};

TEST_P(AccountTest, AnswersByGroupName)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "creating users and a mount namespace needs root";
    if (const std::string why = WhyNoPrivateMounts(); !why.empty())
        GTEST_SKIP() << "no private mount namespace here, so no safe copy of /etc: " << why;
    const AccountCase& row = GetParam();
    std::vector<std::string> commands;
    std::vector<std::string> groups = row.groups;
    groups.push_back(row.primaryGroup);
    for (const std::string& group : groups)
        commands.push_back("getent group " + group + " >/dev/null || groupadd " + group);
    std::string user = "useradd -M -N -l -s /usr/sbin/nologin -g " + row.primaryGroup;
    for (std::size_t i = 0; i < row.groups.size(); ++i)
        user += (i == 0 ? " -G " : ",") + row.groups[i];
    commands.push_back(user + " lullextest");
    commands.push_back(Quoted(POWER_PROBE_PATH) + " admin lullextest" +
                       (row.primaryGroupOnly ? " --primary-group-only" : ""));

    const CommandResult result = RunWithPrivateAccounts(commands);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, row.answer) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, AccountTest,
    testing::Values(AccountCase{"PlainUser", "users", {}, false, "False\n"},
                    AccountCase{"InSudo", "users", {"sudo"}, false, "True\n"},
                    AccountCase{"InWheel", "users", {"wheel"}, false, "True\n"},
                    AccountCase{"InAdmin", "users", {"admin"}, false, "True\n"},
                    // A name that only resembles an administrators' group.
                    AccountCase{"InLookalikeOnly", "users", {"sudoers"}, false, "False\n"},
                    AccountCase{"EffectiveGroupSudo", "sudo", {}, true, "True\n"},
                    AccountCase{"EffectiveGroupPlain", "users", {"sudo"}, true, "False\n"}),
    [](const testing::TestParamInfo<AccountCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex::test
