#pragma once
// The result chart saved as a picture: the window's chart, or the session's chart as the window
// draws it (its size, its filled lines, the kept runs' lines), rendered without showing any window.
#include <QString>
#include <optional>

#include "ui/metafile/chart_picture.h"

namespace tgsim {
class Session;
}

namespace tgsim::chart {

class ResultChart;

// Raster pictures (PNG) show the lines exactly as the screen does; vector pictures (WMF, EMF,
// SVG, PDF), which can be enlarged, with their finer detail (kVectorDetail). Without a format
// the file's extension chooses it. Throws tgsim::Failure as saveChartPicture does.
void saveResultChart(ResultChart& chart, const QString& fileName, std::optional<PictureFormat> format = std::nullopt);

// The session's chart as the window draws it, in the format's detail; the caller writes the
// bytes (under a name of its own bytes). Needs a QApplication. `legend`: with the chart's legend.
QByteArray renderSessionChart(const Session& session, PictureFormat format, bool legend = false);

}  // namespace tgsim::chart
