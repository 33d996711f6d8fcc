#pragma once
// Metafiles fill only with plain colours, so a gradient fill becomes a run of bands, each a
// plain colour: strips across a linear gradient, rings of a radial one.
#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QSizeF>
#include <QTransform>

#include <vector>

namespace tgsim::metafile {

struct ColorBand {
    QPainterPath area;  // device pixels
    QColor color;
};

// shape: the filled shape in logical coordinates; transform: logical to device pixels;
// device: the picture's size, for gradients stretched to the device.
std::vector<ColorBand> gradientBands(const QBrush& brush, const QPainterPath& shape, const QTransform& transform,
                                     QSizeF device);

// The colour of a gradient's stops at position t, spread as the gradient says.
QColor colorAt(const QGradient& gradient, double t);

}  // namespace tgsim::metafile
