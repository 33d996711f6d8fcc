#pragma once
// The three explanatory pictures of the schematic windows, painted at their final pixel sizes.
#include <QImage>

class QPainter;

namespace tgsim::tools {

inline constexpr QSize kNetworkMapSize{589, 800};
inline constexpr QSize kDqCircuitsSize{333, 333};
inline constexpr QSize kPss2aDiagramSize{1200, 400};

QImage drawNetworkMap();
QImage drawDqCircuits();
QImage drawPss2aDiagram();

// A white canvas of the given size.
QImage blankPicture(QSize size);

// Antialiased lines and text, as every picture is painted.
void prepareSmoothPainting(QPainter& painter);

// The sans-serif face used for every label, at a pixel size.
QFont labelFont(int pixelSize, bool bold = false);

}  // namespace tgsim::tools
