#pragma once
// Drawing without a window: the session's chart as the window would draw it, saved as a picture,
// and the Qt application such drawing needs when no window runs.
#include <memory>
#include <string>

class QApplication;

namespace tgsim {
class Session;
}

namespace tgsim::chart {

// Renders the session's chart and writes it in the format its extension names; throws
// tgsim::Failure when it cannot. Without a Qt application, makes one for the drawing: off screen, with a
// private runtime folder unless the environment names its own. `legend`: with the chart's legend.
void writeChartPicture(const Session& session, const std::string& fileName, bool legend = false);

// A Qt application for drawing (off screen, with a private runtime folder unless the environment
// names its own), or null when one exists already. Made on the main thread only, and kept while
// drawing.
std::unique_ptr<QApplication> applicationForDrawing();

}  // namespace tgsim::chart
