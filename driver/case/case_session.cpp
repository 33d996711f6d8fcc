#include "case_session.h"

#include "base/input_file.h"
#include "base/output_file.h"
#include "case_reader.h"
#include "case_writer.h"
#include "data/grid_columns.h"
#include "driver/session.h"

namespace tgsim {
namespace {

// The given steady state's grid holds nothing until its command first runs.
bool emptyGrid(const TextGrid& grid) {
    for (int row = 0; row < TextGrid::kRows; ++row)
        for (int column = 0; column < grid.columnCount(); ++column)
            if (!grid.cell(column, row).empty()) return false;
    return true;
}

}  // namespace

CaseContents captureCase(const Session& session) {
    CaseContents contents;
    contents.switches = session.caseSwitches();
    for (std::size_t i = 0; i < kGridCount; ++i) {
        const auto id = static_cast<GridId>(i);
        const TextGrid& grid = session.grids().byId(id);
        if (id == GridId::zadanystanustalony && !contents.switches.steadyStatePointGiven && emptyGrid(grid)) continue;
        contents.grids[i] = true;
        // Its input cells are written, and a case that gives them gives the point (case_reader).
        if (id == GridId::zadanystanustalony) contents.switches.steadyStatePointGiven = true;
        // In the order of the grid's columns, as the window shows them.
        for (int column = 0; column < grid.columnCount(); ++column) {
            const GridColumn* c = columnAt(columnTable(id, session.record().pssOrder), column);
            if (!c) continue;
            contents.cells.push_back({id, column, 1, grid.cell(column, 1)});
            if (grid.cell(column, 0) != c->header) contents.cells.push_back({id, column, 0, grid.cell(column, 0)});
        }
    }
    return contents;
}

void openCase(Session& session, const CaseContents& contents) {
    session.setCaseSwitches(contents.switches);
    for (std::size_t i = 0; i < kGridCount; ++i) {
        if (!contents.grids[i]) continue;
        const auto id = static_cast<GridId>(i);
        for (const GridColumn& c : columnTable(id, session.record().pssOrder))
            session.setCell(id, c.column, 0, c.header);
    }
    for (const CaseCell& cell : contents.cells) session.setCell(cell.grid, cell.column, cell.row, cell.text);
}

void openCaseText(Session& session, std::string_view text, const std::string& fileName) {
    openCase(session, readCase(text, fileName, session.record().pssOrder));
}

void openCaseFile(Session& session, const std::string& fileName) {
    openCaseText(session, readInputFile(fileName, kMostCaseBytes), fileName);
}

void saveCaseFile(const Session& session, const std::string& fileName) {
    // The text first: a cell it cannot keep refuses the file before anything is written.
    const std::string text = caseText(captureCase(session));
    writeOutputFile(fileName, text);
}

}  // namespace tgsim
