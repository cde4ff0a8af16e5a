// IsAdministrator for real accounts: the test creates users and groups (which needs root), runs
// the check in power_probe after it has become that user, and removes what it created.
#include "administrator.h"
#include "child_process.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>

#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

void runOrFail(const std::vector<std::string>& argv)
{
    ProcessSpec spec;
    spec.argv = argv;
    const CommandResult result = RunCommand(spec);
    if (result.exitCode != 0)
        throw std::runtime_error(argv.front() + " failed: " + result.err);
}

// Removes what a test made; a failure there is reported, not thrown from a destructor.
void cleanUp(const std::vector<std::string>& argv)
{
    try {
        const CommandResult result = RunCommand({argv});
        EXPECT_EQ(result.exitCode, 0) << argv.front() << ": " << result.err;
    } catch (const std::runtime_error& error) {
        ADD_FAILURE() << error.what();
    }
}

// A group made for the test (unless one of that name exists) and removed after it.
class TestGroup {
public:
    explicit TestGroup(std::string name) : m_name(std::move(name))
    {
        if (getgrnam(m_name.c_str()) != nullptr)
            return;
        runOrFail({"groupadd", m_name});
        m_created = true;
    }
    ~TestGroup()
    {
        if (m_created)
            cleanUp({"groupdel", m_name});
    }
    TestGroup(const TestGroup&) = delete;
    TestGroup& operator=(const TestGroup&) = delete;

private:
    std::string m_name;
    bool m_created = false;
};

// A user without a home directory, removed after the test.
class TestUser {
public:
    TestUser(std::string name, const std::string& primaryGroup,
             const std::vector<std::string>& groups)
        : m_name(std::move(name))
    {
        std::string list;
        for (const std::string& group : groups)
            list += (list.empty() ? "" : ",") + group;
        std::vector<std::string> argv = {"useradd",           "-M", "-N",        "-s",
                                         "/usr/sbin/nologin", "-g", primaryGroup};
        if (!list.empty())
            argv.insert(argv.end(), {"-G", list});
        argv.push_back(m_name);
        runOrFail(argv);
    }
    ~TestUser() { cleanUp({"userdel", m_name}); }
    TestUser(const TestUser&) = delete;
    TestUser& operator=(const TestUser&) = delete;

    const std::string& name() const { return m_name; }

private:
    std::string m_name;
};

std::string askAs(const std::vector<std::string>& userArguments)
{
    ProcessSpec spec;
    spec.argv = {POWER_PROBE_PATH, "admin"};
    spec.argv.insert(spec.argv.end(), userArguments.begin(), userArguments.end());
    const CommandResult result = RunCommand(spec);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.out;
}

TEST(IsAdministrator, RootIs)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the test does not run as root";
    EXPECT_TRUE(IsAdministrator());
    EXPECT_EQ(askAs({}), "True\n");
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

// A name unique to this test process: "lx" and the pid, plus a mark.
std::string uniqueName(const std::string& mark)
{
    return "lx" + std::to_string(getpid()) + mark;
}

// Group names in the table: "<lookalike>" becomes a group made for this row whose name only
// resembles an administrators' group.
std::string resolve(const std::string& group)
{
    return group == "<lookalike>" ? "sudo" + uniqueName("x") : group;
}

TEST_P(AccountTest, AnswersByGroupName)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "creating users needs root";
    const AccountCase& row = GetParam();
    std::vector<std::unique_ptr<TestGroup>> groups;
    std::vector<std::string> groupNames;
    for (const std::string& group : row.groups) {
        groupNames.push_back(resolve(group));
        groups.push_back(std::make_unique<TestGroup>(groupNames.back()));
    }
    const std::string primary = resolve(row.primaryGroup);
    if (primary != "users")
        groups.push_back(std::make_unique<TestGroup>(primary));
    const TestUser user(uniqueName("u"), primary, groupNames);

    std::vector<std::string> arguments = {user.name()};
    if (row.primaryGroupOnly)
        arguments.push_back("--primary-group-only");
    EXPECT_EQ(askAs(arguments), row.answer);
}

// Each group name other than sudo and users appears in one row only: rows run as separate
// processes in parallel, and a group made by one row is removed when that row ends.
INSTANTIATE_TEST_SUITE_P(
    Accounts, AccountTest,
    testing::Values(AccountCase{"PlainUser", "users", {}, false, "False\n"},
                    AccountCase{"InSudo", "users", {"sudo"}, false, "True\n"},
                    AccountCase{"InWheel", "users", {"wheel"}, false, "True\n"},
                    AccountCase{"InAdmin", "users", {"admin"}, false, "True\n"},
                    AccountCase{"InLookalikeOnly", "users", {"<lookalike>"}, false, "False\n"},
                    AccountCase{"EffectiveGroupSudo", "sudo", {}, true, "True\n"},
                    AccountCase{"EffectiveGroupPlain", "users", {"sudo"}, true, "False\n"}),
    [](const testing::TestParamInfo<AccountCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex::test
