#pragma once
// The seventeen quantities the result chart plots, in relative units, from one result row.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "core/model/parameter_record.h"
#include "core/numerics/result_matrix.h"

namespace tgsim {

inline constexpr int kSeriesCount = 18;  // series 0 ("czas") is never filled
inline constexpr int kQuantityCount = 17;

struct ChartQuantity {
    const char* caption;  // the check box's caption
    const char* csvName;  // the column name in exported chart data
};

// Index k (1..17) is the quantity of check box k; index 0 is the unused time series.
extern const std::array<ChartQuantity, kSeriesCount> kChartQuantities;

// The quantity (1..17) of that check-box caption or CSV column name; 0 for none.
int chartQuantityNamed(std::string_view name);

// y of quantity k (1..17) for result row `row`, with the scale fields of `record`.
double chartValue(int k, std::span<const double, kStateSize> row, const TParametry& record);

// The rows the chart plots together with the record of the computation that stored them: every
// reader of chart values (the chart, its picture, the exported quantities) goes through this,
// so that no record read since (a later, perhaps failed, computation) rescales old rows.
class ChartRows {
public:
    ChartRows() = default;
    ChartRows(const ResultMatrix& results, std::size_t count, const TParametry& record)
        : results_(&results), count_(count), record_(&record) {}

    std::size_t size() const { return count_; }
    double time(std::size_t i) const { return results_->row(i)[kT]; }
    double value(int k, std::size_t i) const { return chartValue(k, results_->row(i), *record_); }
    const TParametry& record() const { return *record_; }
    // Not below the magnitude of any value in the rows.
    double largestMagnitude() const { return results_->largestMagnitude(); }

private:
    const ResultMatrix* results_ = nullptr;
    std::size_t count_ = 0;
    const TParametry* record_ = nullptr;
};

// Throws the first floating-point fault (by row, then by quantity) that computing the seventeen
// quantities of the rows raises, as a Failure with the system's message. Rows whose largest
// magnitude and scales show that no quantity can fault are not read again.
void checkChartValues(const ChartRows& rows);

}  // namespace tgsim
