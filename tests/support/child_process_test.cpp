#include "child_process.h"
#include "readiness_pipe.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <memory>
#include <thread>

namespace lullex::test {
namespace {

using namespace std::chrono_literals;

ProcessSpec Shell(const std::string& script)
{
    ProcessSpec spec;
    spec.argv = {"sh", "-c", script};
    return spec;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(ChildProcessTest, ReportsExitCodeAndEachOutput)
{
    ChildProcess process(Shell("printf 'out\\n'; printf 'err\\n' >&2; exit 7"));
    EXPECT_EQ(process.waitForExit(), 7);
    EXPECT_EQ(process.stdoutText(), "out\n");
    EXPECT_EQ(process.stderrText(), "err\n");
}

TEST(ChildProcessTest, BothOutputsCanShareOneFileWithoutOverwriting)
{
    TempDir dir;
    ProcessSpec spec = Shell("printf a; printf b >&2; printf c");
    spec.stdoutPath = dir.file("both.txt");
    spec.stderrPath = spec.stdoutPath;
    ChildProcess process(spec);
    ASSERT_EQ(process.waitForExit(), 0);
    EXPECT_EQ(ReadWholeFile(dir.file("both.txt")), "abc");
}

TEST(ChildProcessTest, RunsInItsWorkingDirectoryWithTheGivenEnvironment)
{
    TempDir dir;
    const ScopedEnv dropped("LULLEX_SUPPORT_DROPPED", "present");
    ProcessSpec spec = Shell("pwd; printf '%s\\n' \"$LULLEX_SUPPORT_ADDED\" "
                             "\"${LULLEX_SUPPORT_DROPPED-unset}\"");
    spec.workingDirectory = dir.path();
    spec.setEnvironment = {{"LULLEX_SUPPORT_ADDED", "two words"}};
    spec.unsetEnvironment = {"LULLEX_SUPPORT_DROPPED"};
    ChildProcess process(spec);
    ASSERT_EQ(process.waitForExit(), 0) << process.describe();
    EXPECT_EQ(process.stdoutText(),
              std::filesystem::canonical(dir.path()).string() + "\ntwo words\nunset\n");
}

TEST(ChildProcessTest, StandardInputComesFromTheGivenFile)
{
    TempDir dir;
    WriteWholeFile(dir.file("in.txt"), "line one\r\nline two\n");
    ProcessSpec spec;
    spec.argv = {"cat"};
    spec.stdinPath = dir.file("in.txt");
    ChildProcess process(spec);
    ASSERT_EQ(process.waitForExit(), 0);
    EXPECT_EQ(process.stdoutText(), "line one\r\nline two\n");
}

TEST(ChildProcessTest, EndBySignalGivesTheShellsCode)
{
    ChildProcess process(Shell("kill -KILL $$"));
    EXPECT_EQ(process.waitForExit(), 128 + SIGKILL);
}

TEST(ChildProcessTest, WaitForExitGivesNothingWhileTheProcessRuns)
{
    ChildProcess process(Shell("exec sleep 60"));
    EXPECT_EQ(process.waitForExit(100ms), std::nullopt);
    EXPECT_TRUE(process.running());
    process.terminate();
    EXPECT_EQ(process.waitForExit(), 128 + SIGTERM);
    EXPECT_FALSE(process.running());
}

TEST(ChildProcessTest, DestructionStopsTheProcess)
{
    pid_t pid = 0;
    {
        ChildProcess process(Shell("exec sleep 60"));
        pid = process.pid();
        ASSERT_TRUE(ProcessExists(pid));
    }
    EXPECT_FALSE(ProcessExists(pid));
}

TEST(ChildProcessTest, StopKillsAProcessThatIgnoresTerminate)
{
    ChildProcess process(Shell("trap '' TERM; echo ready; while :; do sleep 0.05; done"));
    ASSERT_TRUE(WaitUntil([&] { return process.stdoutText() == "ready\n"; })) << process.describe();
    EXPECT_EQ(process.stop(300ms), 128 + SIGKILL);
}

TEST(ChildProcessTest, ChildEndsWhenTheThreadThatStartedItEnds)
{
    // The kernel's parent-death signal follows the starting thread, not the whole process:
    // start children from the test's main thread, or turn dieWithTest off.
    std::unique_ptr<ChildProcess> dies;
    std::unique_ptr<ChildProcess> stays;
    std::thread starter([&] {
        dies = std::make_unique<ChildProcess>(Shell("exec sleep 60"));
        ProcessSpec spec = Shell("exec sleep 60");
        spec.dieWithTest = false;
        stays = std::make_unique<ChildProcess>(spec);
    });
    starter.join();
    EXPECT_EQ(dies->waitForExit(), 128 + SIGTERM);
    EXPECT_EQ(stays->waitForExit(200ms), std::nullopt);
}

TEST(ChildProcessTest, StartFailuresNameTheProgramAndTheReason)
{
    TempDir dir;
    WriteWholeFile(dir.file("plain.txt"), "#!/bin/sh\n");
    chmod(dir.file("plain.txt").c_str(), 0644);
    const std::string plain = dir.file("plain.txt").string();
    const std::string missingDir = dir.file("missing").string();

    const std::string notFound = ErrorOf([] { ChildProcess({.argv = {"lullex-no-such-tool"}}); });
    EXPECT_EQ(notFound.rfind("cannot start lullex-no-such-tool: not found on PATH ", 0), 0u)
        << notFound;
    EXPECT_EQ(ErrorOf([&] { ChildProcess({.argv = {plain}}); }),
              "cannot start " + plain + ": cannot execute it: Permission denied");
    EXPECT_EQ(ErrorOf([&] { ChildProcess({.argv = {"true"}, .workingDirectory = missingDir}); }),
              "cannot start true: cannot enter the working directory: No such file or directory");
    EXPECT_EQ(ErrorOf([] { ChildProcess({}); }), "cannot start a process without a program name");
}

TEST(ChildProcessTest, RunCommandReturnsCodeAndOutputs)
{
    const CommandResult result = RunCommand(Shell("echo hi; echo there >&2; exit 3"));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out, "hi\n");
    EXPECT_EQ(result.err, "there\n");
}

TEST(ChildProcessTest, RunCommandGivesUpAtItsTimeout)
{
    const std::string error = ErrorOf([] { RunCommand(Shell("exec sleep 60"), 200ms); });
    EXPECT_EQ(error.rfind("command did not end within 200 ms: [sh -c exec sleep 60] pid ", 0), 0u)
        << error;
}

TEST(ReadinessPipeTest, ReadsTheLineWrittenOnThePassedDescriptor)
{
    ReadinessPipe pipe;
    ProcessSpec spec = Shell("printf 'ready 42\\n' >&3; exec sleep 60");
    spec.passFds = {pipe.passAs(3)};
    ChildProcess process(spec);
    EXPECT_EQ(pipe.readLine(process, "tool"), "ready 42");
}

TEST(ReadinessPipeTest, ReportsAChildThatEndsFirst)
{
    ReadinessPipe pipe;
    ProcessSpec spec = Shell("echo broken >&2; exit 3");
    spec.passFds = {pipe.passAs(3)};
    ChildProcess process(spec);
    const std::string error = ErrorOf([&] { pipe.readLine(process, "tool"); });
    EXPECT_EQ(error, "tool ended before it was ready: [sh -c echo broken >&2; exit 3] pid " +
                         std::to_string(process.pid()) +
                         ", exit code 3\n--- stdout ---\n\n--- stderr ---\nbroken\n");
}

TEST(ReadinessPipeTest, ReportsAChildThatNeverSaysItIsReady)
{
    ReadinessPipe pipe;
    ProcessSpec spec = Shell("exec sleep 60");
    spec.passFds = {pipe.passAs(3)};
    ChildProcess process(spec);
    const std::string error = ErrorOf([&] { pipe.readLine(process, "tool", 200ms); });
    EXPECT_EQ(error.rfind("tool did not become ready within 200 ms: ", 0), 0u) << error;
}

}  // namespace
}  // namespace lullex::test
