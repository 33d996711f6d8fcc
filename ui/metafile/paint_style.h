#pragma once
// Qt pens and brushes as metafile pens and brushes. Metafiles have no transparency: a colour with
// alpha is composed over white, a fully transparent one draws nothing.
#include <QBrush>
#include <QColor>
#include <QPen>
#include <QTransform>

#include <optional>
#include <vector>

#include "ui/metafile/gdi_objects.h"

namespace tgsim::metafile {

// The single colour that best stands for a brush (a gradient's mean, a pattern's density).
QColor representativeColor(const QBrush& brush);

// Nothing when the colour, after the painter's opacity, is fully transparent.
std::optional<Rgb> opaqueColor(const QColor& color, double opacity);

bool isGradient(const QBrush& brush);

// Nothing for a pen that draws nothing. A pen with its own dash pattern becomes a solid pen:
// its dashes are drawn one by one (see dashPattern).
std::optional<PenSpec> penSpec(const QPen& pen, const QTransform& transform, double opacity, int unitsPerPixel);

// The width the pen draws with, in device pixels.
double penPixels(const QPen& pen, const QTransform& transform);

// A custom dash pattern in device pixels, alternately dash and gap; empty for other pens.
std::vector<double> dashPattern(const QPen& pen, const QTransform& transform);

// Solid or hatched brushes; gradients are drawn in bands elsewhere. Nothing for a brush that
// fills nothing.
std::optional<BrushSpec> brushSpec(const QBrush& brush, double opacity);

inline BrushSpec hollowBrush() { return BrushSpec{true, -1, Rgb{}}; }
inline PenSpec nullPen() { return PenSpec{LineStyle::None, 0, 0, Rgb{}}; }

}  // namespace tgsim::metafile
