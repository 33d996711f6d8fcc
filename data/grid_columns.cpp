#include "grid_columns.h"

namespace tgsim {

double Scale::toPhysical(double cell, const TParametry& r) const {
    if (times && over) return cell * (r.*times) / (r.*over);
    if (times) return cell * (r.*times);
    return factor == 1.0 ? cell : cell * factor;
}

double Scale::toCell(double value, const TParametry& r) const {
    if (times && over) return value * (r.*over) / (r.*times);
    if (times) return value / (r.*times);
    return factor == 1.0 ? value : value / factor;
}

ColumnTable columnTable(GridId grid, std::uint8_t pssOrder) {
    switch (grid) {
    case GridId::siatka: return kGeneratorTable;
    case GridId::siatkaPraca: return kControlTable;
    case GridId::war_pocz: return kInitialTable;
    case GridId::Siatka_PSS:
        return pssOrder == kPss2aOrder         ? kPss2aTable
               : pssOrder == kSingleInputOrder ? kSingleInputTable
                                               : ColumnTable{};
    case GridId::zadanystanustalony: break;
    }
    return kSteadyStateTable;
}

const GridColumn* columnAt(ColumnTable table, int column) {
    for (const GridColumn& c : table)
        if (c.column == column) return &c;
    return nullptr;
}

const GridColumn* columnNamed(ColumnTable table, std::string_view key) {
    for (const GridColumn& c : table)
        if (key == c.key) return &c;
    return nullptr;
}

int columnOf(ColumnTable table, double TParametry::*field) {
    for (const GridColumn& c : table)
        if (c.field == field) return c.column;
    return -1;
}

std::string cellName(GridId grid, int column, std::uint8_t pssOrder) {
    std::string name = std::string(kGridNames[static_cast<std::size_t>(grid)]) + '.' + std::to_string(column);
    if (const GridColumn* c = columnAt(columnTable(grid, pssOrder), column))
        name += std::string(" (") + c->header + ')';
    return name;
}

void writeHeaders(TextGrid& grid, ColumnTable table) {
    for (const GridColumn& c : table) grid.setCell(c.column, 0, c.header);
}

}  // namespace tgsim
