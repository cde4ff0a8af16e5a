// Lullex as a user installs and starts it: `cmake --install` into a temporary prefix, the tree
// moved elsewhere (it must not depend on where it was installed), then the launcher started as
// the menu entry starts it, with a data directory of its own. Its logo opens the guide that
// was installed with it.
#include "e2e_test_support.h"
#include "fake_opener.h"
#include "no_machine_system_bus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace lullex::test {
namespace {

namespace fs = std::filesystem;

const char* const StartLine = " Start    , Initialise, Count:";

struct InstalledTree {
    TempDir dir{"lullex-installed"};
    fs::path prefix() const { return dir.file("moved"); }
    fs::path launcher() const { return prefix() / "bin/lullex-session"; }
    fs::path defaults() const { return prefix() / "share/lullex/Lullex.ini"; }
};

void Install(const InstalledTree& tree)
{
    const fs::path first = tree.dir.file("installed");
    const CommandResult result = RunCommand(
        {.argv = {LULLEX_CMAKE, "--install", LULLEX_BUILD_DIR, "--prefix", first.string()}},
        LongTimeout);
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    fs::rename(first, tree.prefix());
}

bool LogHasLine(const fs::path& log, const std::string& fields)
{
    return fs::exists(log) && ReadWholeFile(log).find(", " + fields + "\r\n") != std::string::npos;
}

TEST(InstalledProgram, LauncherMakesTheWorkingDirectoryOnceAndKeepsChangedSettings)
{
    InstalledTree tree;
    ASSERT_NO_FATAL_FAILURE(Install(tree));
    XSession session({.windowManager = true});
    TempDir home("lullex-home");
    const fs::path workingDir = home.file("data/lullex");
    const fs::path settings = workingDir / "Data/Lullex.ini";
    const fs::path log = workingDir / "Log/Lullex.log";
    ProcessSpec spec = session.processSpec({tree.launcher().string(), "-InhibitShutdown"});
    spec.setEnvironment["HOME"] = home.path().string();
    spec.setEnvironment["XDG_DATA_HOME"] = home.file("data").string();
    FakeOpener opener(FakeOpener::Kind::Recording);
    spec.setEnvironment["PATH"] = opener.pathVariable();

    {
        ChildProcess first(spec);
        const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
        ASSERT_TRUE(window) << first.describe();
        EXPECT_EQ(ReadWholeFile(settings), ReadWholeFile(tree.defaults()));
        ClickLogo(session, *window, LogoOf::MainWindow);
        const fs::path guide = fs::canonical(tree.prefix() / "share/doc/lullex/index.htm");
        EXPECT_TRUE(WaitUntil([&] { return opener.recorded() == "1|" + guide.string(); }))
            << opener.recorded();
        EXPECT_TRUE(WaitUntil([&] { return LogHasLine(log, std::string(StartLine) + "   2"); }))
            << first.describe();
        first.stop();
    }
    ASSERT_TRUE(WaitForNoWindowTitled(session, "Lullex"));

    std::string changed = ReadWholeFile(settings);
    const std::string delay = "\r\nStartDelay=2\r\n";
    ASSERT_NE(changed.find(delay), std::string::npos);
    changed.replace(changed.find(delay), delay.size(), "\r\nStartDelay=9\r\n");
    WriteWholeFile(settings, changed);

    ChildProcess second(spec);
    ASSERT_TRUE(WaitForVisibleWindow(session, "Lullex")) << second.describe();
    EXPECT_TRUE(WaitUntil([&] { return LogHasLine(log, std::string(StartLine) + "   9"); }))
        << second.describe() << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(settings), changed) << "the second start replaced the settings";
}

TEST(InstalledProgram, LauncherWithoutItsDefaultsSaysSoAndStartsNothing)
{
    InstalledTree tree;
    ASSERT_NO_FATAL_FAILURE(Install(tree));
    fs::remove(tree.defaults());
    TempDir home("lullex-home");
    const CommandResult result =
        RunCommand({.argv = {tree.launcher().string()},
                    .setEnvironment = {{"HOME", home.path().string()},
                                       {"XDG_DATA_HOME", home.file("data").string()}}});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "lullex-session: the default settings " +
                              (tree.prefix() / "bin/../share/lullex/Lullex.ini").string() +
                              " are missing; reinstall Lullex\n");
    EXPECT_FALSE(fs::exists(home.file("data/lullex/Data/Lullex.ini")));
}

}  // namespace
}  // namespace lullex::test
