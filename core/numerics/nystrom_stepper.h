#pragma once
// Nystrom's six-stage fifth-order explicit Runge-Kutta step over a fixed-size state. A system is
// any callable system(x, dxdt, t) with x a const state and dxdt the state it fills. The stage
// vectors are built in a fixed order of additions so that results agree to the last bit
// between builds; all working vectors live in the stepper, so a step allocates nothing.
#include <array>
#include <cstddef>

namespace tgsim {

inline constexpr std::size_t kCacheLine = 64;  // bytes

template <std::size_t N>
class NystromStepper {
public:
    using State = std::array<double, N>;
    static constexpr int kOrder = 5;

    // One step of length h from y into out (which may be y itself). The stages are evaluated at
    // tStage + c*h for c = 0, 1/3, 2/5, 1, 2/3, 4/5: the caller chooses the time they count from.
    template <class System>
    void doStep(System&& system, const State& y, double tStage, double h, State& out) {
        // Stage times: the same doubles on every step of the same h, whose fractions are
        // divided out once (four divisions are a noticeable share of a step).
        if (!(h == h_)) {
            h_ = h;
            third_ = h / 3.0, twoFifths_ = 2.0 * h / 5.0, twoThirds_ = 2.0 * h / 3.0, fourFifths_ = 4.0 * h / 5.0;
        }
        const double t2 = tStage + third_, t3 = tStage + twoFifths_, t4 = tStage + h;
        const double t5 = tStage + twoThirds_, t6 = tStage + fourFifths_;

        evaluate(system, y, tStage, h, g1_, k1_);
        for (std::size_t i = 0; i < N; ++i) stage_[i] = y[i] + (1.0 / 3.0) * k1_[i];
        evaluate(system, stage_, t2, h, g_, k2_);
        for (std::size_t i = 0; i < N; ++i) stage_[i] = y[i] + 0.24 * k2_[i] + 0.16 * k1_[i];
        evaluate(system, stage_, t3, h, g_, k3_);
        for (std::size_t i = 0; i < N; ++i) stage_[i] = y[i] + 3.75 * k3_[i] + -3.0 * k2_[i] + 0.25 * k1_[i];
        evaluate(system, stage_, t4, h, g_, k4_);
        for (std::size_t i = 0; i < N; ++i)
            stage_[i] =
                y[i] + (8.0 / 81.0) * k4_[i] + (-50.0 / 81.0) * k3_[i] + (10.0 / 9.0) * k2_[i] + (2.0 / 27.0) * k1_[i];
        evaluate(system, stage_, t5, h, g_, k5_);
        for (std::size_t i = 0; i < N; ++i)
            stage_[i] = y[i] + (8.0 / 75.0) * k4_[i] + (2.0 / 15.0) * k3_[i] + 0.48 * k2_[i] + 0.08 * k1_[i];
        evaluate(system, stage_, t6, h, g_, k6_);
        for (std::size_t i = 0; i < N; ++i)
            out[i] = y[i] + (23.0 / 192.0) * k1_[i] + (125.0 / 192.0) * k3_[i] + -0.421875 * k5_[i] +
                     (125.0 / 192.0) * k6_[i];
    }

    // The derivative of the first stage of the last step (the system at tStage on the old state).
    const State& firstStageDerivative() const { return g1_; }

private:
    template <class System>
    static void evaluate(System& system, const State& x, double t, double h, State& g, State& k) {
        system(x, g, t);
        for (std::size_t i = 0; i < N; ++i) k[i] = h * g[i];
    }

    double h_ = 0.0, third_ = 0.0, twoFifths_ = 0.0, twoThirds_ = 0.0, fourFifths_ = 0.0;
    // Each working vector starts a cache line of its own, so that a step's speed does not depend
    // on where the stepper happens to lie in memory.
    alignas(kCacheLine) State g1_{};
    alignas(kCacheLine) State g_{};
    alignas(kCacheLine) State stage_{};
    alignas(kCacheLine) State k1_{};
    alignas(kCacheLine) State k2_{};
    alignas(kCacheLine) State k3_{};
    alignas(kCacheLine) State k4_{};
    alignas(kCacheLine) State k5_{};
    alignas(kCacheLine) State k6_{};
};

}  // namespace tgsim
