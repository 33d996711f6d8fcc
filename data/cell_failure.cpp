#include "cell_failure.h"

#include <optional>

#include "base/cell_number.h"
#include "grid_columns.h"
#include "grids.h"

namespace tgsim {

double cellNumber(const TextGrid& grid, int column) {
    constexpr int kValueRow = 1;
    try {
        return parseCellNumber(grid.cell(column, kValueRow));
    } catch (const Failure& failure) {
        throw CellFailure(failure.what(), grid.name(), column, kValueRow);
    }
}

std::string reportedMessage(const std::exception& failure, std::uint8_t pssOrder) {
    const auto* cell = dynamic_cast<const CellFailure*>(&failure);
    if (!cell) return failure.what();
    const std::optional<GridId> grid = gridIdByName(cell->grid());
    if (!grid) return failure.what();
    return std::string(failure.what()) + "\nin " + cellName(*grid, cell->column(), pssOrder);
}

}  // namespace tgsim
