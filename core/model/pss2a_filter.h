#pragma once
// The PSS2A's two paths as sampled state-space filters: each transfer function gain*N(s)/D(s)
// (D of degree 9) in companion form, driven by its input and discretised by an exact
// zero-order hold over the sample interval Ts. The input is held between samples, so the
// filter's output at the sample instants is exactly that of the continuous path fed with the
// held input: no numerical differentiation of the inputs is involved.
#include <array>
#include <cstddef>

#include "parameter_record.h"

namespace tgsim {

inline constexpr std::size_t kPss2aFilterOrder = kPss2aOrder;

class SampledCompanionFilter {
public:
    using Vector = std::array<double, kPss2aFilterOrder>;

    // numerator: coefficients of s^0..s^8, denominator: s^0..s^9 (its s^9 coefficient not 0).
    SampledCompanionFilter(const std::array<double, kPss2aFilterOrder>& numerator,
                           const std::array<double, kPss2aFilterOrder + 1>& denominator, double gain, double Ts);

    // Advances the filter state x one sample interval with the input u held over it; returns
    // the output at its end.
    double advance(Vector& x, double u) const;
    // The output of state x.
    double output(const Vector& x) const;
    // How the output one interval on depends on each element of the state now, the input held
    // at zero: c * e^(A*Ts).
    Vector nextOutputGains() const;

private:
    std::array<Vector, kPss2aFilterOrder> phi_{};  // e^(A*Ts)
    Vector gamma_{};                               // integral of e^(A*tau) d tau over Ts, times B
    Vector c_{};
};

// The speed path kw*ks1*N1(s)/D1(s) and the power path kw*ks1*ks2*(N3(s) - ks3*N2(s))/D2(s).
SampledCompanionFilter speedPathFilter(const TParametry& record, double Ts);
SampledCompanionFilter powerPathFilter(const TParametry& record, double Ts);

// What the PSS2A carries from one sample to the next.
struct Pss2aMemory {
    SampledCompanionFilter::Vector speedPath{}, powerPath{};  // the two filter states
    double speed0 = 0.0, power0 = 0.0;                        // the seeded inputs
    double previousOutput = 0.0;                              // the summed output of the last sample
};

// The PSS2A stabilizer over one run: inputs relative to the seeded speed and power, the
// signal the increment of the summed output over the last sample interval divided by Ts.
class Pss2aStabilizer {
public:
    Pss2aStabilizer(const TParametry& record, double Ts);
    static void seed(Pss2aMemory& memory, double speed, double power) { memory.speed0 = speed, memory.power0 = power; }
    // Takes one sample and returns the signal held until the next one.
    double sample(Pss2aMemory& memory, double speed, double power) const;

    const SampledCompanionFilter& speedPath() const { return speedPath_; }
    const SampledCompanionFilter& powerPath() const { return powerPath_; }
    double Ts() const { return Ts_; }

private:
    SampledCompanionFilter speedPath_, powerPath_;
    double Ts_;
};

}  // namespace tgsim
