#pragma once
// Results of the last computation as text: the result matrix in physical units, the chart's
// seventeen quantities in relative units, grids and the session state as key=value lines.
#include <ostream>
#include <span>
#include <string>

#include "base/csv_number.h"
#include "session.h"

namespace tgsim {

// Header, then one line per stored row of the result matrix.
void writeResultsCsv(const Session& session, std::ostream& out);
// Header, then the chart's quantities for the rows the chart plots.
void writeChartCsv(const Session& session, std::ostream& out);
// The same for every kept run and the last computation, in long form: a first column `run`
// (1 .. k for the kept runs, oldest first, then "current"), each run's values exactly as
// writeChartCsv writes them for that run.
void writeCompareCsv(const Session& session, std::ostream& out);
// Quantities `quantities` (each 1..17) of the rows whose time lies within [from, to], as a table
// a spreadsheet takes from the clipboard: a header line "t" and the quantities' captions, then a
// line per row; cells joined by a tab, each number the value writeChartCsv writes, with a
// decimal comma.
void writeChartTable(const ChartRows& rows, std::span<const int> quantities, double from, double to, std::ostream& out);
// Row 0 and row 1 of the grid, cells joined by a tab.
void writeGrid(const TextGrid& grid, std::ostream& out);
// scenario, model, pssOrder, the captions, stepCount and the status panels.
void writeState(const Session& session, std::ostream& out);

}  // namespace tgsim
