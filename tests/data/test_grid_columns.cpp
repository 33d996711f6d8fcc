// The column tables: every number column is read from its own cell and no other, and the scale
// back to the cell undoes the scale from the cell.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "data/cell_failure.h"
#include "data/grid_columns.h"
#include "data/load_parameters.h"
#include "startup_grids.h"

namespace tgsim {
namespace {

using testing::StartupInputs;

struct GridCase {
    GridId grid;
    ColumnTable table;
    int pss2aSet;  // 0: the single-input set
};
const GridCase kGrids[] = {
    {GridId::siatka, kGeneratorTable, 0},       {GridId::siatkaPraca, kControlTable, 0},
    {GridId::war_pocz, kInitialTable, 0},       {GridId::Siatka_PSS, kPss2aTable, 1},
    {GridId::Siatka_PSS, kSingleInputTable, 0},
};

StartupInputs stabilizerOnWith(int pss2aSet) {
    StartupInputs in;
    if (pss2aSet) in.record.pssOrder = PSS2A(pss2aSet, in.grids.Siatka_PSS);
    in.stabilizerOn = true;
    return in;
}

// A cell that is not a number fails the reading at that very cell when the table reads it, and
// goes unnoticed when it does not.
TEST(GridColumns, EveryNumberColumnIsReadFromItsOwnCell) {
    for (const GridCase& g : kGrids) {
        const int columns = stabilizerOnWith(g.pss2aSet).grids.byId(g.grid).columnCount();
        for (int column = 0; column < columns; ++column) {
            StartupInputs in = stabilizerOnWith(g.pss2aSet);
            in.grids.byId(g.grid).setCell(column, 1, "zly");
            const GridColumn* entry = columnAt(g.table, column);
            const bool read = entry && (entry->field || entry->element);
            std::string failedAt = "none";
            try {
                LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
            } catch (const CellFailure& failure) {
                failedAt = failure.grid() + "." + std::to_string(failure.column());
            }
            const std::string name(kGridNames[static_cast<std::size_t>(g.grid)]);
            EXPECT_EQ(failedAt, read ? name + "." + std::to_string(column) : "none") << name << " column " << column;
        }
    }
}

TEST(GridColumns, TheScaleBackUndoesTheScaleFrom) {
    StartupInputs in;
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    for (const GridCase& g : kGrids) {
        std::set<std::string> keys;
        for (const GridColumn& c : g.table) {
            EXPECT_TRUE(keys.insert(c.key).second) << c.key;
            for (double cell : {0.37, -1.25, 1e3}) {
                const double back = c.scale.toCell(c.scale.toPhysical(cell, in.record), in.record);
                EXPECT_NEAR(back, cell, 1e-15 * std::fabs(cell)) << c.key;
            }
        }
    }
    for (const GridColumn& c : kInitialTable) EXPECT_EQ(c.element, c.column + 1) << c.key;
}

}  // namespace
}  // namespace tgsim
