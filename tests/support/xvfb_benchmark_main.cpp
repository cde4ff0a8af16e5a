#include "xvfb_benchmark_main.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>
#include <memory>

namespace lullex::test {

int RunBenchmarksOnXvfb(int argc, char** argv, const std::function<void(const XSession&)>& ready)
{
    std::unique_ptr<XSession> session;
    try {
        session = std::make_unique<XSession>();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot start Xvfb: %s\n", error.what());
        return 1;
    }
    session->applyToThisProcess();
    if (ready)
        ready(*session);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace lullex::test
