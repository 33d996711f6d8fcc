// Speed of the simulation core: one evaluation of the state equations and whole runs of the
// integrator, with steps per second and the bytes a run allocates per step.
#include <benchmark/benchmark.h>

#include "allocation_counter.h"
#include "core/model/stabilizer.h"
#include "core/model/state_equations.h"
#include "core/numerics/integrator.h"
#include "core/numerics/nystrom_stepper.h"
#include "core/numerics/step_length.h"
#include "data/load_parameters.h"
#include "driver/chart_quantities.h"
#include "driver/session.h"
#include "startup_grids.h"

namespace tgsim {
namespace {

struct RunInputs {
    TParametry record;
    State initialState{};
};

// The start-up grids of generator set 1, optionally after a preset and with PSS2A set 1 on.
RunInputs load(const char* scenarioName, bool pss2a) {
    testing::StartupInputs in;
    for (const ScenarioPreset& preset : kScenarioPresets)
        if (std::string_view(preset.scenarioName) == scenarioName) {
            writeScenarioGrids(in.grids, preset);
            preset.setEvents(in.record);
        }
    if (pss2a) {
        in.record.pssOrder = PSS2A(1, in.grids.Siatka_PSS);
        in.stabilizerOn = true;
    }
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    return {in.record, in.initialState};
}

void runBenchmark(benchmark::State& state, RunInputs in) {
    ResultMatrix results;
    const bench::AllocationCount before = bench::allocationsSoFar();
    for (auto _ : state) {
        integrate(in.initialState, in.record, results, in.record.to, in.record.tk, nullptr);
        benchmark::DoNotOptimize(results.rowData(results.storedRows() - 1));
    }
    const bench::AllocationCount after = bench::allocationsSoFar();
    const double steps = static_cast<double>(in.record.stepCount) * static_cast<double>(state.iterations());
    state.counters["steps/s"] = benchmark::Counter(steps, benchmark::Counter::kIsRate);
    state.counters["bytes/step"] = static_cast<double>(after.bytes - before.bytes) / steps;
    state.counters["allocs/run"] =
        static_cast<double>(after.allocations - before.allocations) / static_cast<double>(state.iterations());
}

void BM_StateEquations(benchmark::State& state) {
    RunInputs in = load("Test SS", false);
    in.record.PrSam = state.range(0) ? Connection::OffNetwork : Connection::OnNetwork;
    State x = in.initialState, f{};
    const double t = 0.5;
    x[kT] = 0.499;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        stateEquations(x, in.record, t, f);
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_StateEquations)->ArgName("offNetwork")->Arg(0)->Arg(1);

// The run of the program's start: 7000 steps, no stabilizer.
void BM_StartupRun(benchmark::State& state) { runBenchmark(state, load("wzbudzenie", false)); }
BENCHMARK(BM_StartupRun)->Unit(benchmark::kMillisecond);

// The stabilizer test with PSS2A set 1: 20 s, 20000 steps.
void BM_Pss2aTestRun(benchmark::State& state) { runBenchmark(state, load("Test SS", true)); }
BENCHMARK(BM_Pss2aTestRun)->Unit(benchmark::kMillisecond);

// The stabilizer test lengthened to the given number of seconds, without and with PSS2A.
void BM_LongRun(benchmark::State& state) {
    RunInputs in = load("Test SS", state.range(1) != 0);
    in.record.tk = static_cast<double>(state.range(0));
    in.record.stepCount = static_cast<std::int32_t>(state.range(0) * 20 * 50);
    runBenchmark(state, in);
}
BENCHMARK(BM_LongRun)
    ->ArgNames({"seconds", "pss2a"})
    ->Args({200, 0})
    ->Args({500, 0})
    ->Args({500, 1})
    ->Unit(benchmark::kMillisecond);

// ---- The runner's cost over the equations it integrates ----

constexpr const char* kLongStartupEnd = "498";  // the start-up run from -2 s: 500 000 steps

// The start-up run lengthened to 500 000 steps.
RunInputs longStartupRun() {
    testing::StartupInputs in;
    in.grids.siatkaPraca.setCell(1, 1, kLongStartupEnd);
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    return {in.record, in.initialState};
}

// The reference: the integration as one plain loop over the same equations (the Nystrom step,
// the stored values of the first stage, the firing-angle limit, the stabilizer, each row
// stored), with none of the run's checks, stepping state or progress.
void plainLoop(const RunInputs& in, ResultMatrix& results) {
    const std::int32_t N = in.record.stepCount;
    const double h = stepLength(in.record.to, in.record.tk, N);
    Stabilizer stabilizer(in.record, h, N);
    results.reset(static_cast<std::size_t>(N) + 1);
    State y = in.initialState, next{}, l{};
    y[kT] = in.record.to;
    std::copy(y.begin(), y.end(), results.rowData(0));
    auto system = [&](const State& x, State& g, double t) {
        stateEquations(x, in.record, t, g);
        for (int k = 0; k < kStateSize; ++k) g[k] = g[k] + l[k];
    };
    NystromStepper<kStateSize> stepper;
    double t = in.record.to;
    for (std::int32_t i = 1; i <= N; ++i) {
        t = t + h;
        stepper.doStep(system, y, t, h, next);
        next[kT] = t;
        const State& g1 = stepper.firstStageDerivative();
        for (int k = kUd; k < kStateSize; ++k) next[k] = g1[k];
        if (next[kBeta] > in.record.betaMax) next[kBeta] = in.record.betaMax;
        if (!(next[kBeta] >= 0.0)) next[kBeta] = 0.0;
        y = next;
        std::copy(y.begin(), y.end(), results.rowData(static_cast<std::size_t>(i)));
        l[kAlfa] = stabilizer.stabilizerStep(y, i);
    }
    results.setStoredRows(static_cast<std::size_t>(N) + 1);
}

void BM_PlainLoop500k(benchmark::State& state) {
    const RunInputs in = longStartupRun();
    ResultMatrix results;
    for (auto _ : state) {
        plainLoop(in, results);
        benchmark::DoNotOptimize(results.rowData(results.storedRows() - 1));
    }
    state.counters["steps/s"] =
        benchmark::Counter(500'000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainLoop500k)->Unit(benchmark::kMillisecond);

// The integrator on the same inputs: the plain loop's work with the run's checks and its stepper.
void BM_Integrate500k(benchmark::State& state) { runBenchmark(state, longStartupRun()); }
BENCHMARK(BM_Integrate500k)->Unit(benchmark::kMillisecond);

// The same run as tgsim-cli makes it: a session, the end time typed into its cell, O1Click (the
// integration with every check and the chart values' check). Compare its time with the plain
// loop's: the runner is meant to cost at most 8 % more.
void BM_RunnerRun500k(benchmark::State& state) {
    for (auto _ : state) {
        Session session;
        session.setCell(GridId::siatkaPraca, 1, 1, kLongStartupEnd);
        session.O1Click();
        benchmark::DoNotOptimize(session.currentData());
    }
    state.counters["steps/s"] =
        benchmark::Counter(500'000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunnerRun500k)->Unit(benchmark::kMillisecond);

// The check of all seventeen chart quantities of every row that ends each computation, over
// the rows of the stabilizer test (20000 steps): rows per second, beside steps/s of the runs.
void BM_ChartValueCheck(benchmark::State& state) {
    RunInputs in = load("Test SS", true);
    ResultMatrix results;
    integrate(in.initialState, in.record, results, in.record.to, in.record.tk, nullptr);
    const ChartRows rows(results, results.storedRows() - 1, in.record);
    for (auto _ : state) checkChartValues(rows);
    state.counters["rows/s"] = benchmark::Counter(
        static_cast<double>(rows.size()) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ChartValueCheck)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgsim

BENCHMARK_MAIN();
