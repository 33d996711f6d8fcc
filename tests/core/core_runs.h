#pragma once
// Records and initial states of real runs, read from the grids as the program reads them, and
// helpers that look at the stored rows.
#include <cmath>
#include <string>

#include "base/failure.h"
#include "core/numerics/integrator.h"
#include "data/load_parameters.h"
#include "startup_grids.h"

namespace tgsim::testing {

struct RunInputs {
    TParametry record;
    State initialState{};
};

// The start-up grids of generator set `set` in `model`, then `preset` when given (with its
// stabilizer switch), then PSS2A set `pss2aSet` (1..3) switched on when not 0.
inline RunInputs loadRun(int set = 1, const char* model = "Klasyc", const ScenarioPreset* preset = nullptr,
                         int pss2aSet = 0) {
    StartupInputs in(set, model);
    if (preset) {
        writeScenarioGrids(in.grids, *preset);
        preset->setEvents(in.record);
        if (preset->switchesStabilizerOn) in.stabilizerOn = true;
    }
    if (pss2aSet != 0) {
        in.record.pssOrder = PSS2A(pss2aSet, in.grids.Siatka_PSS);
        in.stabilizerOn = true;
    }
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    return {in.record, in.initialState};
}

inline const ScenarioPreset& presetNamed(std::string_view scenarioName) {
    for (const ScenarioPreset& p : kScenarioPresets)
        if (scenarioName == p.scenarioName) return p;
    throw std::logic_error("no preset " + std::string(scenarioName));
}

// Runs the record's own time span; returns the failure message, or "" when the run completed.
inline std::string run(const RunInputs& in, ResultMatrix& results, Progress* progress = nullptr) {
    try {
        integrate(in.initialState, in.record, results, in.record.to, in.record.tk, progress);
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "";
}

// The active power delivered, in units of the rated active power.
inline double power(ResultMatrix::Row row, const TParametry& r) {
    return -(row[kId] * row[kUd] + row[kIq] * row[kUq]) / r.Sn / r.cosfin;
}

inline bool allStoredRowsFinite(const ResultMatrix& results) {
    for (std::size_t i = 0; i < results.storedRows(); ++i)
        for (double v : results.row(i))
            if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace tgsim::testing
