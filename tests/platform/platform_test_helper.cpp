// Runs one platform operation in a process of its own, for tests that need a second process
// (the single-instance lock) or must not change the test process (the priority). Prints what
// it found on standard output.
//   lock-hold        take the lock; print "holding" and wait to be killed, or "running"
//   lock-hold-spawn  as lock-hold, but first start "sleep 600"; print "holding <its pid>"
//   lock-check       print "running" or "free" and end (a free lock is taken and let go)
//   priority         raise the priority with a second thread running; print both nice values
//   priority-as-nobody  the same after dropping root to the user nobody
#include "priority.h"
#include "single_instance_lock.h"

#include <grp.h>
#include <spawn.h>
#include <sys/resource.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

extern char** environ;

namespace {

const char* const LockName = "Lullex";

[[noreturn]] void WaitForever()
{
    while (true) {
        pause();
    }
}

int HoldLock(bool spawnChild)
{
    lullex::SingleInstanceLock lock;
    if (lock.AlreadyRunning(LockName)) {
        std::printf("running\n");
        return 3;
    }
    if (!spawnChild) {
        std::printf("holding\n");
    } else {
        pid_t child = 0;
        char program[] = "/bin/sleep";
        char seconds[] = "600";
        char* argv[] = {program, seconds, nullptr};
        if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) != 0) {
            std::perror("posix_spawn");
            return 4;
        }
        std::printf("holding %d\n", static_cast<int>(child));
    }
    std::fflush(stdout);
    WaitForever();
}

int CheckLock()
{
    lullex::SingleInstanceLock lock;
    std::printf(lock.AlreadyRunning(LockName) ? "running\n" : "free\n");
    return 0;
}

bool DropToNobody()
{
    const gid_t nobodyGroup = 65534;
    const uid_t nobody = 65534;
    return setgroups(0, nullptr) == 0 && setgid(nobodyGroup) == 0 && setuid(nobody) == 0;
}

int ReportPriority(bool asNobody)
{
    if (asNobody && !DropToNobody()) {
        std::perror("cannot become nobody");
        return 4;
    }
    std::mutex mutex;
    std::condition_variable changed;
    bool raised = false;
    bool measured = false;
    int workerNice = 0;
    std::thread worker([&] {
        std::unique_lock guard(mutex);
        changed.wait(guard, [&] { return raised; });
        workerNice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
        measured = true;
        changed.notify_all();
    });
    lullex::RaisePriority();
    {
        std::unique_lock guard(mutex);
        raised = true;
        changed.notify_all();
        changed.wait(guard, [&] { return measured; });
    }
    worker.join();
    const int mainNice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    std::printf("main=%d worker=%d\n", mainNice, workerNice);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "lock-hold" || command == "lock-hold-spawn") {
        return HoldLock(command == "lock-hold-spawn");
    }
    if (command == "lock-check") {
        return CheckLock();
    }
    if (command == "priority" || command == "priority-as-nobody") {
        return ReportPriority(command == "priority-as-nobody");
    }
    std::fprintf(stderr, "unknown command \"%s\"\n", command.c_str());
    return 2;
}
