#include "pss2a_filter.h"

#include "core/numerics/matrix_exponential.h"

namespace tgsim {

SampledCompanionFilter::SampledCompanionFilter(const std::array<double, kPss2aFilterOrder>& numerator,
                                               const std::array<double, kPss2aFilterOrder + 1>& denominator,
                                               double gain, double Ts) {
    constexpr std::size_t n = kPss2aFilterOrder;
    // Time scaled by Ts (s = sigma/Ts): the time constants become multiples of the sample
    // interval, which keeps the companion matrix and its exponential well conditioned.
    std::array<double, n + 1> den{};
    std::array<double, n> num{};
    double power = 1.0;
    for (std::size_t i = 0; i <= n; ++i) {
        den[i] = denominator[i] * power;
        if (i < n) num[i] = gain * numerator[i] * power;
        power /= Ts;
    }
    // Companion form of the monic denominator, input into the last state, y = C*x, augmented
    // with the input as a constant state: e^[[A, B], [0, 0]] holds e^A and the hold's integral.
    SquareMatrix augmented{};
    for (std::size_t i = 0; i + 1 < n; ++i) augmented[i][i + 1] = 1.0;
    for (std::size_t j = 0; j < n; ++j) augmented[n - 1][j] = -den[j] / den[n];
    augmented[n - 1][n] = 1.0;
    const SquareMatrix e = matrixExponential(augmented, n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) phi_[i][j] = e[i][j];
        gamma_[i] = e[i][n];
        c_[i] = num[i] / den[n];
    }
}

double SampledCompanionFilter::advance(Vector& x, double u) const {
    Vector next{};
    for (std::size_t i = 0; i < kPss2aFilterOrder; ++i) {
        double sum = gamma_[i] * u;
        for (std::size_t j = 0; j < kPss2aFilterOrder; ++j) sum += phi_[i][j] * x[j];
        next[i] = sum;
    }
    x = next;
    return output(x);
}

double SampledCompanionFilter::output(const Vector& x) const {
    double y = 0.0;
    for (std::size_t i = 0; i < kPss2aFilterOrder; ++i) y += c_[i] * x[i];
    return y;
}

SampledCompanionFilter::Vector SampledCompanionFilter::nextOutputGains() const {
    Vector gains{};
    for (std::size_t j = 0; j < kPss2aFilterOrder; ++j)
        for (std::size_t i = 0; i < kPss2aFilterOrder; ++i) gains[j] += c_[i] * phi_[i][j];
    return gains;
}

namespace {

std::array<double, kPss2aFilterOrder> shiftedBySquare(const double* coefficients, std::size_t count) {
    std::array<double, kPss2aFilterOrder> out{};
    for (std::size_t k = 0; k < count; ++k) out[k + 2] = coefficients[k];
    return out;
}

}  // namespace

SampledCompanionFilter speedPathFilter(const TParametry& r, double Ts) {
    const auto numerator = shiftedBySquare(r.pssNum1.data(), r.pssNum1.size());
    return SampledCompanionFilter(numerator, r.pssDen1, r.kw * r.ks1, Ts);
}

SampledCompanionFilter powerPathFilter(const TParametry& r, double Ts) {
    // N3 - ks3*N2: the ramp-tracking filter's bypass minus its weighted output.
    std::array<double, kPss2aFilterOrder - 2> difference{};
    for (std::size_t k = 0; k < difference.size(); ++k)
        difference[k] = r.pssNum3[k] - (k < r.pssNum2.size() ? r.ks3 * r.pssNum2[k] : 0.0);
    const auto numerator = shiftedBySquare(difference.data(), difference.size());
    return SampledCompanionFilter(numerator, r.pssDen2, r.kw * r.ks1 * r.ks2, Ts);
}

Pss2aStabilizer::Pss2aStabilizer(const TParametry& record, double Ts)
    : speedPath_(speedPathFilter(record, Ts)), powerPath_(powerPathFilter(record, Ts)), Ts_(Ts) {}

double Pss2aStabilizer::sample(Pss2aMemory& m, double speed, double power) const {
    const double output =
        speedPath_.advance(m.speedPath, speed - m.speed0) + powerPath_.advance(m.powerPath, power - m.power0);
    const double signal = (output - m.previousOutput) / Ts_;
    m.previousOutput = output;
    return signal;
}

}  // namespace tgsim
