#pragma once
// The main window's result chart (the real one: its size, background, fonts, axes and the pens
// of the quantities) holding wavy, well-separated lines in several colours and dash styles.
#include <QByteArray>
#include <QChartView>
#include <QColor>
#include <QRectF>

#include <memory>
#include <vector>

namespace tgsim::testing {

struct ChartLine {
    QColor color;
    Qt::PenStyle style;
};

// The lines the fixture draws: their colours and dash styles as the chart gives them.
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
