// Speed of a study: 1000 points of the start-up run on every core, against the serial time of
// one point times 1000 divided by the cores (the ideal spread). A point is what the study runs
// for it: a session of its own, the steps, the figures and its table row.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ostream>
#include <streambuf>

#include "app/cli/cli_arguments.h"
#include "driver/study/study_runner.h"
#include "driver/session.h"

namespace tgsim {
namespace {

// Takes the table and forgets it.
class NullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

cli::Arguments studyOf(int points) {
    // The regulator's gain swept over the start-up run: every point costs the same 7000 steps.
    const cli::ParseResult parsed = cli::parseArguments(
        {"--sweep", (points == 1 ? std::string("siatka.0=10:10:1") : "siatka.0=5:20:" + std::to_string(points)),
         "O1Click", "--study", "unused.csv"});
    if (!parsed.error.empty()) throw std::logic_error(parsed.error);
    return parsed.arguments;
}

double secondsFor(const cli::Arguments& study, unsigned jobs) {
    NullBuffer buffer;
    std::ostream table(&buffer);
    const auto start = std::chrono::steady_clock::now();
    const StudySummary summary = writeStudyTable(study.steps, study.study, table, {jobs, nullptr});
    benchmark::DoNotOptimize(summary.failed);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The start-up run as the runner makes it: a new session and O1Click.
void BM_StartupRunInASession(benchmark::State& state) {
    for (auto _ : state) {
        Session session;
        session.O1Click();
        benchmark::DoNotOptimize(session.currentData());
    }
}
BENCHMARK(BM_StartupRunInASession)->Unit(benchmark::kMillisecond);

// One point of the study on one thread.
void BM_StudyPoint(benchmark::State& state) {
    const cli::Arguments study = studyOf(1);
    for (auto _ : state) state.SetIterationTime(secondsFor(study, 1));
}
BENCHMARK(BM_StudyPoint)->UseManualTime()->Unit(benchmark::kMillisecond);

// The serial time of one start-up run in a session of its own, the best of three rounds of 20.
double serialRunSeconds() {
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 20; ++i) {
            Session session;
            session.O1Click();
            benchmark::DoNotOptimize(session.currentData());
        }
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 20);
    }
    return best;
}

// 1000 points on every core. ratio is the time over the serial time of one start-up run (measured
// here first) times 1000 over the cores; point_ratio the same against a serial point of the study
// (the run with its figures and row), the best of three rounds of 20 on one thread.
void BM_Study1000Points(benchmark::State& state) {
    const cli::Arguments study = studyOf(1000);
    const unsigned cores = coreCount();
    const double serialRun = serialRunSeconds();
    double serialPoint = 1e300;
    for (int round = 0; round < 3; ++round) serialPoint = std::min(serialPoint, secondsFor(studyOf(20), 1) / 20.0);
    double total = 0;
    for (auto _ : state) {
        const double seconds = secondsFor(study, cores);
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double mean = total / static_cast<double>(state.iterations());
    state.counters["cores"] = cores;
    state.counters["serial_run_ms"] = serialRun * 1e3;
    state.counters["serial_point_ms"] = serialPoint * 1e3;
    state.counters["ratio"] = mean / (serialRun * 1000.0 / cores);
    state.counters["point_ratio"] = mean / (serialPoint * 1000.0 / cores);
}
BENCHMARK(BM_Study1000Points)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tgsim

BENCHMARK_MAIN();
