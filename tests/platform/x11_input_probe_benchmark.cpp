// The cost of one reading of the X11 probe (three round trips to the server and the event
// drain), against a private Xvfb.
#include "x11_input_probe.h"

#include "x_session.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

void OneReading(benchmark::State& state)
{
    lullex::X11InputProbe probe;
    for (auto _ : state) {
        benchmark::DoNotOptimize(probe.read());
    }
}
BENCHMARK(OneReading)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    std::unique_ptr<lullex::test::XSession> session;
    try {
        session = std::make_unique<lullex::test::XSession>();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot start Xvfb: %s\n", error.what());
        return 1;
    }
    session->applyToThisProcess();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
