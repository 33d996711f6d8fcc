#pragma once
// The independent metafile readers the tests render with: Inkscape (WMF and EMF) and wmf2svg of
// libwmf (WMF). Each gives a picture, or an explanation of why it could not.
#include <QImage>
#include <QString>

#include <optional>

namespace tgsim::testing {

// Pictures are drawn at three times the chart's resolution, so that a line one pixel wide
// keeps pixels of its own colour however the reader smooths its edges.
inline constexpr int kReaderScale = 3;

struct ReaderResult {
    QImage picture;   // null when the reader failed; kReaderScale pixels per chart pixel
    QString problem;  // why, when it failed
};

// Nothing when the program is not installed.
std::optional<QString> findReader(const QString& program);

// Inkscape's rendering of a WMF or EMF file to PNG at its own idea of the picture's size.
ReaderResult renderWithInkscape(const QString& metafile);

// wmf2svg's natural picture size (its SVG's width and height), the size of its picture fitted
// into fit, and that picture drawn with Qt's SVG renderer.
struct Wmf2SvgResult {
    QSize natural;
    QSize fittedSize;
    ReaderResult fitted;
};
Wmf2SvgResult renderWithWmf2Svg(const QString& wmf, QSize fit);

// Pixels inside area whose channels are all within tolerance of color.
int countPixels(const QImage& picture, const QColor& color, const QRect& area, int tolerance);

}  // namespace tgsim::testing
