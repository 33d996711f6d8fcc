#include "pss_sets.h"

#include "grid_columns.h"

namespace tgsim {

//                  T1      T2      T3      T4      T5   T6       T7       T8      T9
//                  Tw1   Tw2   Tw3   Tw4   ks1   ks2     ks3  kw
// clang-format off
const std::array<PssSet, 3> kPss2aSets = {{
    {"PSS 2A - D.O.", {"0,05", "0,02", "0,05", "0,02", "0", "0,005", "0,005", "0,30", "0,10",
                       "15", "15", "15", "15", "1", "1", "1", "2"}},
    {"PSS 2A - Tur.", {"5", "0,04", "2,88", "0,12", "0", "0,005", "5", "0", "0,1",
                       "5", "5", "5", "5", "10", "0,41", "1", "2"}},
    {"PSS 2A - Koz.", {"0,05", "0,02", "0,05", "0,02", "0", "0,005", "0,005", "1,0", "0,1",
                       "15", "15", "15", "15", "3", "1", "1", "2"}},
}};
// clang-format on

const PssSet kSingleInputSet = {"PSS  1-wejsciowy", {"2,0", "2,0", "0,4", "1,0", "0,1", "0,05", "150"}};

namespace {

void writeSet(TextGrid& grid, ColumnTable table, const PssSet& set) {
    writeHeaders(grid, table);
    for (const GridColumn& c : table) grid.setCell(c.column, 1, set.values[static_cast<std::size_t>(c.column)]);
}

}  // namespace

const PssSet* findPss2aSet(std::string_view menuCaption) {
    for (const PssSet& set : kPss2aSets)
        if (menuCaption == set.menuCaption) return &set;
    return nullptr;
}

std::uint8_t writePss2aSet(const PssSet& set, TextGrid& grid) {
    grid.setColumnCount(kPss2aColumns);
    writeSet(grid, kPss2aTable, set);
    return kPss2aOrder;
}

std::uint8_t PSS2A(int number, TextGrid& grid) {
    if (number >= 1 && number <= static_cast<int>(kPss2aSets.size()))
        return writePss2aSet(kPss2aSets[static_cast<std::size_t>(number - 1)], grid);
    grid.setColumnCount(kPss2aColumns);
    return kPss2aOrder;
}

std::uint8_t PSS_klas_1(TextGrid& grid) {
    grid.setColumnCount(kSingleInputColumns);
    writeSet(grid, kSingleInputTable, kSingleInputSet);
    return kSingleInputOrder;
}

}  // namespace tgsim
