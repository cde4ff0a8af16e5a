// Syncing the directory after the rename fails, as on a failing disk: the new file is in place
// by then, so the save counts as done. fsync is interposed in this binary alone.
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

TEST(ConfigSaved, AFailedDirectorySyncAfterTheRenameStillCountsAsSaved)
{
    ConfigSandbox sandbox;
    sandbox.writeConfig("# an older configuration\r\n");
    testing::internal::CaptureStderr();
    failDirectorySync = true;
    EXPECT_TRUE(sandbox.store.WriteConfig({}));
    failDirectorySync = false;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Lullex: saved " + testing::PrintToString(sandbox.configFile()) +
                  ", but its directory could not be synchronised: Input/output error\n");
    EXPECT_TRUE(sandbox.state.ConfigSaved);
    EXPECT_TRUE(sandbox.prompter.boxes.empty());
    EXPECT_TRUE(ReadWholeFile(sandbox.configFile()).starts_with("# Lullex Version"));
}

}  // namespace lullex
