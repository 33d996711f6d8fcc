#pragma once
// What a case file holds: the session's switches and data-set names (CaseSwitches), the text of
// the used cells of the five grids as typed, and the edits of their header rows. Cells and
// columns are named in the file by the keys of the column tables (data/grid_columns.h).
#include <array>
#include <string>
#include <vector>

#include "data/grids.h"
#include "driver/session.h"

namespace tgsim {

// The format this program writes and reads; a file of a later format is refused.
inline constexpr long long kCaseFormat = 1;
inline constexpr const char* kCaseExtension = ".tgsim.toml";

// The stabilizer kinds as a case names them.
inline constexpr const char* kPss2aKind = "PSS2A";
inline constexpr const char* kSingleInputKind = "single-input";

struct CaseCell {
    GridId grid;
    int column;
    int row;  // 1 a value, 0 a header edit
    std::string text;

    bool operator==(const CaseCell&) const = default;
};

struct CaseContents {
    CaseSwitches switches;
    std::vector<CaseCell> cells;
    // The grids the case has a table for: such a table sets the grid's whole header row (the
    // program's headers with the case's edits); its value cells are those it gives.
    std::array<bool, kGridCount> grids{};

    bool operator==(const CaseContents&) const = default;
};

}  // namespace tgsim
