// Speed of the analyses of an operating point: the modal analysis at a loaded point on the
// network, and the ringdown figures of a 300 000-row run.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/analysis/modal_analysis.h"
#include "core/analysis/ringdown.h"
#include "operating_points.h"

namespace tgsim {
namespace {

// Generator set 1 at P = 0,5, Q = 0,3 on the network, without and with PSS2A set 1.
void BM_ModalAnalysis(benchmark::State& state) {
    const testing::RunInputs in = testing::networkPoint(1, 0.5, 0.3, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(modalAnalysis(in.record, in.initialState));
}
BENCHMARK(BM_ModalAnalysis)->ArgName("pss2a")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The stabilizer test with PSS2A set 1 lengthened to 300 s: 300 000 rows. Each iteration takes
// the speed out of the result rows and fits it over the default window (the end of the torque
// pulse to the end of the run, 290 s) or over the first 10 s after it.
void BM_RingdownOfLongRun(benchmark::State& state) {
    testing::RunInputs in = testing::loadRun(1, "Klasyc", &testing::presetNamed("Test SS"), 1);
    in.record.tk = 300.0;
    in.record.stepCount = 300'000;
    static ResultMatrix results;  // one run for both windows
    if (results.storedRows() != 300'001u && !testing::run(in, results).empty()) {
        state.SkipWithError("the run failed");
        return;
    }
    const std::size_t rows = results.storedRows();
    const double end = results.row(rows - 1)[kT];
    const RingdownWindow window = defaultRingdownWindow(in.record, in.record.to, end);
    const double to = state.range(0) == 0 ? window.to : window.from + 10.0;
    std::vector<double> t(rows), w(rows);
    RingdownResult found;
    for (auto _ : state) {
        for (std::size_t i = 0; i < rows; ++i)
            t[i] = results.row(i)[kT], w[i] = results.row(i)[kOmega] / in.record.omegan;
        found = ringdown(t, w, window.from, to);
        benchmark::DoNotOptimize(found);
    }
    state.counters["frequency_hz"] = found.frequencyHz;
    state.counters["damping_ratio"] = found.dampingRatio;
    state.counters["fit_quality"] = found.fitQuality;
}
BENCHMARK(BM_RingdownOfLongRun)->ArgName("tenSeconds")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgsim
