// The integrator: order of the scheme, the time grid, the stored rows, the firing-angle limit,
// progress reports, refusals and floating-point faults.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/numerics/nystrom_stepper.h"
#include "core/numerics/run_stepper.h"
#include "core/model/state_equations.h"
#include "core_runs.h"

namespace tgsim {
namespace {

using testing::loadRun;
using testing::RunInputs;

// y'' = -y + cos(2t) as a first-order system; exact solution from y(0) = 1, y'(0) = 0.
TEST(NystromStepper, ConvergesWithOrderFive) {
    auto system = [](const std::array<double, 2>& x, std::array<double, 2>& dxdt, double t) {
        dxdt[0] = x[1];
        dxdt[1] = -x[0] + std::cos(2.0 * t);
    };
    auto exact = [](double t) { return (4.0 * std::cos(t) - std::cos(2.0 * t)) / 3.0; };
    auto errorWith = [&](int steps) {
        NystromStepper<2> stepper;
        std::array<double, 2> y{1.0, 0.0};
        const double h = 2.0 / steps;
        for (int i = 0; i < steps; ++i) stepper.doStep(system, y, i * h, h, y);
        return std::fabs(y[0] - exact(2.0));
    };
    const double e1 = errorWith(10), e2 = errorWith(20), e3 = errorWith(40);
    EXPECT_NEAR(std::log2(e1 / e2), 5.0, 0.15);  // 5,04 and 5,03 measured
    EXPECT_NEAR(std::log2(e2 / e3), 5.0, 0.15);
}

TEST(Integrator, TimeGridAndStoredRows) {
    RunInputs in = loadRun();
    in.record.to = 0.0;
    in.record.tk = 5.0;
    in.record.stepCount = 5000;
    in.initialState[kT] = 99.0;
    ResultMatrix results;
    ASSERT_EQ(testing::run(in, results), "");
    ASSERT_EQ(results.storedRows(), 5001u);

    State row0 = in.initialState;
    row0[kT] = 0.0;
    EXPECT_EQ(std::memcmp(results.row(0).data(), row0.data(), sizeof row0), 0);
    const double h = 5.0 / 5001.0;
    EXPECT_EQ(results.row(1)[kT], h);
    EXPECT_NEAR(results.row(5000)[kT], 5000 * 5.0 / 5001, 5e-12);  // summed 5000 times: 6,5e-13 off
    double t = 0.0;
    for (std::size_t i = 1; i <= 5000; ++i) {
        t = t + h;
        ASSERT_EQ(results.row(i)[kT], t);
        ASSERT_EQ(results.row(i)[kdUd], 0.0);
        ASSERT_EQ(results.row(i)[kdUq], 0.0);
    }
    // Regulator output held in the first two steps.
    EXPECT_EQ(results.row(1)[kRegulatorOutput], 0.0);
    EXPECT_EQ(results.row(2)[kRegulatorOutput], 0.0);
    // The recomputed values of row i are those of the state equations at t_i on row i - 1.
    for (std::size_t i : {1u, 2u, 777u}) {
        State previous, f;
        std::memcpy(previous.data(), results.row(i - 1).data(), sizeof previous);
        stateEquations(previous, in.record, results.row(i)[kT], f);
        for (int k = kUd; k < kStateSize; ++k) EXPECT_EQ(results.row(i)[k], f[k] + 0.0) << i << " " << k;
    }
}

TEST(Integrator, StartupRunExcitesTheMachine) {
    RunInputs in = loadRun();
    ResultMatrix results;
    ASSERT_EQ(testing::run(in, results), "");
    ASSERT_EQ(results.storedRows(), 7001u);
    EXPECT_EQ(results.row(0)[kUg], 0.0);
    const double Ug = results.row(7000)[kUg];
    EXPECT_NEAR(Ug, in.record.Ugz, 0.1 * in.record.Ugz);
    EXPECT_TRUE(testing::allStoredRowsFinite(results));
}

TEST(Integrator, FiringAngleStaysWithinItsLimits) {
    for (double alfa : {3.0, -1.0}) {
        RunInputs in = loadRun();
        in.record.stepCount = 300;
        in.record.tk = in.record.to + 0.3;
        in.initialState[kAlfa] = alfa;
        in.initialState[kBeta] = in.record.betaMax - 1e-3;
        in.initialState[kRegulatorOutput] = alfa;
        ResultMatrix results;
        ASSERT_EQ(testing::run(in, results), "");
        bool reachedLimit = false;
        for (std::size_t i = 1; i < results.storedRows(); ++i) {
            const double beta = results.row(i)[kBeta];
            ASSERT_TRUE(beta >= 0.0 && beta <= in.record.betaMax) << i;
            reachedLimit |= beta == (alfa > 0 ? in.record.betaMax : 0.0);
        }
        EXPECT_TRUE(reachedLimit) << alfa;
    }
}

struct RecordingProgress : Progress {
    int maximum = -1;
    std::vector<int> positions;
    void setMaximum(int m) override { maximum = m; }
    void setPosition(int p) override {
        positions.push_back(p);
        volatile double zero = 0.0;
        volatile double ignored = 1.0 / zero;  // the indicator's own arithmetic must not end the run
        (void)ignored;
    }
};

TEST(Integrator, ReportsProgressAfterEveryStep) {
    RunInputs in = loadRun();
    RecordingProgress progress;
    ResultMatrix results;
    ASSERT_EQ(testing::run(in, results, &progress), "");
    EXPECT_EQ(progress.maximum, 7001);
    ASSERT_EQ(progress.positions.size(), 7000u);
    for (int i = 0; i < 7000; ++i) ASSERT_EQ(progress.positions[i], i + 1);
}

TEST(Integrator, RefusesUnsoundRunsBeforeTouchingTheResults) {
    struct Case {
        void (*change)(RunInputs&);
        const char* message;
    };
    const Case cases[] = {
        {[](RunInputs& in) { in.record.PrSam = Connection::Unrecognised, in.record.PrSamText = "tak"; },
         "PrSam must be \"TAK\" or \"NIE\", not \"tak\""},
        {[](RunInputs& in) { in.record.tk = in.record.to - 1.0; },
         "The end time tk = -3 s lies before the start time to = -2 s"},
        {[](RunInputs& in) { in.record.stepCount = kMaxStepCount + 1; },
         "A run of 20000001 steps is too long: the results of at most 20000000 steps fit in memory"},
        {[](RunInputs& in) { in.initialState[kIw] = NAN; }, "Initial value 2 is not a finite number"},
        {[](RunInputs& in) { in.record.pssOn = true, in.record.pssOrder = 5; },
         "The stabilizer order 5 is neither 4 nor 9"},
    };
    for (const Case& c : cases) {
        RunInputs in = loadRun();
        c.change(in);
        ResultMatrix results;
        results.reset(3);
        results.setStoredRows(2);
        const double* before = results.rowData(0);
        EXPECT_EQ(testing::run(in, results), c.message);
        EXPECT_EQ(results.rowData(0), before);
        EXPECT_EQ(results.storedRows(), 2u);
    }
}

TEST(Integrator, ZeroStepsGiveTheStartRowOnly) {
    RunInputs in = loadRun();
    in.record.stepCount = 0;
    in.record.tk = in.record.to;
    ResultMatrix results;
    ASSERT_EQ(testing::run(in, results), "");
    EXPECT_EQ(results.storedRows(), 1u);
}

TEST(Integrator, FaultEndsTheRunKeepingEarlierRows) {
    {
        RunInputs in = loadRun();
        in.record.TI = 0.0;
        ResultMatrix results;
        EXPECT_EQ(testing::run(in, results), kDivisionByZero);
        EXPECT_EQ(results.storedRows(), 1u);
    }
    {
        RunInputs in = loadRun();
        in.record.Ugz = 0.0;
        ResultMatrix results;
        EXPECT_NE(testing::run(in, results), "");
        EXPECT_EQ(results.storedRows(), 1u);
    }
    {
        // The regulator disturbance with Zaburz = -1 takes the set point to 0 after tz1.
        RunInputs in = loadRun(1, "Klasyc", &testing::presetNamed("ZabwAutom"));
        in.record.Zaburz = -1.0;
        ResultMatrix results;
        EXPECT_EQ(testing::run(in, results), kDivisionByZero);
        const std::size_t stored = results.storedRows();
        ASSERT_GT(stored, 1u);
        EXPECT_LE(results.row(stored - 1)[kT], in.record.tz1 + 1e-12);
        EXPECT_GT(results.row(stored - 1)[kT], in.record.tz1 - 3e-3);
        EXPECT_TRUE(testing::allStoredRowsFinite(results));
    }
}

// The stabilizer switched off, or with no gain, leaves the run as it is without one, to the bit.
TEST(Integrator, StabilizerOffGivesTheRunWithoutStabilizer) {
    const ScenarioPreset& test = testing::presetNamed("Test SS");
    RunInputs without = loadRun(1, "Klasyc", &test);
    without.record.pssOn = false;
    without.record.pssOrder = 0;
    without.record.tk = 3.0;
    without.record.stepCount = 3000;
    ResultMatrix reference;
    ASSERT_EQ(testing::run(without, reference), "");

    RunInputs off = loadRun(1, "Klasyc", &test, 1);
    off.record.pssOn = false;
    RunInputs noGain = loadRun(1, "Klasyc", &test, 1);
    noGain.record.kw = 0.0;
    for (RunInputs* in : {&off, &noGain}) {
        in->record.tk = 3.0;
        in->record.stepCount = 3000;
        ResultMatrix results;
        ASSERT_EQ(testing::run(*in, results), "");
        ASSERT_EQ(results.storedRows(), reference.storedRows());
        EXPECT_EQ(std::memcmp(results.rowData(0), reference.rowData(0), reference.storedRows() * sizeof(State)), 0);
    }
}

// A run taken up from its state by another stepper (between samples, the stabilizer's rings
// and filters mid-way) goes on exactly as the integrator's run, with either stabilizer.
TEST(RunStepper, ResumedFromItsStateContinuesTheRunToTheBit) {
    const ScenarioPreset& test = testing::presetNamed("Test SS");
    for (int pss2aSet : {0, 1}) {
        RunInputs in = loadRun(1, "Klasyc", &test, pss2aSet);
        in.record.tk = 10.5;
        in.record.stepCount = 10500;
        ResultMatrix whole;
        ASSERT_EQ(testing::run(in, whole), "");
        const double h = (in.record.tk - in.record.to) / (in.record.stepCount + 1.0);
        RunStepper first(in.record, h, in.record.stepCount), second(in.record, h, in.record.stepCount);
        first.start(in.initialState, in.record.to);
        for (int i = 0; i < 10005; ++i) first.step();  // into the torque pulse, 5 steps past a sample
        ASSERT_GT(first.state().stabilizer.stepsSinceSample, 0);
        second.setState(first.state());
        for (std::size_t i = 10006; i <= 10500; ++i)
            ASSERT_EQ(std::memcmp(second.step().data(), whole.row(i).data(), sizeof(State)), 0) << pss2aSet << " " << i;
    }
}

}  // namespace
}  // namespace tgsim
