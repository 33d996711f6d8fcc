#pragma once
// One table of columns for each input grid: a column's header text, its key (the ASCII name that
// files use for the cell), what the computation fills from it (a number or a switch of the
// parameter record, an element of the initial state, or nothing), the scale between the cell and
// the physical unit the computation works in, that unit and what the column means. Reading the
// grids, writing values back, writing the headers, the symbol tables of docs/model.md and the
// window's header tips all go through these tables, so they cannot drift apart.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/model/parameter_record.h"
#include "data/grids.h"

namespace tgsim {

// How a cell's number becomes the value the computation works with, and back: times a constant
// factor, or times a field of the record (read before it), or times one field and over another.
struct Scale {
    double factor = 1.0;
    double TParametry::*times = nullptr;
    double TParametry::*over = nullptr;
    const char* text = "as typed";  // how the documentation writes the conversion

    bool asTyped() const { return !times && factor == 1.0; }
    // cell * factor, cell * times, or cell * times / over.
    double toPhysical(double cell, const TParametry& record) const;
    // The inverse: value / factor, value / times, or value * over / times.
    double toCell(double value, const TParametry& record) const;
};

inline constexpr Scale kAsTyped{};

struct GridColumn {
    int column = 0;
    const char* header = "";              // row 0, exactly as the program writes it
    const char* key = "";                 // the cell's name in files
    const char* code = "";                // the record field or state element it fills; "" for none
    double TParametry::*field = nullptr;  // fills a number of the record
    void (*readSwitch)(TParametry&, std::string_view) = nullptr;  // or a switch of the record
    int element = 0;                                              // or element 1..20 of the initial state
    Scale scale{};
    const char* unit = "";     // of the value the computation works with
    const char* meaning = "";  // one line
    const char* symbol = "";   // as docs/model.md writes it (TeX)
};

using ColumnTable = std::span<const GridColumn>;

// The tables, each in the order the computation reads its grid.
extern const ColumnTable kGeneratorTable;    // siatka: 10..37 (and the set's name), then 0..7
extern const ColumnTable kControlTable;      // siatkaPraca: 0, 1, 2, 8..13
extern const ColumnTable kInitialTable;      // war_pocz: 0..19, element c + 1 in column c
extern const ColumnTable kPss2aTable;        // Siatka_PSS with a PSS2A set: 0..16
extern const ColumnTable kSingleInputTable;  // Siatka_PSS with the single-input set: 0..6
extern const ColumnTable kSteadyStateTable;  // zadanystanustalony: the given point 0..3, checks 4..7
inline constexpr std::size_t kSteadyStateInputs = 4;

// The table of a grid; `Siatka_PSS` by the stabilizer order loaded (none for another order).
ColumnTable columnTable(GridId grid, std::uint8_t pssOrder);

// The entry of that column, or of that key, or nullptr.
const GridColumn* columnAt(ColumnTable table, int column);
const GridColumn* columnNamed(ColumnTable table, std::string_view key);
// The column that fills that field of the record (-1 for none).
int columnOf(ColumnTable table, double TParametry::*field);

// A cell of the value row as messages name it: the grid, the column and the header the program
// writes there, as the runner's cell edits address it ("siatka.28 (Td0\" [s])"); without the
// header for a column the table does not hold.
std::string cellName(GridId grid, int column, std::uint8_t pssOrder);

// Writes the header of every column of the table into row 0.
void writeHeaders(TextGrid& grid, ColumnTable table);

}  // namespace tgsim
