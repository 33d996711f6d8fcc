#pragma once
// The five input grids of the main window (their columns: data/grid_columns.h).
#include <array>
#include <optional>
#include <string_view>

#include "text_grid.h"

namespace tgsim {

inline constexpr int kControlGridColumns = 17;
inline constexpr int kInitialGridColumns = 30;
inline constexpr int kSteadyStateGridColumns = 8;

inline constexpr int kGeneratorGridColumns = 40;
inline constexpr int kPss2aColumns = 25;  // 0..16 written, 17..24 empty
inline constexpr int kSingleInputColumns = 7;

// The five grids, in the order of their names in kGridNames.
enum class GridId { siatka, siatkaPraca, war_pocz, Siatka_PSS, zadanystanustalony };
inline constexpr int kGridCount = 5;
inline constexpr std::array<std::string_view, kGridCount> kGridNames = {"siatka", "siatkaPraca", "war_pocz",
                                                                        "Siatka_PSS", "zadanystanustalony"};

struct Grids {
    TextGrid siatka{"siatka", kGeneratorGridColumns};
    TextGrid siatkaPraca{"siatkaPraca", kControlGridColumns};
    TextGrid war_pocz{"war_pocz", kInitialGridColumns};
    TextGrid Siatka_PSS{"Siatka_PSS", kPss2aColumns};
    TextGrid zadanystanustalony{"zadanystanustalony", kSteadyStateGridColumns};

    TextGrid& byId(GridId id);
    const TextGrid& byId(GridId id) const;
};

// The grid of that name, if there is one.
std::optional<GridId> gridIdByName(std::string_view name);

// Writes the twenty headers of `war_pocz` row 0.
void writeInitialHeaders(TextGrid& war_pocz);

}  // namespace tgsim
