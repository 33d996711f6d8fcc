#pragma once
// From device pixels (floating point) to the integer logical units of a metafile: shapes are
// cut to an area whose coordinates fit 16-bit records, rounded, and freed of repeated points.
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QSize>

#include <optional>
#include <vector>

#include "ui/metafile/gdi_objects.h"

namespace tgsim::metafile {

class LogicalMapper {
public:
    LogicalMapper(QSize picture, int unitsPerPixel);

    // Logical units per device pixel: as fine as 16-bit coordinates allow for the picture's size.
    static int unitsPerPixelFor(QSize picture);

    int unitsPerPixel() const { return m_units; }
    QRectF safeArea() const { return m_safe; }
    QPoint point(QPointF device) const;
    // The rectangle in logical units (right and bottom inclusive), cut to the safe area;
    // nothing when it is empty.
    std::optional<QRect> rect(const QRectF& device) const;

    // An open line, cut into the pieces that lie in the safe area.
    std::vector<Polyline> polyline(const QPolygonF& device) const;
    // Closed outlines, each cut to the safe area.
    std::vector<Polyline> polygons(const QList<QPolygonF>& device) const;

private:
    Polyline rounded(const QPolygonF& device) const;

    int m_units;
    QRectF m_safe;
};

}  // namespace tgsim::metafile
