#pragma once
// The start-up computation on a machine without a screen: the runner's steps as the window
// would run them (the computation, then the chart as a picture and the results as a table in
// the current folder), without showing any window.
namespace tgsim::app {

inline constexpr const char* kChartPicture = "tgsim-chart.png";
inline constexpr const char* kResultsTable = "tgsim-results.csv";

// Lists the files written on standard output; returns the exit status: 0, or 1 when the
// computation failed (nothing is written then) or a file could not be written.
int runHeadless();

}  // namespace tgsim::app
