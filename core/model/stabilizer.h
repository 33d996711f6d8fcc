#pragma once
// The power-system stabilizer inside the integration loop: a sampled-data filter that reads the
// rotor speed and the electrical power from the newest result row once per sample interval
// (half a period of the rated frequency, counted in whole steps) and returns the signal the
// integrator adds to d alfa/dt until the next sample. PSS2A (order 9) or the single-input
// stabilizer on the electrical power (order 4); everything lives in fixed arrays.
#include <array>
#include <cstdint>
#include <optional>

#include "parameter_record.h"
#include "pss2a_filter.h"

namespace tgsim {

// j - i, wrapped once into 0..n-1 (i <= n).
int ringIndex(int n, int j, int i);

// The k-th backward difference quotient of the ring buffer y of n samples ending at `index`:
// Tp^-k * sum over i = 0..k of (-1)^i * C(k, i) * y[ringIndex(n, index, i)].
double backwardDifference(const double* y, int n, int index, double Tp, int k);

// Steps from one sample to the next: a clock starting at 0 adds h per step and takes the sample
// on the first step where it is no longer below Tp (then restarts at 0, the remainder dropped).
// More than `limit` steps is reported as limit + 1.
std::int64_t stepsPerSample(double h, double Tp, std::int64_t limit);

// What the single-input stabilizer carries from one sample to the next.
struct SingleInputMemory {
    using Vector = std::array<double, kSingleInputOrder>;
    Vector speedHistory{}, powerHistory{};  // ring buffers of the samples
    Vector filter1{}, filter2{};            // the filter states of the latest sample
    std::int64_t sampleCount = 0;           // the next sample goes to index sampleCount mod n
};

// The single-input stabilizer: a forward-Euler companion-form filter fed with the second
// backward difference of the power samples.
class SingleInputStabilizer {
public:
    static constexpr int kOrder = kSingleInputOrder;
    using Vector = SingleInputMemory::Vector;

    SingleInputStabilizer(const TParametry& record, double Tp);
    static void seed(SingleInputMemory& memory, double speed, double power);
    double sample(SingleInputMemory& memory, double speed, double power) const;

    const TParametry& record() const { return record_; }
    double Tp() const { return Tp_; }

private:
    static void eulerStep(Vector& x, const PssMatrix& a, double Tp, double u);

    const TParametry& record_;
    double Tp_;
};

// What the stabilizer carries from one step of a run to the next.
struct StabilizerMemory {
    std::int64_t stepsSinceSample = 0;  // the sample clock, in whole steps
    std::int64_t samples = 0;
    double signal = 0.0;  // added to d alfa/dt until the next sample
    Pss2aMemory pss2a;
    SingleInputMemory singleInput;
};

class Stabilizer {
public:
    // Prepared for one run of `stepCount` steps of length h. Off when the record's pssOn is
    // "NIE"; then no sample is ever taken and the signal stays 0. The record must outlive it.
    Stabilizer(const TParametry& record, double h, std::int32_t stepCount);

    bool on() const { return on_; }
    // On, and the run reaches its first sample.
    bool acting() const { return pss2a_ || singleInput_; }
    // Steps from one sample to the next (when acting).
    std::int64_t samplePeriod() const { return samplePeriod_; }
    std::int64_t sampleCount() const { return memory_.samples; }

    // After the integrator has stored row i (i = 1, 2, ...): the signal for the following steps.
    double stabilizerStep(const State& row, std::int32_t i);
    // Takes a sample of these inputs now, whatever the clock says (when acting): the new signal.
    double sample(double speed, double power);

    const StabilizerMemory& memory() const { return memory_; }
    void setMemory(const StabilizerMemory& memory) { memory_ = memory; }
    // The memory of a stabilizer that has rested at `row` since its start: seeded with the
    // row's speed and power, filters at rest, no signal, the clock just after a sample.
    void restAt(const State& row);

    // The acting stabilizer's coefficients, or nullptr.
    const SingleInputStabilizer* singleInput() const { return singleInput_ ? &*singleInput_ : nullptr; }
    const Pss2aStabilizer* pss2a() const { return pss2a_ ? &*pss2a_ : nullptr; }

private:
    void seed(const State& row);

    const TParametry& record_;
    bool on_ = false;
    std::int64_t samplePeriod_ = 0;
    StabilizerMemory memory_;
    std::optional<SingleInputStabilizer> singleInput_;
    std::optional<Pss2aStabilizer> pss2a_;
};

}  // namespace tgsim
