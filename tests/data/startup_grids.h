#pragma once
// The grids as the program starts with them: generator set 1, the start-up control row and
// initial conditions, the single-input stabilizer set (switched off).
#include "core/model/parameter_record.h"
#include "data/generator_sets.h"
#include "data/grids.h"
#include "data/pss_sets.h"
#include "scenarios/scenario_presets.h"

namespace tgsim::testing {

// The rotor model of the name the program shows in its state ("Klasyc", "Canaya"; None otherwise).
inline RotorModel rotorModel(std::string_view name) {
    for (RotorModel model : {RotorModel::Klasyczny, RotorModel::Canaya})
        if (name == modelName(model)) return model;
    return RotorModel::None;
}

struct StartupInputs {
    Grids grids;
    TParametry record;
    State initialState{};
    bool stabilizerOn = false;

    explicit StartupInputs(int generatorSet = 1, const char* model = "Klasyc") {
        writeScenarioGrids(grids, kStartupScenario);
        Generator(generatorSet, grids.siatka);
        record.model = rotorModel(model);
        record.pssOrder = PSS_klas_1(grids.Siatka_PSS);
        kStartupScenario.setEvents(record);
    }
};

}  // namespace tgsim::testing
