#pragma once
// The built-in stabilizer data sets: three PSS2A settings and one single-input stabilizer.
#include <array>
#include <cstdint>

#include "core/model/parameter_record.h"
#include <string_view>

#include "grids.h"

namespace tgsim {

struct PssSet {
    const char* menuCaption;
    std::array<const char*, 17> values;
};

extern const std::array<PssSet, 3> kPss2aSets;
extern const PssSet kSingleInputSet;  // its first seven values are used

// The PSS2A set of that menu caption, or nullptr.
const PssSet* findPss2aSet(std::string_view menuCaption);

// Loads a PSS2A set (25 columns); returns the order 9.
std::uint8_t writePss2aSet(const PssSet& set, TextGrid& grid);
// The same for PSS2A set `number` (1..3); other numbers only make the 25 columns.
std::uint8_t PSS2A(int number, TextGrid& grid);
// Loads the single-input set (7 columns); returns the order 4.
std::uint8_t PSS_klas_1(TextGrid& grid);

// The captions of the on/off switch, which show the stabilizer's state.
inline constexpr const char* kPssOffCaption = "Zal. PSS";  // off; pressing switches on
inline constexpr const char* kPssOnCaption = "Wyl. PSS";   // on
constexpr const char* pssSwitchCaption(bool stabilizerOn) { return stabilizerOn ? kPssOnCaption : kPssOffCaption; }

}  // namespace tgsim
