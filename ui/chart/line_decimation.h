#pragma once
// The points a line of the chart is drawn from. A run of millions of steps has thousands of
// points in every pixel column of the plot; the line is drawn from at most the first, the
// lowest, the highest and the last point of each column, in the order of the rows, which
// covers the same pixels of the column as all its points and enters and leaves it at the same
// places. The points are chosen again for every range shown (a zoom) and every plot size.
#include <cstddef>
#include <vector>

#include "driver/chart_quantities.h"

namespace tgsim::chart {

struct LinePoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const LinePoint&) const = default;
};

// The plot on the device: the axes' ranges and the device pixels they cover, mapped as the
// chart library maps them (x on the device = left + (x - xLow) * width / (xHigh - xLow)).
struct PlotWindow {
    double xLow = 0.0, xHigh = 1.0;
    double yLow = 0.0, yHigh = 1.0;
    double left = 0.0;   // device x of xLow
    double width = 0.0;  // device pixels from xLow to xHigh
    bool operator==(const PlotWindow&) const = default;
};

// How finely a line keeps its points.
struct LineDetail {
    int columnsPerPixel = 1;         // columns of first, lowest, highest and last point
    std::size_t everyPointUpTo = 0;  // every point when the range shown has no more rows
    bool operator==(const LineDetail&) const = default;
};
// On screen and in raster pictures: one column per device pixel.
inline constexpr LineDetail kScreenDetail{1, 0};
// Vector pictures can be enlarged: every point of up to 100 000 rows, else 8 columns per pixel.
inline constexpr LineDetail kVectorDetail{8, 100'000};

// The points of quantity k over the rows whose time lies in the window, with the row before
// and the row after it (the line runs on to the plot's edges), values as the chart shows them
// (shownValue), rows whose value is not finite left out. Times must not decrease from row to
// row.
std::vector<LinePoint> linePoints(const ChartRows& rows, int k, const PlotWindow& window, LineDetail detail);

// The line cut to the window widened by its own extent on every side: points beyond are moved
// onto that border, with the points where the line crosses it added, so that the part inside
// is drawn exactly as before while every coordinate handed to the chart library stays within
// a few plot sizes (its paths are limited to int pixel coordinates and dashes are laid out
// along the whole path).
std::vector<LinePoint> clippedToMargin(const std::vector<LinePoint>& line, const PlotWindow& window);

}  // namespace tgsim::chart
