#pragma once
// The power-system stabilizer inside the integration loop: a sampled-data filter that reads the
// rotor speed and the electrical power from the newest result row once per sample interval
// (half a period of the rated frequency, counted in whole steps) and returns the signal the
// integrator adds to d alfa/dt until the next sample. PSS2A (order 9) or the single-input
// stabilizer on the electrical power (order 4); everything lives in fixed arrays.
#include <array>
#include <cstdint>
#include <optional>

#include "parametry.h"
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

// The single-input stabilizer: a forward-Euler companion-form filter fed with the second
// backward difference of the power samples.
class SingleInputStabilizer {
public:
    static constexpr int kOrder = kSingleInputOrder;
    using Vector = std::array<double, kOrder>;

    SingleInputStabilizer(const TParametry& record, double Tp);
    void seed(double speed, double power);
    double sample(double speed, double power);

    const Vector& firstFilter() const { return state1_; }

private:
    static void eulerStep(Vector& x, const PssMatrix& a, double Tp, double u);

    const TParametry& record_;
    double Tp_;
    Vector speedHistory_{}, powerHistory_{};
    Vector state1_{}, state2_{};  // the filter states of the latest sample
    std::int64_t sampleCount_ = 0;
};

class Stabilizer {
public:
    // Prepared for one run of `stepCount` steps of length h. Off when the record's pssOn is
    // "NIE"; then no sample is ever taken and the signal stays 0.
    Stabilizer(const TParametry& record, double h, std::int32_t stepCount);

    bool on() const { return on_; }
    std::int64_t sampleCount() const { return samples_; }

    // After the integrator has stored row i (i = 1, 2, ...): the signal for the following steps.
    double stabilizerStep(const State& row, std::int32_t i);

    // The single-input stabilizer's filters, or nullptr for PSS2A.
    const SingleInputStabilizer* singleInput() const { return singleInput_ ? &*singleInput_ : nullptr; }

private:
    const TParametry& record_;
    bool on_ = false;
    std::int64_t samplePeriod_ = 0;
    std::int64_t stepsSinceSample_ = 0;
    std::int64_t samples_ = 0;
    double signal_ = 0.0;
    std::optional<SingleInputStabilizer> singleInput_;
    std::optional<Pss2aStabilizer> pss2a_;
};

}  // namespace tgsim
