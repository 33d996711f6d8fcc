#pragma once
// The chart as the window would draw it after the steps, saved as a picture (--picture).
#include <string>

namespace tgsim {
class Session;
}

namespace tgsim::cli {

// Renders the session's chart and writes it in the format its extension names; throws
// tgsim::Failure when it cannot. Without a Qt application, makes one for the drawing: off screen, with a
// private runtime folder unless the environment names its own. `legend`: with the chart's legend.
void writeChartPicture(const Session& session, const std::string& fileName, bool legend = false);

}  // namespace tgsim::cli
