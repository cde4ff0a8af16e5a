// The CPU cost of one monitored second of a master in Run: the two 500 ms ticks of that second,
// one of which takes a real input sample from a private Xvfb and appends a Full-level status
// line to a real log file. Run by hand (not by CTest); the target is at most 1 ms of CPU per
// monitored second.
#include "monitored_program.h"
#include "process_cpu.h"

#include "xvfb_benchmark_main.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

const lullex::test::XSession* xSession = nullptr;

void OneMonitoredSecond(benchmark::State& state)
{
    lullex::bench::MonitoredProgram program;
    program.enterRun();
    const auto serverPid = xSession->pids().front();
    const double serverCpuBefore = lullex::bench::ProcessCpuSeconds(serverPid);
    const auto logSizeBefore = std::filesystem::file_size(program.logFile());

    for (auto _ : state) {
        program.oneSecond();
    }

    const double serverCpu = lullex::bench::ProcessCpuSeconds(serverPid) - serverCpuBefore;
    const auto logBytes = std::filesystem::file_size(program.logFile()) - logSizeBefore;
    // The X server answers the sample's queries in a process of its own; shown beside, not in,
    // the measured time.
    state.counters["xvfb_cpu_us"] =
        benchmark::Counter(serverCpu * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["log_bytes"] =
        benchmark::Counter(static_cast<double>(logBytes), benchmark::Counter::kAvgIterations);
    const std::string fault = program.checkStillInRun();
    if (!fault.empty())
        state.SkipWithError(fault.c_str());
}
BENCHMARK(OneMonitoredSecond)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->MinTime(3);

}  // namespace

int main(int argc, char** argv)
{
    return lullex::test::RunBenchmarksOnXvfb(
        argc, argv, [](const lullex::test::XSession& session) { xSession = &session; });
}
