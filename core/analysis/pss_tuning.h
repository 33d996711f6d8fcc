#pragma once
// A proposed stabilizer setting for the machine at an operating point at rest, by the
// phase-compensation method: the pairs of compensation stages ranked by the net phase of the
// stabilizer's torque against speed (phase_compensation.h), the best of them tried with the gain
// at a third of the smallest gain at which some mode of the modal analysis becomes unstable, and
// the one that damps the least damped swing most proposed. A second pass ranks again around the
// swing frequency the first pass's choice leaves.
//
// The PSS2A's lead-lag stages are T1/T2 and T3/T4; the single-input stabilizer's compensation is
// its two lags T2 and T4 (its T0, T1, T3 and T5 act on the gain only, or cancel). Every other
// value of the set stays as it is.
#include <array>
#include <functional>

#include "core/analysis/phase_compensation.h"
#include "core/model/parameter_record.h"

namespace tgsim {

// The gain proposed, as a share of the smallest gain at which some mode becomes unstable.
inline constexpr double kGainShareOfInstability = 1.0 / 3.0;

// What the proposal sets: the two stages and the gain kw.
struct PssSetting {
    std::array<CompensationStage, 2> stages{};
    double kw = 0;
};

// The setting of the stabilizer `record` holds (order 9 or 4).
PssSetting settingOf(const TParametry& record);

// The record with that setting in the stabilizer's grid, read as a computation reads it.
using RecordWithSetting = std::function<TParametry(const PssSetting&)>;

// The swings: the oscillations from 0,1 Hz to 4 Hz, where the rotor swings against the network
// and a stabilizer forms further modes with it. Without stabilizer the least damped of them is the
// electromechanical mode of the modal analysis; a stabilizer may split the swing among several
// modes, and the least damped one is what a disturbance leaves ringing longest.
inline constexpr double kSwingFromHz = 0.1, kSwingToHz = 4.0;

// The least damped swing.
struct SwingFigures {
    double frequencyHz = 0;
    double dampingRatio = 0;
    bool found = false;  // the modal analysis found a swing
};

struct PssProposal {
    bool pss2a = true;
    PssSetting before, proposed;
    double swingFrequencyHz = 0;    // the one the fit weighted most: the electromechanical mode without stabilizer
    double instabilityGain = 0;     // |kw| at which some mode becomes unstable (the proposed stages)
    bool instabilityFound = false;  // false: stable up to the largest gain tried; kw is a third of that
    SwingFigures withoutStabilizer, withBefore, withProposed;
    double largestRealPart = 0;  // of the modes with the proposal, 1/s
};

// The proposal for `record` (its stabilizer switched on) at rest at `initial`; `recordWith`
// reads a candidate setting as the computation would. Refuses as the modal analysis refuses, and
// a machine that is unstable with every gain tried.
PssProposal proposePssSetting(const TParametry& record, const State& initial, const RecordWithSetting& recordWith);

}  // namespace tgsim
