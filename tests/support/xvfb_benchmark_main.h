#pragma once

#include "x_session.h"

#include <functional>

namespace lullex::test {

// The whole of a benchmark program's main: starts a private Xvfb and points this process at
// it, hands the session to `ready` (e.g. to watch the server's CPU time), then runs the
// benchmarks the command line names. The exit code for main; 1 when Xvfb cannot start or an
// argument is not understood.
int RunBenchmarksOnXvfb(int argc, char** argv,
                        const std::function<void(const XSession&)>& ready = {});

}  // namespace lullex::test
