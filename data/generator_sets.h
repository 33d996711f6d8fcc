#pragma once
// The six built-in turbogenerator data sets with their regulator and transformer settings.
#include <array>

#include <string_view>

#include "grids.h"

namespace tgsim {

inline constexpr int kGeneratorSetCount = 6;

struct GeneratorSet {
    const char* menuCaption;                                // the item of menu "Generator"
    std::array<const char*, kGeneratorGridColumns> values;  // row 1 texts (9, 38, 39 empty)
};
extern const std::array<GeneratorSet, kGeneratorSetCount> kGeneratorSets;

// The set of that menu caption, or nullptr.
const GeneratorSet* findGeneratorSet(std::string_view menuCaption);

// Writes the set into the grid: the headers and values of the columns of kGeneratorTable (9, 38
// and 39 stay empty).
void writeGeneratorSet(const GeneratorSet& set, TextGrid& siatka);
// The same for set `number` (1..6); other numbers write nothing.
void Generator(int number, TextGrid& siatka);

}  // namespace tgsim
