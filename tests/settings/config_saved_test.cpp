// The save's last step, syncing the directory after the rename, fails as on a failing disk:
// the new file is already in place, so the save counts as done. This binary interposes fsync
// for every directory while failDirectorySync is set.
#include "config_sandbox.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <dlfcn.h>
#include <sys/stat.h>

namespace {
bool failDirectorySync = false;
}

extern "C" int fsync(int fd)
{
    struct stat status {};
    if (failDirectorySync && ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        errno = EIO;
        return -1;
    }
    static const auto realFsync = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    return realFsync(fd);
}

namespace lullex {
namespace {

TEST(ConfigSaved, AFailedDirectorySyncAfterTheRenameStillCountsAsSaved)
{
    ConfigSandbox sandbox;
    sandbox.writeConfig("# an older configuration\r\n");
    sandbox.state.settings.CMain = RoleMaster;
    ConfigScreenValues values;
    values.port1Text = "10001";
    values.cpuDelayText = "600";
    values.startDelayText = "2";
    values.shutTimeText = "60";
    values.logNameText = "Lullex.log";
    values.logPathText = "Log/";
    values.startMinChecked = 1;

    testing::internal::CaptureStderr();
    failDirectorySync = true;
    const bool saved = sandbox.store.WriteConfig(values);
    failDirectorySync = false;
    const std::string errorOutput = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(saved);
    EXPECT_TRUE(sandbox.state.ConfigSaved);
    EXPECT_TRUE(sandbox.prompter.boxes.empty());
    EXPECT_EQ(ConfigSandbox::contentsOf(sandbox.configFile()), defaultConfigFile());
    EXPECT_EQ(errorOutput, "Lullex: saved " + testing::PrintToString(sandbox.configFile()) +
                               ", but its directory could not be synchronised: Input/output "
                               "error\n");
}

}  // namespace
}  // namespace lullex
