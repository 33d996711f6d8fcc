// The session's side of case files: the switches a case holds beyond the cells.
#include "data/grid_columns.h"
#include "scenarios/given_steady_state.h"
#include "session.h"

namespace tgsim {

CaseSwitches Session::caseSwitches() const {
    CaseSwitches switches;
    switches.model = record_.model;
    switches.pssOrder = record_.pssOrder;
    switches.stabilizerOn = stabilizerOn_;
    switches.scenario = scenario_;
    switches.generatorSet = generatorSet_;
    switches.stabilizerSet = stabilizerSet_;
    switches.title = caseTitle_;
    switches.description = caseDescription_;
    switches.steadyStatePointGiven = steadyStateDefaultsWritten_;
    return switches;
}

void Session::setCaseSwitches(const CaseSwitches& switches) {
    if (switches.model) record_.model = *switches.model;
    if (switches.pssOrder && *switches.pssOrder != record_.pssOrder) {
        // The other kind's values mean nothing under this kind's headers: its cells start empty.
        TextGrid& grid = grids_.Siatka_PSS;
        const ColumnTable table = columnTable(GridId::Siatka_PSS, *switches.pssOrder);
        grid.setColumnCount(*switches.pssOrder == kPss2aOrder ? kPss2aColumns : kSingleInputColumns);
        writeHeaders(grid, table);
        for (const GridColumn& column : table) grid.setCell(column.column, 1, "");
        record_.pssOrder = *switches.pssOrder;
    }
    if (switches.stabilizerOn) stabilizerOn_ = *switches.stabilizerOn;
    if (switches.scenario) {
        scenario_ = switches.scenario;
        scenario_->setEvents(record_);
    }
    if (switches.generatorSet) generatorSet_ = *switches.generatorSet;
    if (switches.stabilizerSet) stabilizerSet_ = *switches.stabilizerSet;
    caseTitle_ = switches.title;
    caseDescription_ = switches.description;
    // The case's cells of the point follow and go over the defaults, so that a case giving only
    // Pr still has the rest of the point.
    if (switches.steadyStatePointGiven) writeSteadyStateDefaults(grids_, steadyStateDefaultsWritten_);
    view_.chartVisible = false;
    showInputGrids(true);
    showGrid(GridId::Siatka_PSS, stabilizerOn_);
}

}  // namespace tgsim
