#include "ordinary_user.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lullex::test {

namespace {

constexpr int ChildFailed = 1;
constexpr int CannotDrop = 2;

// Makes every file of the tree the user's, keeping the modes the test has set.
bool GiveTree(const std::filesystem::path& tree, uid_t user, gid_t group)
{
    std::error_code error;
    bool given = ::lchown(tree.c_str(), user, group) == 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(tree, error))
        given = ::lchown(entry.path().c_str(), user, group) == 0 && given;
    return given && !error;
}

[[noreturn]] void RunAsNobody(const std::filesystem::path& tree, const std::function<void()>& check)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr || !GiveTree(tree, nobody->pw_uid, nobody->pw_gid) ||
        ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
        ::setuid(nobody->pw_uid) != 0) {
        std::fprintf(stderr, "cannot become the user nobody: %s\n", std::strerror(errno));
        std::_Exit(CannotDrop);
    }
    check();
    std::fflush(stdout);
    std::_Exit(testing::Test::HasFailure() ? ChildFailed : 0);
}

}  // namespace

void RunAsOrdinaryUser(const std::filesystem::path& tree, const std::function<void()>& check)
{
    if (::geteuid() != 0) {
        check();
        return;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << "cannot fork: " << std::strerror(errno);
    if (child == 0)
        RunAsNobody(tree, check);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ASSERT_TRUE(WIFEXITED(status)) << "the check as nobody ended by signal " << WTERMSIG(status);
    const int code = WEXITSTATUS(status);
    EXPECT_EQ(code, 0) << (code == CannotDrop ? "the check could not run as nobody"
                                              : "the check failed as nobody (see above)");
}

}  // namespace lullex::test
