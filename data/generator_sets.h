#pragma once
// The six built-in turbogenerator data sets with their regulator and transformer settings.
#include <array>

#include "text_grid.h"

namespace tgsim {

inline constexpr int kGeneratorGridColumns = 40;
inline constexpr int kGeneratorSetCount = 6;

// Header texts of `siatka`, columns 0..39 (9, 38 and 39 empty).
extern const std::array<const char*, kGeneratorGridColumns> kGeneratorHeaders;

struct GeneratorSet {
    const char* menuCaption;  // the item of menu "Generator"
    std::array<const char*, kGeneratorGridColumns> values;  // row 1 texts (9, 38, 39 empty)
};
extern const std::array<GeneratorSet, kGeneratorSetCount> kGeneratorSets;

// Writes set `number` (1..6) into the grid: headers and values of columns 10..37, then 0..8.
// Shows the grid; touches nothing else.
void Generator(int number, TextGrid& siatka);

}  // namespace tgsim
