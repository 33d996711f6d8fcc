#include "grids.h"

namespace tgsim {

TextGrid* Grids::byName(std::string_view name) {
    for (TextGrid* grid : all())
        if (grid->name() == name) return grid;
    return nullptr;
}

void writeInitialHeaders(TextGrid& war_pocz) {
    for (int column = 0; column < 20; ++column) war_pocz.setCell(column, 0, kInitialHeaders[static_cast<std::size_t>(column)]);
}

}  // namespace tgsim
