#pragma once
// The values under the mouse: every drawn line's value at the time the cursor points at, read
// between the stored rows, and which line passes nearest the cursor.
#include <optional>
#include <span>
#include <vector>

#include "driver/chart_quantities.h"

namespace tgsim::chart {

// Quantity k of the rows at time t: a row's own value at its time, linear between the two rows
// around any other time. None before the first or after the last row's time, or when a row it
// needs has a value that is not finite. Times must increase from row to row; the rows are
// found by bisection, so a read costs some twenty row lookups however long the run.
std::optional<double> valueAt(const ChartRows& rows, int k, double t);

// A line the readout reads: quantity k of run `run` (0 the current computation, 1.. the kept runs).
struct ReadoutLine {
    int run = 0;
    int k = 0;
    ChartRows rows;
};

struct ReadoutValue {
    int run = 0;
    int k = 0;
    double value = 0.0;
};

struct Readout {
    double time = 0.0;
    std::vector<ReadoutValue> values;  // the lines that have a value at that time, in their order
    int nearest = -1;                  // index into values of the value nearest the cursor's value
};

// The readout at `time` of the lines, with the one nearest to `value` (the cursor's height in
// the value axis' units; one scale for all lines, so nearest in value is nearest on screen).
// `out` is filled in place, so that a mouse move needs no new buffer once it has grown.
void readoutAt(std::span<const ReadoutLine> lines, double time, double value, Readout& out);

}  // namespace tgsim::chart
