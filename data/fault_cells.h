#pragma once
// The cells behind a floating-point fault in reading the grids. The core computes on the record
// and knows no grids; here each conversion of the record that divides is described by the fields
// it divides by, so that a fault's message can say which cells to correct. The message keeps its
// first line and gains a second: the cells whose values make a divisor zero (a cell of 0, or two
// cells of one value whose difference divides), in the failing conversion and in those the read
// goes through after it, so that a data set with several such cells shows them all at once; or,
// when the failing conversion divides by no zero (an overflow, a singular matrix, the root of a
// negative number), the cells that conversion read.
#include <span>
#include <string>

#include "base/failure.h"
#include "core/model/parameter_record.h"
#include "data/grid_columns.h"
#include "data/grids.h"

namespace tgsim {

// The conversions of a read that divide, named in the order a computation goes through them.
enum class Conversion {
    Bases,          // the impedance base and the rated torque
    InitialState,   // the cells of `war_pocz` by their scales
    Stabilizer,     // the polynomials and companion matrices of the stabilizer set in the record
    RotorCircuits,  // the rotor circuits of the record's model and the inductance matrices
    RatedPoint,     // the rated power-factor angle, internal EMF and load angle
};

// A read of the grids as the record stands when one of its conversions faulted: the grids'
// texts, the record, and the conversions the read goes through in order.
struct GridRead {
    const Grids& grids;
    const TParametry& record;
    std::span<const Conversion> conversions;
};

// The message of `failure`, raised by the conversion `failing`, with the line of its cells. A
// failure that is not a floating-point fault keeps its message as it is.
std::string withFaultCells(const Failure& failure, const GridRead& read, Conversion failing);

// The same for the scale of one cell (`column` of grid `grid`): the divisor of its scale when
// that is zero, otherwise the cell and the cells its scale reads.
std::string withFaultCells(const Failure& failure, const GridRead& read, GridId grid, const GridColumn& column);

// Runs `convert`, which is `failing`; its floating-point fault is raised again with the line.
template <class Convert>
void namingFaultCells(const GridRead& read, Conversion failing, Convert&& convert) {
    try {
        convert();
    } catch (const Failure& failure) {
        std::string message = withFaultCells(failure, read, failing);
        if (message == failure.what()) throw;
        throw Failure(message);
    }
}

}  // namespace tgsim
