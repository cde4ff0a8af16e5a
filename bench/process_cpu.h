#pragma once

#include <sys/types.h>

namespace lullex::bench {

// User plus system CPU time that the process has used so far, from /proc/PID/stat, in
// seconds (kernel clock ticks, usually 10 ms). Throws std::runtime_error when it cannot be read.
double ProcessCpuSeconds(pid_t pid);

}  // namespace lullex::bench
