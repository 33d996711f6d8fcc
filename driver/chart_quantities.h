#pragma once
// The seventeen quantities the result chart plots, in relative units, from one result row.
#include <array>
#include <span>
#include <string_view>

#include "core/parametry.h"

namespace tgsim {

inline constexpr int kSeriesCount = 18;  // series 0 ("czas") is never filled
inline constexpr int kQuantityCount = 17;

struct ChartQuantity {
    const char* caption;     // the check box's caption
    const char* csvName;     // the column name in exported chart data
};

// Index k (1..17) is the quantity of check box k; index 0 is the unused time series.
extern const std::array<ChartQuantity, kSeriesCount> kChartQuantities;

// The quantity (1..17) of that check-box caption or CSV column name; 0 for none.
int chartQuantityNamed(std::string_view name);

// y of quantity k (1..17) for result row `row`, with the scale fields of `record`.
double chartValue(int k, std::span<const double, kStateSize> row, const TParametry& record);

}  // namespace tgsim
