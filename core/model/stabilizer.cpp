#include "stabilizer.h"

#include <cmath>

namespace tgsim {

int ringIndex(int n, int j, int i) { return j - i >= 0 ? j - i : j - i + n; }

namespace {

int factorial(int k) {
    int product = 1;
    for (int f = 2; f <= k; ++f) product *= f;
    return product;
}

double binomial(int k, int i) { return factorial(k) / (factorial(i) * factorial(k - i)); }

// Speed in units of the rated speed; active power delivered, in units of the rated active power.
double speedSample(const State& row, const TParametry& r) { return row[kOmega] / r.omegan; }
double powerSample(const State& row, const TParametry& r) {
    return -(row[kId] * row[kUd] + row[kIq] * row[kUq]) / r.Sn / r.cosfin;
}

}  // namespace

double backwardDifference(const double* y, int n, int index, double Tp, int k) {
    double sum = 0.0;
    for (int i = 0; i <= k; ++i) sum += std::pow(-1.0, i) * binomial(k, i) * y[ringIndex(n, index, i)];
    return std::pow(Tp, -k) * sum;
}

std::int64_t stepsPerSample(double h, double Tp, std::int64_t limit) {
    double clock = 0.0;
    for (std::int64_t m = 1; m <= limit; ++m) {
        clock += h;
        if (!(clock < Tp)) return m;
    }
    return limit + 1;
}

SingleInputStabilizer::SingleInputStabilizer(const TParametry& record, double Tp) : record_(record), Tp_(Tp) {}

void SingleInputStabilizer::seed(SingleInputMemory& m, double speed, double power) {
    m.speedHistory.fill(speed);
    m.powerHistory.fill(power);
}

double SingleInputStabilizer::sample(SingleInputMemory& m, double speed, double power) const {
    const int j = static_cast<int>(m.sampleCount % kOrder);
    ++m.sampleCount;
    m.speedHistory[j] = speed;
    m.powerHistory[j] = power;
    // The differences end at the previous sample: the one just stored does not enter them.
    const int jp = ringIndex(kOrder, j, 1);
    const TParametry& r = record_;
    // This stabilizer has a single input, the power, and the whole of its transfer function
    // lies in the second filter; the first filter (the PSS2A's speed path) is kept in the same
    // form but fed zero, so it stays at rest.
    const double u1 = 0.0;
    const double u2 =
        -r.pssNum1[0] * backwardDifference(m.powerHistory.data(), kOrder, jp, Tp_, 2) * (Tp_ / r.pssDen1[4]) * r.kw;
    eulerStep(m.filter1, r.pssA1, Tp_, u1);
    eulerStep(m.filter2, r.pssA2, Tp_, u2);
    return m.filter1[1] + m.filter2[1];
}

void SingleInputStabilizer::eulerStep(Vector& x, const PssMatrix& a, double Tp, double u) {
    Vector next{};
    for (int i = 0; i < kOrder; ++i) {
        double product = 0.0;
        for (int j = 0; j < kOrder; ++j) product += a.a[i][j] * x[j];
        next[i] = x[i] + Tp * product + (i == kOrder - 1 ? u : 0.0);
    }
    x = next;
}

Stabilizer::Stabilizer(const TParametry& record, double h, std::int32_t stepCount) : record_(record) {
    const bool knownOrder = record.pssOrder == kPss2aOrder || record.pssOrder == kSingleInputOrder;
    on_ = record.pssOn && knownOrder;
    if (!on_) return;
    const double Tp = 0.5 / record.fn;
    samplePeriod_ = stepsPerSample(h, Tp, stepCount);
    if (samplePeriod_ > stepCount) return;  // the run ends before the first sample
    if (record.pssOrder == kPss2aOrder)
        pss2a_.emplace(record, static_cast<double>(samplePeriod_) * h);
    else
        singleInput_.emplace(record, Tp);
}

void Stabilizer::seed(const State& row) {
    const double speed = speedSample(row, record_), power = powerSample(row, record_);
    if (pss2a_) Pss2aStabilizer::seed(memory_.pss2a, speed, power);
    if (singleInput_) SingleInputStabilizer::seed(memory_.singleInput, speed, power);
}

double Stabilizer::stabilizerStep(const State& row, std::int32_t i) {
    if (!on_ || !acting()) return 0.0;
    if (i == 1) seed(row);
    if (++memory_.stepsSinceSample < samplePeriod_) return memory_.signal;
    memory_.stepsSinceSample = 0;
    return sample(speedSample(row, record_), powerSample(row, record_));
}

double Stabilizer::sample(double speed, double power) {
    if (!acting()) return 0.0;
    ++memory_.samples;
    memory_.signal =
        pss2a_ ? pss2a_->sample(memory_.pss2a, speed, power) : singleInput_->sample(memory_.singleInput, speed, power);
    return memory_.signal;
}

void Stabilizer::restAt(const State& row) {
    memory_ = StabilizerMemory{};
    if (acting()) seed(row);
}

}  // namespace tgsim
