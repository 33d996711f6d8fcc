#pragma once
// The whole discrete state of a run as one flat vector of doubles, for the analyses of an
// operating point: the plant's elements 1..20 (the stored values 11..20 included), then the
// acting stabilizer's memory. Ring buffers are laid out newest first, so that an element means
// the same at every sample. The time, the step count, the sample clock and the stabilizer's
// seeded inputs are no elements: they stay as the run state holds them.
#include <string>
#include <vector>

#include "core/numerics/run_stepper.h"

namespace tgsim {

class DiscreteStateLayout {
public:
    // The layout of the stepper's run (which stabilizer acts, and its coefficients).
    explicit DiscreteStateLayout(const RunStepper& run);

    int size() const { return static_cast<int>(elements_.size()); }
    // The element of plant state index k (1..20).
    static constexpr int plantElement(int k) { return k - 1; }
    // The quantity's chart caption ("Id", "w", "delta", ...), the name of a stored value
    // ("Ud", "dUg", "errorIntegral", ...) or of a stabilizer element: "speed path 1".."9",
    // "power path 1".."9", "previous output", "stabilizer signal" of the PSS2A; "power sample 1".."4"
    // (1 the newest), "speed sample 1".."4", "first filter 1".."4", "second filter 1".."4",
    // "stabilizer signal" of the single-input stabilizer.
    const std::string& name(int k) const { return elements_[static_cast<std::size_t>(k)].name; }
    // A natural magnitude of element k that does not depend on its value: rated currents,
    // voltages and speed, a radian for angles, and for the stabilizer the value that moves its
    // output by a radian (or alfa by a radian within one sample interval).
    double scale(int k) const { return elements_[static_cast<std::size_t>(k)].scale; }

    void read(const RunState& state, double* values) const;
    // Sets the elements of `state` from `values`; the rest of `state` stays as it was.
    void write(const double* values, RunState& state) const;

private:
    enum class Part {
        Plant,
        SpeedPath,
        PowerPath,
        PreviousOutput,
        Signal,
        PowerSamples,
        SpeedSamples,
        Filter1,
        Filter2
    };
    struct Element {
        std::string name;
        double scale;
        Part part;
        int index;  // within its part (age for the sample rings)
    };
    template <class S>  // RunState or const RunState
    static auto* location(S& state, const Element& e);

    std::vector<Element> elements_;
};

}  // namespace tgsim
