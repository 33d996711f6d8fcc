// The frequency responses against time simulations of the model: a small sinusoid injected
// where the model adds the stabilizer's signal (held between samples) or into the set point,
// and the stabilizer alone fed with a swinging speed and its power.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "core/analysis/frequency_response.h"
#include "core/analysis/plant_response.h"
#include "core/analysis/stabilizer_response.h"
#include "operating_points.h"

namespace tgsim {
namespace {

using testing::RunInputs;

constexpr double kSettleSeconds = 30.0;
constexpr int kMeasuredPeriods = 4;

// The fundamental of a run's chart P, from whole periods of the input: the steady-state output
// repeats exactly every `periodSteps` rows.
struct Fundamentals {
    Complex input, output;
};

// Coefficient of e^(j w t) in a signal held at `value` over (from, from + length].
Complex heldPiece(double value, double from, double length, double omega) {
    return value * (std::exp(Complex(0.0, -omega * from)) - std::exp(Complex(0.0, -omega * (from + length)))) /
           Complex(0.0, omega);
}

// The held-shaft machine of `in` (stabilizer off, shaft of kHeldInertia) driven for the settling
// time and then `kMeasuredPeriods` periods of `periodSamples` sample intervals by a sinusoid of
// `amplitude` into the signal (sampled and held) or into the set point (held per step at its
// middle, in units of Un).
Fundamentals simulate(const RunInputs& in, bool setPoint, int periodSamples, double amplitude) {
    TParametry r = restingRecord(in.record);
    r.pssOn = "NIE";
    r.J = kHeldInertia;
    const double h = runStep(r);
    const int Ns = static_cast<int>(stepsPerSample(h, 0.5 / r.fn, r.stepCount));
    const double omega = 2.0 * std::numbers::pi / (periodSamples * Ns * h);
    RunStepper run(r, h, r.stepCount);
    run.restAt(in.initialState, 0.0);
    const auto power = [&](const State& x) { return -(x[kId] * x[kUd] + x[kIq] * x[kUq]) / r.Sn / r.cosfin; };
    const double P0 = power(run.row());
    const long settle = static_cast<long>(std::ceil(kSettleSeconds / (periodSamples * Ns * h))) * periodSamples * Ns;
    const long total = settle + static_cast<long>(kMeasuredPeriods) * periodSamples * Ns;
    Fundamentals f;
    for (long i = 0; i < total; ++i) {
        const double t = run.row()[kT];
        if (setPoint) {
            const double u = amplitude * std::sin(omega * (t + h / 2.0));
            run.setSetPoint(r.Ugz + u * r.Un);
            if (i >= settle) f.input += heldPiece(u, t, h, omega);
        } else if (i % Ns == 0) {
            const double u = amplitude * std::sin(omega * t);
            run.injectSignal(u);
            if (i >= settle) f.input += heldPiece(u, t, Ns * h, omega);
        }
        const State& x = run.advanceRow();
        if (i >= settle) f.output += (power(x) - P0) * std::exp(Complex(0.0, -omega * x[kT]));
    }
    const double length = static_cast<double>(total - settle) * h;
    f.input *= 2.0 / length;
    f.output *= 2.0 / static_cast<double>(total - settle);
    return f;
}

void expectClose(Complex computed, Complex simulated, const std::string& what) {
    const double gainError = std::abs(computed) / std::abs(simulated) - 1.0;
    const double phaseError = std::arg(computed / simulated) * 180.0 / std::numbers::pi;
    EXPECT_LT(std::fabs(gainError), 0.02) << what << ": " << computed << " vs " << simulated;
    EXPECT_LT(std::fabs(phaseError), 1.0) << what << ": " << computed << " vs " << simulated;
}

// Periods of the test frequencies in sample intervals: about 0,36, 1, 2 and 4 Hz.
constexpr int kPeriods[] = {250, 91, 45, 23};

TEST(FrequencyResponse, GepAndVrefAgreeWithTheHeldShaftRun) {
    for (int set : {1, 4}) {
        const RunInputs off = testing::networkPoint(set, 0.5, 0.3);
        const HeldShaftPlant plant(off.record, off.initialState);
        for (int samples : kPeriods) {
            const double f = 1.0 / (samples * plant.samplePeriod());
            const std::string what = "set " + std::to_string(set) + " at " + std::to_string(f) + " Hz";
            const Fundamentals signal = simulate(off, false, samples, 1e-3);
            expectClose(plant.signalToPower(f), signal.output / signal.input, "gep, " + what);
            const Fundamentals setPoint = simulate(off, true, samples, 1e-4);
            expectClose(plant.setPointToPower(f), setPoint.output / setPoint.input, "vref, " + what);
        }
        // The stabilizer's loop is open: switching it on changes neither.
        const RunInputs on = testing::networkPoint(set, 0.5, 0.3, 1);
        const FrequencyResponse a = frequencyResponse(off.record, off.initialState, {1.0});
        const FrequencyResponse b = frequencyResponse(on.record, on.initialState, {1.0});
        EXPECT_EQ(a.points[0].gep, b.points[0].gep);
        EXPECT_EQ(a.points[0].vref, b.points[0].vref);
        EXPECT_FALSE(a.stabilizer);
        EXPECT_TRUE(b.stabilizer);
    }
}

// The stabilizer alone, stepped as the integrator steps it: the speed swings sinusoidally and
// the power swings with it as swingPowerPerSpeed says.
TEST(FrequencyResponse, PssAgreesWithTheSampledStabilizer) {
    for (int set : {1, 4}) {
        for (int stabilizerSet : {1, testing::kSingleInputOn}) {
            const RunInputs in = testing::networkPoint(set, 0.5, 0.3, stabilizerSet);
            const TParametry& r = in.record;
            const StabilizerResponse response(r, in.initialState);
            ASSERT_TRUE(response.acting());
            const double h = runStep(r);
            Stabilizer stabilizer(r, h, r.stepCount);
            const int Ns = static_cast<int>(stabilizer.samplePeriod());
            const double P0 =
                -(in.initialState[kId] * in.initialState[kUd] + in.initialState[kIq] * in.initialState[kUq]) / r.Sn /
                r.cosfin;
            for (int samples : kPeriods) {
                const double omega = 2.0 * std::numbers::pi / (samples * Ns * h), a = 1e-4;
                const Complex kappa = swingPowerPerSpeed(r, omega);
                const long settle = static_cast<long>(std::ceil(120.0 / (samples * Ns * h))) * samples * Ns;
                const long total = settle + static_cast<long>(kMeasuredPeriods) * samples * Ns;
                State row{};
                row[kUd] = 1.0;
                Complex signal = 0.0;
                for (long i = 1; i <= total; ++i) {
                    const double t = static_cast<double>(i) * h;
                    const Complex swing = a * Complex(0.0, -1.0) * std::exp(Complex(0.0, omega * t));  // a sin(wt)
                    row[kOmega] = r.omegan * (1.0 + swing.real());
                    row[kId] = -(P0 + (kappa * swing).real()) * r.Sn * r.cosfin;
                    const double held = stabilizer.stabilizerStep(row, static_cast<std::int32_t>(i));
                    if (i >= settle && i < total) signal += heldPiece(held, t, h, omega);
                }
                signal *= 2.0 / (static_cast<double>(total - settle) * h);
                const Complex speed = a * Complex(0.0, -1.0);
                const double f = omega / (2.0 * std::numbers::pi);
                expectClose(response.speedToSignal(f), signal / speed,
                            "pss of set " + std::to_string(set) + ", stabilizer " + std::to_string(stabilizerSet) +
                                " at " + std::to_string(f) + " Hz");
            }
        }
    }
}

}  // namespace
}  // namespace tgsim
