#include "discrete_state.h"

#include <cmath>

namespace tgsim {
namespace {

// Chart captions of elements 1..10, names of the stored values 11..20.
// clang-format off
constexpr const char* kPlantNames[kStateSize] = {
    "t",  "Id", "Iw",  "iD1", "Iq",  "iQ1", "iQ2", "w",  "delta", "alfa", "beta",
    "Ud", "Uq", "dUd", "dUq", "dId", "dIq", "Ug",  "dUg", "errorIntegral", "regulatorOutput"};
// clang-format on

double plantScale(int k, const TParametry& r) {
    switch (k) {
    case kId:
    case kIq: return r.Ign;
    case kIw:
    case kiD1:
    case kiQ1:
    case kiQ2: return r.Iwn / r.ksi;  // the chart's unit of rotor currents
    case kOmega: return r.omegan;
    case kUd:
    case kUq:
    case kUg: return r.Un;
    case kdUd:
    case kdUq:
    case kdUg: return r.Un * r.omegan;
    case kdId:
    case kdIq: return r.Ign * r.omegan;
    case kErrorIntegral: return r.Un * 1.0;  // a second of rated voltage
    default: return 1.0;                     // angles and the regulator output, rad
    }
}

// The ring index of the sample `age` samples older than the newest, `count` samples taken.
int ringSlot(std::int64_t count, int age) {
    constexpr int n = SingleInputStabilizer::kOrder;
    const int newest = static_cast<int>((count + n - 1) % n);
    return ringIndex(n, newest, age);
}

}  // namespace

DiscreteStateLayout::DiscreteStateLayout(const RunStepper& run) {
    const TParametry& r = run.record();
    for (int k = 1; k < kStateSize; ++k) elements_.push_back({kPlantNames[k], plantScale(k, r), Part::Plant, k});
    static_assert(plantElement(1) == 0, "plant elements come first, in state order");

    const Stabilizer& stabilizer = run.stabilizer();
    if (const Pss2aStabilizer* pss = stabilizer.pss2a()) {
        // A filter element moves the output at the next sample by its gain: a radian of output
        // per scale. An element with no direct gain takes the largest gain's scale.
        auto addPath = [&](const SampledCompanionFilter& filter, const char* path, Part part) {
            const auto gains = filter.nextOutputGains();
            double largest = 0.0;
            for (double g : gains) largest = std::fmax(largest, std::fabs(g));
            for (int i = 0; i < static_cast<int>(gains.size()); ++i) {
                const double g = std::fabs(gains[static_cast<std::size_t>(i)]);
                const double gain = g > 0.0 ? g : (largest > 0.0 ? largest : 1.0);
                elements_.push_back({std::string(path) + " " + std::to_string(i + 1), 1.0 / gain, part, i});
            }
        };
        addPath(pss->speedPath(), "speed path", Part::SpeedPath);
        addPath(pss->powerPath(), "power path", Part::PowerPath);
        elements_.push_back({"previous output", 1.0, Part::PreviousOutput, 0});
        elements_.push_back({"stabilizer signal", 1.0 / pss->Ts(), Part::Signal, 0});
    } else if (const SingleInputStabilizer* single = stabilizer.singleInput()) {
        const double signalScale = 1.0 / single->Tp();
        auto addFour = [&](const char* name, double scale, Part part) {
            for (int i = 0; i < SingleInputStabilizer::kOrder; ++i)
                elements_.push_back({std::string(name) + " " + std::to_string(i + 1), scale, part, i});
        };
        addFour("power sample", 1.0, Part::PowerSamples);  // 1 the newest
        addFour("speed sample", 1.0, Part::SpeedSamples);
        addFour("first filter", signalScale, Part::Filter1);
        addFour("second filter", signalScale, Part::Filter2);
        elements_.push_back({"stabilizer signal", signalScale, Part::Signal, 0});
    }
}

template <class S>
auto* DiscreteStateLayout::location(S& state, const Element& e) {
    auto& pss2a = state.stabilizer.pss2a;
    auto& single = state.stabilizer.singleInput;
    const auto i = static_cast<std::size_t>(e.index);
    switch (e.part) {
    case Part::SpeedPath: return &pss2a.speedPath[i];
    case Part::PowerPath: return &pss2a.powerPath[i];
    case Part::PreviousOutput: return &pss2a.previousOutput;
    case Part::Signal: return &state.stabilizer.signal;
    case Part::PowerSamples:
        return &single.powerHistory[static_cast<std::size_t>(ringSlot(single.sampleCount, e.index))];
    case Part::SpeedSamples:
        return &single.speedHistory[static_cast<std::size_t>(ringSlot(single.sampleCount, e.index))];
    case Part::Filter1: return &single.filter1[i];
    case Part::Filter2: return &single.filter2[i];
    case Part::Plant: break;
    }
    return &state.row[i];
}

void DiscreteStateLayout::read(const RunState& state, double* values) const {
    for (std::size_t k = 0; k < elements_.size(); ++k) values[k] = *location(state, elements_[k]);
}

void DiscreteStateLayout::write(const double* values, RunState& state) const {
    for (std::size_t k = 0; k < elements_.size(); ++k) *location(state, elements_[k]) = values[k];
}

}  // namespace tgsim
