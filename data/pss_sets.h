#pragma once
// The built-in stabilizer data sets: three PSS2A settings and one single-input stabilizer.
#include <array>
#include <cstdint>

#include "core/parametry.h"
#include "text_grid.h"

namespace tgsim {

inline constexpr int kPss2aColumns = 25;      // 0..16 written, 17..24 empty
inline constexpr int kSingleInputColumns = 7;

struct PssSet {
    const char* menuCaption;
    std::array<const char*, 17> values;
};

extern const std::array<const char*, 17> kPss2aHeaders;
extern const std::array<PssSet, 3> kPss2aSets;
extern const std::array<const char*, kSingleInputColumns> kSingleInputHeaders;
extern const PssSet kSingleInputSet;  // its first seven values are used

// Loads PSS2A set `number` (1..3): 25 columns, 665 x 71 pixels; returns the order 9.
std::uint8_t PSS2A(int number, TextGrid& grid);
// Loads the single-input set: 7 columns, 458 x 54 pixels; returns the order 4.
std::uint8_t PSS_klas_1(TextGrid& grid);

// The on/off switch: its caption is the stabilizer's state.
inline constexpr const char* kPssOffCaption = "Zal. PSS";  // off; pressing switches on
inline constexpr const char* kPssOnCaption = "Wyl. PSS";   // on

}  // namespace tgsim
