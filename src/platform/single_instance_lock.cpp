#include "single_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace lullex {

std::string LockFilePath(const std::string& name, const std::string& runtimeDir, uid_t uid)
{
    if (runtimeDir.empty()) {
        return "/tmp/" + name + "-" + std::to_string(uid) + ".lock";
    }
    const bool endsWithSlash = runtimeDir.back() == '/';
    return runtimeDir + (endsWithSlash ? "" : "/") + name + ".lock";
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (m_fd >= 0) {
        close(m_fd);
    }
}

bool SingleInstanceLock::AlreadyRunning(const std::string& name)
{
    if (m_fd >= 0) {
        return false;
    }
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    const std::string path = LockFilePath(name, runtimeDir != nullptr ? runtimeDir : "", getuid());
    // Close-on-exec, or a program we start (the log viewer) would inherit the lock and keep
    // the next copy out after we have ended. No symbolic links: in /tmp another user could
    // plant one.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;  // no lock to be had: carry on as the only copy rather than not at all
    }
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        m_fd = fd;
        return false;
    }
    const bool heldByAnother = errno == EWOULDBLOCK;
    close(fd);
    return heldByAnother;
}

}  // namespace lullex
