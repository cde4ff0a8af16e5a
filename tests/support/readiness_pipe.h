#pragma once

#include "child_process.h"

#include <chrono>
#include <string>
#include <utility>

namespace lullex::test {

// A pipe for programs that say on a descriptor when they are ready (Xvfb -displayfd N,
// dbus-daemon --print-address=N): hand passAs(N) to the child, then readLine().
class ReadinessPipe {
public:
    ReadinessPipe();
    ~ReadinessPipe();
    ReadinessPipe(const ReadinessPipe&) = delete;
    ReadinessPipe& operator=(const ReadinessPipe&) = delete;

    // The entry for ProcessSpec::passFds: the write end, as descriptor childFd in the child.
    std::pair<int, int> passAs(int childFd) const { return {m_writeFd, childFd}; }
    // The first line the child writes, without its line end. Throws std::runtime_error naming
    // `what` when the child ends or the timeout passes before a whole line came.
    std::string readLine(ChildProcess& child, const std::string& what,
                         std::chrono::milliseconds timeout = DefaultTimeout);

private:
    int m_readFd = -1;
    int m_writeFd = -1;
};

}  // namespace lullex::test
