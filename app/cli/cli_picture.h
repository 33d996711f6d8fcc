#pragma once
// The chart as the window would draw it after the steps, saved as a picture (--picture).
#include <memory>
#include <string>

class QApplication;

namespace tgsim {
class Session;
}

namespace tgsim::cli {

// Renders the session's chart and writes it in the format its extension names; throws
// tgsim::Failure when it cannot. Without a Qt application, makes one for the drawing: off screen, with a
// private runtime folder unless the environment names its own. `legend`: with the chart's legend.
void writeChartPicture(const Session& session, const std::string& fileName, bool legend = false);

// A Qt application for drawing (off screen, with a private runtime folder unless the environment
// names its own), or null when one exists already. Made on the main thread only, and kept while
// drawing.
std::unique_ptr<QApplication> applicationForDrawing();

}  // namespace tgsim::cli
