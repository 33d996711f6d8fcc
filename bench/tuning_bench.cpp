// Speed of stabilizer tuning at a loaded point on the network (P = 0,5, Q = 0,3 of "zadany stan
// Ustalony", "PSS 2A - D.O." in the grid): the frequency responses at 200 frequencies (the
// runner's default) and the whole proposal, both as the runner and the window ask the session.
#include <benchmark/benchmark.h>

#include "core/analysis/frequency_response.h"
#include "driver/commands.h"
#include "driver/session.h"

namespace tgsim {
namespace {

Session operatingPoint(int generatorSet) {
    Session session;
    for (const std::string& handler : {"G" + std::to_string(generatorSet) + "Click", std::string("Pracawsieci1Click"),
                                       std::string("PSS2A_1Click"), std::string("Warunkizadane1Click")})
        findCommand(handler)->action(session, nullptr);
    return session;
}

void BM_FrequencyResponse200(benchmark::State& state) {
    const Session session = operatingPoint(1);
    const std::vector<double> frequencies = logSpacedFrequencies(0.1, 5.0, 200);
    for (auto _ : state) benchmark::DoNotOptimize(session.frequencyResponse(frequencies));
}
BENCHMARK(BM_FrequencyResponse200)->Unit(benchmark::kMillisecond);

void BM_PssProposal(benchmark::State& state) {
    const Session session = operatingPoint(static_cast<int>(state.range(0)));
    PssProposal proposal;
    for (auto _ : state) benchmark::DoNotOptimize(proposal = session.proposePssSetting());
    state.counters["damping_after"] = proposal.withProposed.dampingRatio;
}
BENCHMARK(BM_PssProposal)->ArgName("generator")->Arg(1)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgsim
