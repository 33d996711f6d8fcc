#pragma once
// The table of a study: one CSV line per point, in point order. Numbers are written so that
// they read back to the same double; the sweeps' values (the cell texts) and messages are text,
// in double quotes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "driver/study/study_plan.h"

namespace tgsim {

// The figures of a point, in the order of their columns. The last two (the modes) are columns
// only when the study asks for the modes.
inline constexpr std::array<const char*, 13> kFigureNames = {
    "P_final",         "Q_final",   "Ug_final",       "w_final",         "delta_final",    "P_min",           "P_max",
    "delta_swing_max", "pole_slip", "P_frequency_hz", "P_damping_ratio", "modes_max_real", "em_damping_ratio"};
inline constexpr std::size_t kPoleSlip = 8;
inline constexpr std::size_t kPFrequencyHz = 9;
inline constexpr std::size_t kPDampingRatio = 10;
inline constexpr std::size_t kModesMaxReal = 11;
inline constexpr std::size_t kEmDampingRatio = 12;

// A figure that could not be had (a failed point, no computation, no oscillation) is unset.
using Figures = std::array<std::optional<double>, kFigureNames.size()>;

std::size_t figureCount(bool modes);
std::optional<std::size_t> figureIndex(std::string_view name);
std::string figureList();  // the names, joined by ", "

struct PointRow {
    std::uint64_t point = 0;
    bool failed = false;
    std::string message;  // the failing step's message, or why an analysis gave no figures
    Figures figures;
};

// The header line and a point's line, each ending in a line feed.
std::string tableHeader(const StudyOptions& study);
std::string tableRow(const StudyOptions& study, const PointRow& row);

// Text as a CSV field: in double quotes, quotes doubled; line breaks become blanks, so that each
// row stays one line (shards' tables are joined line by line).
std::string csvText(std::string_view text);

}  // namespace tgsim
