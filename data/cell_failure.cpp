#include "cell_failure.h"

#include "base/cell_number.h"

namespace tgsim {

double cellNumber(const TextGrid& grid, int column) {
    constexpr int kValueRow = 1;
    try {
        return parseCellNumber(grid.cell(column, kValueRow));
    } catch (const Failure& failure) {
        throw CellFailure(failure.what(), grid.name(), column, kValueRow);
    }
}

}  // namespace tgsim
