#pragma once
// A chart set up like the main window's result chart: 705 x 489 pixels, a background running
// from white on the right into light yellow on the left, axis titles in Times New Roman, no
// legend, and lines in the colours and dash styles of the quantities.
#include <QChartView>
#include <QByteArray>
#include <QColor>
#include <QRectF>

#include <memory>
#include <vector>

namespace tgsim::testing {

struct ChartLine {
    QColor color;
    Qt::PenStyle style;
};

// The lines drawn by default by the fixture: distinct colours, some dashed.
const std::vector<ChartLine>& fixtureLines();

// withLines false gives the empty frame with axes and titles, as before any computation.
std::unique_ptr<QChartView> makeResultChart(bool withLines = true);

// The fixture chart saved once in both metafile formats, with its plot area in pixels.
struct SavedChart {
    QByteArray wmf, emf;
    QRectF plotArea;
};
const SavedChart& savedChart();

// Logical units per pixel of a placeable WMF: its units per inch over 96 pixels per inch.
int unitsPerPixel(const QByteArray& wmf);

}  // namespace tgsim::testing
