#pragma once
// A cell that is not a number, with where it is: the message stays the cell's own, and the window
// shows the failing cell for correcting.
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "base/failure.h"
#include "text_grid.h"

namespace tgsim {

class CellFailure : public Failure {
public:
    CellFailure(const std::string& message, std::string grid, int column, int row)
        : Failure(message), grid_(std::move(grid)), column_(column), row_(row) {}

    const std::string& grid() const { return grid_; }  // the grid's name
    int column() const { return column_; }
    int row() const { return row_; }

private:
    std::string grid_;
    int column_;
    int row_;
};

// The message the runner reports for a failure: a cell that is not a number gains a line saying
// which grid and column it is in ("in siatka.28 (Td0\" [s])"; the window selects the cell
// instead); any other failure's message as it is. `pssOrder` names the columns of `Siatka_PSS`.
std::string reportedMessage(const std::exception& failure, std::uint8_t pssOrder);

// The number in the value row (row 1) of `column`; a cell that is not a number raises
// CellFailure with the message of parseCellNumber.
double cellNumber(const TextGrid& grid, int column);

}  // namespace tgsim
