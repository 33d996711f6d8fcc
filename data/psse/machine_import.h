#pragma once
// Importing a round-rotor machine (GENROU) from a dynamic data file into the generator grid,
// with its bases from a network data file when there is one, and its PSS2A stabilizer into the
// stabilizer grid. The import is planned on copies of the grids first: every refusal comes before
// anything is changed, and the plan is then one edit of the grids.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/grids.h"
#include "dyr_file.h"
#include "raw_file.h"

namespace tgsim::psse {

// Which machine of the file: by default its first GENROU; a bus alone takes the one machine of
// that bus.
struct MachineChoice {
    std::optional<long> bus;
    std::optional<std::string> id;  // machineId form
};

// FILE[@BUS[:ID]]: the file's name and the choice. A suffix after the last '@' that is no bus
// number (with an optional ":ID") belongs to the name.
std::pair<std::string, MachineChoice> splitMachineArgument(std::string_view word);

// The machine record the choice names; throws Failure "FILE: ..." when there is none, or when a
// bus alone is given and it has several machines.
const DyrRecord& chooseMachine(const DyrFile& file, const MachineChoice& choice);

// The machine's PSS2A record, or nullptr.
const DyrRecord* pss2aOf(const DyrFile& file, const MachineKey& key);

struct CellEdit {
    GridId grid;
    int column = 0;
    std::string text;  // the value row's new text
};

struct MachineImport {
    MachineKey key;
    std::vector<CellEdit> edits;     // only the cells whose value changes
    bool pss2aLayout = false;        // first load the layout of a PSS2A set (the first set's values)
    bool stabilizerOn = false;       // the file's PSS2A was taken: switch the stabilizer on
    std::vector<std::string> notes;  // what was taken from where, what was left out
};

// The name of the generator grid's set after an import ("GENROU 1 '1'").
std::string importedSetName(const MachineKey& key);

// Plans the import of the chosen machine into the grids as they stand (pssOrder: the stabilizer
// kind loaded). Without a network case the per-unit values are taken on the grid's bases.
// Throws Failure "FILE:LINE: ..." for a machine that is not there, not a GENROU or has values
// the model cannot take, a network case without its bus or generator; a grid cell the import
// must read that is not a number raises its CellFailure.
MachineImport planMachineImport(const Grids& grids, std::uint8_t pssOrder, const DyrFile& file,
                                const MachineChoice& choice, const NetworkCase* network, bool withPss);

// Applies the cell edits to the grids (the PSS2A layout, when planned, is the caller's).
void applyEdits(const std::vector<CellEdit>& edits, Grids& grids);

}  // namespace tgsim::psse
