// The cost of one reading of the X11 probe (three round trips to the server and the event
// drain), against a private Xvfb.
#include "x11_input_probe.h"

#include "xvfb_benchmark_main.h"

#include <benchmark/benchmark.h>

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
    return lullex::test::RunBenchmarksOnXvfb(argc, argv);
}
