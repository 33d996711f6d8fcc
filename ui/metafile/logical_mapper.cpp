#include "ui/metafile/logical_mapper.h"

#include <algorithm>
#include <cmath>

namespace tgsim::metafile {
namespace {

// Room left around the largest coordinate, so that pens and rounding stay inside 16 bits.
constexpr double kLargestCoordinate = 32000.0;
constexpr int kFinestUnits = 20;

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// Liang-Barsky: the part of the segment a-b inside the rectangle, if any. A segment with an
// endpoint at infinity or not a number has no drawable part.
std::optional<std::pair<QPointF, QPointF>> clipSegment(QPointF a, QPointF b, const QRectF& box) {
    if (!finite(a) || !finite(b)) return std::nullopt;
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return std::nullopt;
    }
    return std::make_pair(QPointF(a.x() + t0 * dx, a.y() + t0 * dy), QPointF(a.x() + t1 * dx, a.y() + t1 * dy));
}

}  // namespace

LogicalMapper::LogicalMapper(QSize picture, int unitsPerPixel) : m_units(unitsPerPixel) {
    const double reach = kLargestCoordinate / unitsPerPixel;
    // The safe area reaches as far beyond the picture on each side as 16 bits permit.
    const double marginX = std::max(0.0, reach - picture.width());
    const double marginY = std::max(0.0, reach - picture.height());
    m_safe = QRectF(-marginX, -marginY, picture.width() + 2 * marginX, picture.height() + 2 * marginY);
}

int LogicalMapper::unitsPerPixelFor(QSize picture) {
    const int largest = std::max({picture.width(), picture.height(), 1});
    return std::clamp(static_cast<int>(kLargestCoordinate / (2.0 * largest)), 1, kFinestUnits);
}

QPoint LogicalMapper::point(QPointF device) const {
    // Points outside the safe area (text placed far away) are pinned to its edge.
    auto coordinate = [this](double pixels) {
        if (!std::isfinite(pixels)) return 0;
        const double units = std::clamp(pixels * m_units, -kLargestCoordinate, kLargestCoordinate);
        return static_cast<int>(std::lround(units));
    };
    return QPoint(coordinate(device.x()), coordinate(device.y()));
}

std::optional<QRect> LogicalMapper::rect(const QRectF& device) const {
    const QRectF cut = device.normalized().intersected(m_safe);
    if (cut.isEmpty()) return std::nullopt;
    const QPoint topLeft = point(cut.topLeft());
    const QPoint bottomRight = point(cut.bottomRight()) - QPoint(1, 1);
    if (bottomRight.x() < topLeft.x() || bottomRight.y() < topLeft.y()) return std::nullopt;
    return QRect(topLeft, bottomRight);
}

Polyline LogicalMapper::rounded(const QPolygonF& device) const {
    Polyline out;
    out.reserve(static_cast<std::size_t>(device.size()));
    for (const QPointF& p : device) {
        const QPoint q = point(p);
        if (out.empty() || out.back() != q) out.push_back(q);
    }
    return out;
}

std::vector<Polyline> LogicalMapper::polyline(const QPolygonF& device) const {
    std::vector<Polyline> pieces;
    if (device.size() < 2) return pieces;
    if (m_safe.contains(device.boundingRect())) {
        Polyline line = rounded(device);
        if (line.size() == 1) line.push_back(line.front());  // a dot still shows the pen
        pieces.push_back(std::move(line));
        return pieces;
    }
    QPolygonF current;
    for (qsizetype i = 1; i < device.size(); ++i) {
        const auto part = clipSegment(device[i - 1], device[i], m_safe);
        if (!part) continue;
        if (current.isEmpty() || current.last() != part->first) {
            if (current.size() >= 2) pieces.push_back(rounded(current));
            current = QPolygonF{part->first};
        }
        current << part->second;
    }
    if (current.size() >= 2) pieces.push_back(rounded(current));
    return pieces;
}

std::vector<Polyline> LogicalMapper::polygons(const QList<QPolygonF>& device) const {
    std::vector<Polyline> out;
    const QPolygonF safe(m_safe);
    for (QPolygonF polygon : device) {
        polygon.erase(std::remove_if(polygon.begin(), polygon.end(), [](QPointF p) { return !finite(p); }),
                      polygon.end());
        if (!m_safe.contains(polygon.boundingRect())) polygon = polygon.intersected(safe);
        Polyline outline = rounded(polygon);
        while (outline.size() > 1 && outline.back() == outline.front()) outline.pop_back();
        if (outline.size() >= 3) out.push_back(std::move(outline));
    }
    return out;
}

}  // namespace tgsim::metafile
