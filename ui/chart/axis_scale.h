#pragma once
// Automatic axis scaling of the result chart: the value range of the drawn lines and label
// steps of 1, 2 or 5 times a power of ten.
//
// Whatever the results hold, an axis always gets a finite range of positive extent and a
// label step that the chart library can count through in a bounded number of labels: it lays
// out labels by adding the step to the first label until the range's end, so a step too
// small for the magnitude of the range (one that no longer changes the sum) or a range
// without finite bounds would never end.
namespace tgsim::chart {

// The largest magnitude the chart draws; values beyond are drawn at this bound. It lies far
// beyond any quantity of the machine and keeps every coordinate the chart library derives
// (differences of values, pixel positions) finite.
inline constexpr double kLargestShown = 1e300;
// An axis never shows less than this part of its largest magnitude: its labels (fifteen
// significant digits) and its pixel positions stay distinct, and the chart library, which
// takes a bound that moves by less than 1e-12 of itself for unchanged, sees every zoom.
inline constexpr double kAxisResolution = 1e-10;
// Nor less than this extent (the device's pixels per unit stay finite).
inline constexpr double kSmallestSpan = 1e-290;

// A value as the chart draws it: clamped to +-kLargestShown.
double shownValue(double value);

struct ValueRange {
    double low = 0.0;
    double high = 0.0;
    bool empty = true;

    void include(double value);  // values that are not finite are left out
    void include(const ValueRange& other);
};

// The smallest extent of an axis showing low..high.
double smallestSpan(double low, double high);

// The range an axis shows for `data`: the data itself (within +-kLargestShown), widened around
// a single value (a flat line would otherwise leave the axis without extent) and to at least
// smallestSpan; 0..1 when there is no data at all.
ValueRange axisRange(const ValueRange& data);

// A label step of 1, 2 or 5 times a power of ten giving at most about `wanted` labels over
// `span`, never finer than `minimumStep` (0: no lower limit).
double labelStep(double span, int wanted, double minimumStep);

// The label step of an axis showing low..high and the value the labels count from (the chart
// library's tick anchor): at most about `wanted` labels, a step no finer than `minimumStep`
// nor than kAxisResolution of the range's magnitude, and the anchor 0 unless the range lies
// so far from 0 that counting from there would take more steps than the library counts in an
// int (then the multiple of the step next below the range).
struct AxisTicks {
    double step = 1.0;
    double anchor = 0.0;
};
AxisTicks axisTicks(double low, double high, int wanted, double minimumStep);

}  // namespace tgsim::chart
