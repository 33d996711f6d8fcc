#pragma once
// Operating points on the network as the program computes them, and runs that leave them.
#include <vector>

#include "core/numerics/run_stepper.h"
#include "core/numerics/step_length.h"
#include "core_runs.h"
#include "scenarios/given_steady_state.h"

namespace tgsim::testing {

// networkPoint's stabilizer: the single-input set switched on.
inline constexpr int kSingleInputOn = -1;

// Generator set `set` in the classical model on the network ("Praca w sieci"), started from the
// steady state of Pr and Qr written into the grids and read back; PSS2A set `pss2aSet` switched
// on when above 0, the single-input set when kSingleInputOn.
inline RunInputs networkPoint(int set, double Pr, double Qr, int pss2aSet = 0) {
    StartupInputs in(set, "Klasyc");
    if (pss2aSet == kSingleInputOn) {
        in.stabilizerOn = true;
    } else if (pss2aSet != 0) {
        in.record.pssOrder = PSS2A(pss2aSet, in.grids.Siatka_PSS);
        in.stabilizerOn = true;
    }
    const ScenarioPreset& preset = presetNamed("Praca w sieci");
    writeScenarioGrids(in.grids, preset);
    preset.setEvents(in.record);
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    writeSteadyState(networkSteadyState(in.record, Pr, Qr), in.record, in.grids);
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    return {in.record, in.initialState};
}

struct Trace {
    std::vector<double> t, y;
};

// The speed (relative) of a run of `seconds` from the start state, the shaft torque raised by
// `share` of itself during the first `pulse` seconds.
inline Trace speedAfterTorquePulse(const RunInputs& in, double share, double pulse, double seconds) {
    const double h = stepLength(in.record.to, in.record.tk, in.record.stepCount);
    TParametry pulsed = in.record;
    pulsed.Tmr = in.record.Tmr * (1.0 + share);
    RunStepper during(pulsed, h, in.record.stepCount), after(in.record, h, in.record.stepCount);
    during.start(in.initialState, 0.0);
    Trace trace;
    RunStepper* run = &during;
    while (run->row()[kT] < seconds) {
        if (run == &during && run->row()[kT] >= pulse) {
            after.setState(during.state());
            run = &after;
        }
        const State& row = run->step();
        trace.t.push_back(row[kT]);
        trace.y.push_back(row[kOmega] / in.record.omegan);
    }
    return trace;
}

}  // namespace tgsim::testing
