#pragma once
// Automatic axis scaling of the result chart: the value range of the drawn lines and label
// steps of 1, 2 or 5 times a power of ten.
namespace tgsim::chart {

struct ValueRange {
    double low = 0.0;
    double high = 0.0;
    bool empty = true;

    void include(double value);
    void include(const ValueRange& other);
};

// The range an axis shows for `data`: the data itself, widened around a single value (a flat
// line would otherwise leave the axis without extent), 0..1 when there is no data at all.
ValueRange axisRange(const ValueRange& data);

// A label step of 1, 2 or 5 times a power of ten giving at most about `wanted` labels over
// `span`, never finer than `minimumStep` (0: no lower limit).
double labelStep(double span, int wanted, double minimumStep);

}  // namespace tgsim::chart
