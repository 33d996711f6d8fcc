#include "grids.h"

#include "grid_columns.h"

namespace tgsim {

TextGrid& Grids::byId(GridId id) { return const_cast<TextGrid&>(static_cast<const Grids&>(*this).byId(id)); }

const TextGrid& Grids::byId(GridId id) const {
    switch (id) {
    case GridId::siatka: return siatka;
    case GridId::siatkaPraca: return siatkaPraca;
    case GridId::war_pocz: return war_pocz;
    case GridId::Siatka_PSS: return Siatka_PSS;
    case GridId::zadanystanustalony: break;
    }
    return zadanystanustalony;
}

std::optional<GridId> gridIdByName(std::string_view name) {
    for (std::size_t i = 0; i < kGridNames.size(); ++i)
        if (kGridNames[i] == name) return static_cast<GridId>(i);
    return std::nullopt;
}

void writeInitialHeaders(TextGrid& war_pocz) { writeHeaders(war_pocz, kInitialTable); }

}  // namespace tgsim
