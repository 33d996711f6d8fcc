#pragma once
// The input of a computation as the user edits it: the grids' text and what the commands that
// load data sets and presets set besides it (the scenario, the stabilizer set and its switch,
// where the initial state came from). A change between two snapshots is what one edit, one
// cleared selection or one command did, and can be taken back and done again (undo, redo).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model/parameter_record.h"
#include "data/generator_sets.h"
#include "data/grids.h"
#include "data/psse/dyr_file.h"
#include "scenarios/scenario_presets.h"

namespace tgsim {

struct InputFields {
    const ScenarioPreset* scenario = nullptr;
    bool stabilizerOn = false;
    std::uint8_t pssOrder = 0;
    const GeneratorSet* generator = nullptr;  // the set loaded last; nullptr for none of the built-in ones
    std::string generatorSet;                 // its name in the names of runs
    std::string stabilizerSet;
    bool initialFromFinalState = false;  // `war_pocz` holds the final state of a computation
    bool initialEdited = false;          // a value in `war_pocz` was typed since a command wrote it
    bool steadyStateDefaultsWritten = false;
    RotorModel model = RotorModel::None;  // the rotor model chosen (an import sets it)
    psse::MachineKey machineKey;          // the machine's bus and identifier in PSS/E files

    bool operator==(const InputFields&) const = default;
};

struct InputSnapshot {
    Grids grids;
    InputFields fields;
};

struct CellChange {
    int column = 0;
    int row = 0;
    std::string before, after;
};

struct GridChange {
    GridId grid{};
    int columnsBefore = 0, columnsAfter = 0;
    std::vector<CellChange> cells;
};

struct InputChange {
    std::vector<GridChange> grids;
    std::optional<InputFields> fieldsBefore, fieldsAfter;  // both or neither

    bool empty() const { return grids.empty() && !fieldsBefore; }
};

// What changed from `before` to `after`: the cells whose text differs (a column that exists in
// only one of them reads as empty there) and the fields, when any differs.
InputChange inputChange(const InputSnapshot& before, const InputSnapshot& after);

// Writes one side of the change into the grids: the text before it (undo) or after it (redo).
void applyToGrids(const InputChange& change, bool undo, Grids& grids);

}  // namespace tgsim
