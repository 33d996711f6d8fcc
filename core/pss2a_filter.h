#pragma once
// The PSS2A's two paths as sampled state-space filters: each transfer function gain*N(s)/D(s)
// (D of degree 9) in companion form, driven by its input and discretised by an exact
// zero-order hold over the sample interval Ts. The input is held between samples, so the
// filter's output at the sample instants is exactly that of the continuous path fed with the
// held input: no numerical differentiation of the inputs is involved.
#include <array>
#include <cstddef>

#include "parametry.h"

namespace tgsim {

inline constexpr std::size_t kPss2aFilterOrder = kPss2aOrder;

class SampledCompanionFilter {
public:
    using Vector = std::array<double, kPss2aFilterOrder>;

    // numerator: coefficients of s^0..s^8, denominator: s^0..s^9 (its s^9 coefficient not 0).
    SampledCompanionFilter(const std::array<double, kPss2aFilterOrder>& numerator,
                           const std::array<double, kPss2aFilterOrder + 1>& denominator, double gain, double Ts);

    // Advances one sample interval with the input u held over it; returns the output at its end.
    double advance(double u);
    double output() const { return output_; }

private:
    std::array<Vector, kPss2aFilterOrder> phi_{};  // e^(A*Ts)
    Vector gamma_{};                         // integral of e^(A*tau) d tau over Ts, times B
    Vector c_{};
    Vector x_{};
    double output_ = 0.0;
};

// The speed path kw*ks1*N1(s)/D1(s) and the power path kw*ks1*ks2*(N3(s) - ks3*N2(s))/D2(s).
SampledCompanionFilter speedPathFilter(const TParametry& record, double Ts);
SampledCompanionFilter powerPathFilter(const TParametry& record, double Ts);

// The PSS2A stabilizer over one run: inputs relative to the seeded speed and power, the
// signal the increment of the summed output over the last sample interval divided by Ts.
class Pss2aStabilizer {
public:
    Pss2aStabilizer(const TParametry& record, double Ts);
    void seed(double speed, double power) { speed0_ = speed, power0_ = power; }
    // Takes one sample and returns the signal held until the next one.
    double sample(double speed, double power);

private:
    SampledCompanionFilter speedPath_, powerPath_;
    double Ts_;
    double speed0_ = 0.0, power0_ = 0.0;
    double previousOutput_ = 0.0;
};

}  // namespace tgsim
