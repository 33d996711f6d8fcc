#include "session_input.h"

#include <algorithm>

#include "session.h"

namespace tgsim {
namespace {

constexpr std::array<GridId, kGridCount> kAllGrids = {GridId::siatka, GridId::siatkaPraca, GridId::war_pocz,
                                                      GridId::Siatka_PSS, GridId::zadanystanustalony};

std::vector<CellChange> changedCells(const TextGrid& before, const TextGrid& after) {
    std::vector<CellChange> cells;
    const int columns = std::max(before.columnCount(), after.columnCount());
    for (int row = 0; row < TextGrid::kRows; ++row)
        for (int column = 0; column < columns; ++column)
            if (before.cell(column, row) != after.cell(column, row))
                cells.push_back({column, row, before.cell(column, row), after.cell(column, row)});
    return cells;
}

}  // namespace

InputChange inputChange(const InputSnapshot& before, const InputSnapshot& after) {
    InputChange change;
    for (GridId id : kAllGrids) {
        const TextGrid& from = before.grids.byId(id);
        const TextGrid& to = after.grids.byId(id);
        std::vector<CellChange> cells = changedCells(from, to);
        if (cells.empty() && from.columnCount() == to.columnCount()) continue;
        change.grids.push_back({id, from.columnCount(), to.columnCount(), std::move(cells)});
    }
    if (!(before.fields == after.fields)) {
        change.fieldsBefore = before.fields;
        change.fieldsAfter = after.fields;
    }
    return change;
}

void applyToGrids(const InputChange& change, bool undo, Grids& grids) {
    for (const GridChange& g : change.grids) {
        TextGrid& grid = grids.byId(g.grid);
        const int columns = undo ? g.columnsBefore : g.columnsAfter;
        // Wide enough for every changed cell first; cut to the side's width last.
        grid.setColumnCount(std::max(g.columnsBefore, g.columnsAfter));
        for (const CellChange& c : g.cells) grid.setCell(c.column, c.row, undo ? c.before : c.after);
        grid.setColumnCount(columns);
    }
}

// ---- The session's side ----

InputSnapshot Session::inputSnapshot() const {
    InputSnapshot snapshot{grids_, {}};
    InputFields& f = snapshot.fields;
    f.scenario = scenario_;
    f.stabilizerOn = stabilizerOn_;
    f.pssOrder = record_.pssOrder;
    f.generator = generator_;
    f.generatorSet = generatorSet_;
    f.stabilizerSet = stabilizerSet_;
    f.initialFromFinalState = initialFromFinalState_;
    f.initialEdited = initialEdited_;
    f.steadyStateDefaultsWritten = steadyStateDefaultsWritten_;
    f.model = record_.model;
    f.machineKey = machineKey_;
    return snapshot;
}

bool Session::generatorCellsEdited() const {
    if (!generator_) return false;
    TextGrid loaded(grids_.siatka.name(), grids_.siatka.columnCount());
    writeGeneratorSet(*generator_, loaded);
    for (int row = 0; row < TextGrid::kRows; ++row)
        for (int column = 0; column < loaded.columnCount(); ++column)
            if (loaded.cell(column, row) != grids_.siatka.cell(column, row)) return true;
    return false;
}

std::string Session::initialStateNote() const {
    if (initialFromFinalState_) return initialEdited_ ? "od warunków końcowych, zmienionych" : "od warunków końcowych";
    return initialEdited_ ? "od warunków zmienionych" : "";
}

void Session::applyInputChange(const InputChange& change, bool undo) {
    applyToGrids(change, undo, grids_);
    if (!change.fieldsBefore) return;
    const InputFields& f = undo ? *change.fieldsBefore : *change.fieldsAfter;
    scenario_ = f.scenario ? f.scenario : &kStartupScenario;
    scenario_->setEvents(record_);
    if (f.stabilizerOn != stabilizerOn_) setStabilizerSwitch(f.stabilizerOn);
    record_.pssOrder = f.pssOrder;
    generator_ = f.generator;
    generatorSet_ = f.generatorSet;
    stabilizerSet_ = f.stabilizerSet;
    initialFromFinalState_ = f.initialFromFinalState;
    initialEdited_ = f.initialEdited;
    steadyStateDefaultsWritten_ = f.steadyStateDefaultsWritten;
    record_.model = f.model;
    machineKey_ = f.machineKey;
}

}  // namespace tgsim
