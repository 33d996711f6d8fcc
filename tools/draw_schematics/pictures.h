#pragma once
// The three explanatory pictures of the schematic windows, painted at their final pixel sizes.
#include <QImage>

namespace tgsim::tools {

inline constexpr QSize kNetworkMapSize{589, 800};
inline constexpr QSize kDqCircuitsSize{333, 333};
inline constexpr QSize kPss2aDiagramSize{1200, 400};

QImage drawNetworkMap();
QImage drawDqCircuits();
QImage drawPss2aDiagram();

// A white canvas of the given size with antialiased painting prepared by the caller.
QImage blankPicture(QSize size);

// The sans-serif face used for every label, at a pixel size.
QFont labelFont(int pixelSize, bool bold = false);

}  // namespace tgsim::tools
