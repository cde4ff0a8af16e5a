#include "priority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace lullex {

namespace {

// Linux keeps a nice value per thread, so "the process" means each of its threads.
void RaiseEveryThread()
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", error)) {
        const auto tid = static_cast<id_t>(std::stoul(entry.path().filename().string()));
        // Refused for ordinary users: the program runs as well at the normal priority.
        setpriority(PRIO_PROCESS, tid, RaisedProcessNice);
    }
}

}  // namespace

void RaisePriority()
{
    RaiseEveryThread();
    // Refused like the above without the right; ignored for the same reason.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), RaisedThreadNice);
}

}  // namespace lullex
