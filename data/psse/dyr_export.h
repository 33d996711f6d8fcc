#pragma once
// The loaded machine as dynamic data: a GENROU record of its typed catalogue values, H and D
// converted as the import converts them (so that importing the record gives the same grid), the
// bases and ZR in a comment line; and the PSS2A record when that stabilizer is switched on.
#include <string>
#include <vector>

#include "core/model/parameter_record.h"
#include "data/grids.h"
#include "dyr_file.h"

namespace tgsim::psse {

struct DyrExport {
    std::string text;                // the records
    std::vector<std::string> notes;  // what the records leave out or say differently
};

// A cell of the generator grid (or, with the stabilizer, of the stabilizer grid) that is not a
// number raises its CellFailure; a formula that faults raises its Failure.
DyrExport exportMachine(const Grids& grids, const MachineKey& key, RotorModel model, bool stabilizerOn,
                        std::uint8_t pssOrder);

}  // namespace tgsim::psse
