// The session's stabilizer tuning: the frequency responses of the present initial state and the
// proposed setting of the stabilizer in `Siatka_PSS`, and applying it.
#include "base/cell_number.h"
#include "data/load_parameters.h"
#include "session.h"
#include "tuning_figures.h"

namespace tgsim {
namespace {

// The setting's cells written into the stabilizer grid as the program writes numbers.
void writeSetting(TextGrid& grid, const PssSetting& setting, bool pss2a) {
    for (const ProposedCell& cell : proposedCells(setting, pss2a))
        grid.setCell(cell.column, 1, formatGeneral(cell.value));
}

}  // namespace

// The stabilizer in the grid is read as if switched on: its own response and its proposal do not
// depend on the switch.
FrequencyResponse Session::frequencyResponse(const std::vector<double>& frequenciesHz,
                                             const PssSetting* setting) const {
    Grids grids = grids_;
    if (setting) writeSetting(grids.Siatka_PSS, *setting, record_.pssOrder == kPss2aOrder);
    TParametry record = record_;
    State initial{};
    tgsim::LoadParameters(grids, true, record, initial);
    return tgsim::frequencyResponse(record, initial, frequenciesHz);
}

PssProposal Session::proposePssSetting() const {
    TParametry record = record_;
    State initial{};
    tgsim::LoadParameters(grids_, true, record, initial);
    const bool pss2a = record.pssOrder == kPss2aOrder;
    const RecordWithSetting recordWith = [&](const PssSetting& setting) {
        Grids grids = grids_;
        writeSetting(grids.Siatka_PSS, setting, pss2a);
        TParametry candidate = record_;
        State x{};
        tgsim::LoadParameters(grids, true, candidate, x);
        return candidate;
    };
    return tgsim::proposePssSetting(record, initial, recordWith);
}

void Session::applyPssSetting(const PssProposal& proposal) {
    writeSetting(grids_.Siatka_PSS, proposal.proposed, proposal.pss2a);
}

void Session::DobierzPSSClick() { applyPssSetting(proposePssSetting()); }

}  // namespace tgsim
