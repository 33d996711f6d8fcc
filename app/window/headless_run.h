#pragma once
// The start-up computation on a machine without a screen: the window's own computation, then
// the chart as a picture and the results as a table in the current folder.
namespace tgsim::window {
class TForm1;
}

namespace tgsim::app {

inline constexpr const char* kChartPicture = "tgsim-chart.png";
inline constexpr const char* kResultsTable = "tgsim-results.csv";

// Returns the exit status: 0, or 1 when the computation failed or a file could not be written.
int runHeadless(window::TForm1& form);

}  // namespace tgsim::app
