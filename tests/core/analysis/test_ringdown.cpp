// The ringdown fit on signals of known content, what it refuses, and the default window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "base/failure.h"
#include "core/analysis/ringdown.h"

namespace tgsim {
namespace {

struct Signal {
    std::vector<double> t, y;
};

// n samples `step` apart from t = 0 (the time accumulated as a run accumulates it).
template <class F>
Signal sampled(std::size_t n, F f, double step = 1e-3) {
    Signal s;
    double t = 0.0;
    for (std::size_t i = 0; i < n; ++i, t = t + step) {
        s.t.push_back(t);
        s.y.push_back(f(t));
    }
    return s;
}

std::string failureOf(const Signal& s, double from, double to) {
    try {
        ringdown(s.t, s.y, from, to);
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "";
}

// A swing of 1,3 Hz at 8 % damping on an offset, with a slow exponential and a small 50 Hz
// ripple: read from a 10 s window of 10 000 samples, and of 250 000 (averaged in blocks). The
// signal is a sum of exponentials, so the fit is exact up to rounding (6e-12 measured).
TEST(Ringdown, FindsTheDominantOscillation) {
    const double f = 1.3, zeta = 0.08, omega = 2 * std::numbers::pi * f;
    const double sigma = zeta * omega / std::sqrt(1 - zeta * zeta);
    auto signal = [&](double t) {
        return 1.0 + 0.02 * std::exp(-sigma * t) * std::cos(omega * t + 0.4) + 0.01 * std::exp(-t / 2.5) +
               1e-4 * std::sin(100 * std::numbers::pi * t);
    };
    for (std::size_t n : {12'000u, 300'000u}) {
        const Signal s = sampled(n, signal, 12.0 / static_cast<double>(n));
        const double from = 1.0, to = 1.0 + 10.0;
        const RingdownResult r = ringdown(s.t, s.y, from, to);
        ASSERT_TRUE(r.oscillation) << n;
        EXPECT_NEAR(r.frequencyHz, f, 1e-10 * f) << n;
        EXPECT_NEAR(r.dampingRatio, zeta, 1e-10 * zeta) << n;
        EXPECT_NEAR(r.amplitude, 0.02 * std::exp(-sigma * r.from), 1e-10 * 0.02 * std::exp(-sigma * r.from)) << n;
        EXPECT_GT(r.fitQuality, 1.0 - 1e-12) << n;
        EXPECT_GE(r.from, from);
        EXPECT_LE(r.to, to);
        EXPECT_GT(r.to, to - 0.02);
    }
}

TEST(Ringdown, SaysSoWhenThereIsNoOscillation) {
    const Signal decay = sampled(8000, [](double t) { return 2.0 - std::exp(-t / 0.7) - 0.3 * std::exp(-t / 0.1); });
    const Signal constant = sampled(8000, [](double) { return 314.159; });
    // A slow wave that does not complete one cycle in the window is a drift.
    const Signal drift = sampled(8000, [](double t) { return std::sin(2 * std::numbers::pi * 0.1 * t); });
    for (const Signal* s : {&decay, &constant, &drift}) {
        const RingdownResult r = ringdown(s->t, s->y, 0.0, 8.0);
        EXPECT_FALSE(r.oscillation);
        EXPECT_EQ(r.frequencyHz, 0.0);
        EXPECT_EQ(r.amplitude, 0.0);
    }
    EXPECT_GT(ringdown(decay.t, decay.y, 0.0, 8.0).fitQuality, 1.0 - 1e-12);
}

TEST(Ringdown, RefusesWhatItCannotFit) {
    Signal s = sampled(1000, [](double t) { return std::sin(10 * t); });
    EXPECT_EQ(failureOf(s, 0.4995, 0.5095),
              "The window from 0,4995 s to 0,5095 s holds 10 samples; a ringdown needs at least 20");
    EXPECT_EQ(failureOf(s, 0.6, 0.5), "The window from 0,6 s to 0,5 s is empty");
    // Enough samples, but a single block of 20 ms to fit.
    EXPECT_EQ(failureOf(s, 0.1, 0.1285),
              "The window from 0,1 s to 0,128 s is too short: a ringdown needs at least 20 blocks of 20 ms, 0,4 s");
    Signal shorter = s;
    shorter.y.pop_back();
    EXPECT_EQ(failureOf(shorter, 0.0, 1.0), "The signal has 999 values for 1000 times");
    Signal uneven = s;
    uneven.t[500] += 4e-4;
    EXPECT_EQ(failureOf(uneven, 0.0, 1.0).rfind("The samples are not evenly spaced in time", 0), 0u);
    Signal stuck = s;
    std::fill(stuck.t.begin(), stuck.t.end(), 0.5);
    EXPECT_EQ(failureOf(stuck, 0.0, 1.0), "The times of the window do not advance");
    Signal broken = s;
    broken.y[700] = NAN;
    EXPECT_EQ(failureOf(broken, 0.0, 1.0), "The signal is not a finite number at t = 0,7 s");
}

TEST(Ringdown, DefaultWindowStartsAtTheLastEventWithinTheRun) {
    TParametry r;
    r.to = 0.0, r.tz1 = 10.0, r.tz2 = 10.1;
    auto from = [&](EventTiming timing, double end) {
        r.eventTiming = timing;
        const RingdownWindow w = defaultRingdownWindow(r, r.to, end);
        EXPECT_EQ(w.to, end);
        return w.from;
    };
    EXPECT_EQ(from(EventTiming::Tz1ToTz2, 20.0), 10.1);
    EXPECT_EQ(from(EventTiming::Tz1ToTz2, 10.05), 10.0);  // the pulse's end lies beyond the run
    EXPECT_EQ(from(EventTiming::AtTz1, 20.0), 10.0);
    EXPECT_EQ(from(EventTiming::None, 20.0), 0.0);
    EXPECT_EQ(from(EventTiming::AtTz1, 5.0), 0.0);
    EXPECT_NEAR(from(EventTiming::EndOfRamp, 15.0), 0.9 * 10.0 / 0.85, 1e-12);
}

}  // namespace
}  // namespace tgsim
