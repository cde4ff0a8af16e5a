#pragma once

#include <sys/types.h>

#include <string>

namespace lullex {

// The lock file that marks a running copy: "<runtime dir>/<name>.lock", or
// "/tmp/<name>-<uid>.lock" when there is no runtime directory.
std::string LockFilePath(const std::string& name, const std::string& runtimeDir, uid_t uid);

// One running copy per user: an exclusive flock on the lock file of $XDG_RUNTIME_DIR. The
// kernel lets go of it when the process ends, however it ends, so a crash never leaves the
// program locked out.
class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when another process holds the lock of `name`. Otherwise this object takes the
    // lock and keeps it for its life, and returns false; once it holds the lock it returns
    // false at once. A lock file that cannot be opened counts as no other copy running.
    bool AlreadyRunning(const std::string& name);
    bool holdsLock() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace lullex
