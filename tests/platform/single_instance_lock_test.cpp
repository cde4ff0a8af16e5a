#include "single_instance_lock.h"

#include "child_process.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <optional>

namespace lullex {
namespace {

using test::ChildProcess;
using test::ProcessSpec;
using test::TempDir;

struct LockPathCase {
    std::string runtimeDir;
    uid_t uid;
    std::string expected;
};

TEST(LockFilePathTest, UsesTheRuntimeDirectoryElseTmpWithTheUser)
{
    const std::vector<LockPathCase> cases = {
        {"/run/user/1000", 1000, "/run/user/1000/Lullex.lock"},
        {"/run/user/1000/", 1000, "/run/user/1000/Lullex.lock"},
        {"", 1000, "/tmp/Lullex-1000.lock"},
        {"", 0, "/tmp/Lullex-0.lock"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(LockFilePath("Lullex", entry.runtimeDir, entry.uid), entry.expected)
            << "runtime dir \"" << entry.runtimeDir << "\"";
    }
}

TEST(SingleInstanceLockTest, FirstHolderKeepsTheLockAndOthersAreRefused)
{
    TempDir dir;
    const test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path().string());
    auto first = std::make_unique<SingleInstanceLock>();
    EXPECT_FALSE(first->AlreadyRunning("Lullex"));
    EXPECT_TRUE(first->holdsLock());
    EXPECT_TRUE(std::filesystem::exists(dir.file("Lullex.lock")));
    EXPECT_FALSE(first->AlreadyRunning("Lullex")) << "asking again while holding";

    SingleInstanceLock second;
    EXPECT_TRUE(second.AlreadyRunning("Lullex"));
    EXPECT_FALSE(second.holdsLock());
    EXPECT_FALSE(SingleInstanceLock().AlreadyRunning("Other")) << "another name, another lock";

    first.reset();
    EXPECT_FALSE(second.AlreadyRunning("Lullex"));
    EXPECT_TRUE(second.holdsLock());
}

TEST(SingleInstanceLockTest, ALockFileThatCannotBeMadeCountsAsNoOtherCopy)
{
    TempDir dir;
    const test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.file("missing").string());
    SingleInstanceLock first;
    SingleInstanceLock second;
    EXPECT_FALSE(first.AlreadyRunning("Lullex"));
    EXPECT_FALSE(second.AlreadyRunning("Lullex"));
    EXPECT_FALSE(first.holdsLock());
}

TEST(SingleInstanceLockTest, ASymbolicLinkIsNotFollowed)
{
    TempDir dir;
    const test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path().string());
    std::filesystem::create_symlink(dir.file("target"), dir.file("Lullex.lock"));
    SingleInstanceLock lock;
    EXPECT_FALSE(lock.AlreadyRunning("Lullex"));
    EXPECT_FALSE(lock.holdsLock());
    EXPECT_FALSE(std::filesystem::exists(dir.file("target")));
}

// Lock holders and checkers in processes of their own, as copies of the program would be.
class SingleInstanceProcessTest : public ::testing::Test {
protected:
    ProcessSpec helper(const std::string& command, const std::filesystem::path& runtimeDir) const
    {
        ProcessSpec spec;
        spec.argv = {PLATFORM_TEST_HELPER, command};
        spec.setEnvironment = {{"XDG_RUNTIME_DIR", runtimeDir.string()}};
        return spec;
    }

    // Starts a holder and waits until it says it holds the lock.
    std::unique_ptr<ChildProcess> startHolder(const std::string& command,
                                              const std::filesystem::path& runtimeDir) const
    {
        auto holder = std::make_unique<ChildProcess>(helper(command, runtimeDir));
        EXPECT_TRUE(test::WaitUntil(
            [&] { return holder->stdoutText().rfind("holding", 0) == 0 || !holder->running(); }));
        EXPECT_EQ(holder->stdoutText().rfind("holding", 0), 0u) << holder->describe();
        return holder;
    }

    std::string check(const std::filesystem::path& runtimeDir) const
    {
        const auto result = test::RunCommand(helper("lock-check", runtimeDir));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }

    TempDir m_dir;
};

TEST_F(SingleInstanceProcessTest, SecondCopyIsRefusedUntilTheFirstEnds)
{
    const auto holder = startHolder("lock-hold", m_dir.path());
    EXPECT_EQ(check(m_dir.path()), "running\n");
    EXPECT_EQ(test::RunCommand(helper("lock-hold", m_dir.path())).out, "running\n");
    EXPECT_EQ(holder->stop(), 128 + SIGTERM);
    EXPECT_EQ(check(m_dir.path()), "free\n");
}

TEST_F(SingleInstanceProcessTest, LockIsFreeAfterTheHolderIsKilled)
{
    const auto holder = startHolder("lock-hold", m_dir.path());
    EXPECT_EQ(check(m_dir.path()), "running\n");
    holder->kill();
    EXPECT_EQ(holder->waitForExit(), 128 + SIGKILL);
    EXPECT_EQ(check(m_dir.path()), "free\n");
}

TEST_F(SingleInstanceProcessTest, EachRuntimeDirectoryHasItsOwnLock)
{
    TempDir other;
    const auto holder = startHolder("lock-hold", m_dir.path());
    EXPECT_EQ(check(other.path()), "free\n");
    EXPECT_EQ(check(m_dir.path()), "running\n");
    EXPECT_TRUE(std::filesystem::exists(m_dir.file("Lullex.lock")));
}

TEST_F(SingleInstanceProcessTest, ProgramsStartedByTheHolderDoNotKeepTheLock)
{
    const auto holder = startHolder("lock-hold-spawn", m_dir.path());
    const pid_t spawned = std::stoi(holder->stdoutText().substr(std::string("holding ").size()));
    // The detached "sleep 600" goes however the test ends.
    const test::ProcessGuard guard(spawned);
    holder->stop();
    ASSERT_TRUE(test::ProcessExists(spawned)) << "the program the holder started should outlive it";
    EXPECT_EQ(check(m_dir.path()), "free\n");
}

}  // namespace
}  // namespace lullex
