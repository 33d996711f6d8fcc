#pragma once
// The start-up computation on a machine without a screen: the computation, then the results as a
// table and the chart as a picture in the current folder, without showing any window.
namespace tgsim::app {

inline constexpr const char* kChartPicture = "tgsim-chart.png";
inline constexpr const char* kResultsTable = "tgsim-results.csv";

// Lists the files written on standard output; returns the exit status: 0, or 1 when the
// computation failed (nothing is written then) or a file could not be written.
int runHeadless();

}  // namespace tgsim::app
