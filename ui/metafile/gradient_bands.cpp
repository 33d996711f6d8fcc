#include "ui/metafile/gradient_bands.h"

#include <QGradient>
#include <QLineF>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "ui/metafile/paint_style.h"

namespace tgsim::metafile {
namespace {

constexpr int kMostBands = 512;
constexpr double kSmallestBandPixels = 2.0;
// Each band reaches a quarter band into the next, which is drawn over it: no seams show where
// a reader smooths the edges.
constexpr double kOverlap = 0.25;

struct Span {
    double from, to;
    QColor color;
};

double spread(QGradient::Spread mode, double t) {
    switch (mode) {
    case QGradient::RepeatSpread: return t - std::floor(t);
    case QGradient::ReflectSpread: {
        const double m = std::fmod(std::abs(t), 2.0);
        return m > 1.0 ? 2.0 - m : m;
    }
    default: return std::clamp(t, 0.0, 1.0);
    }
}

QTransform gradientToDevice(const QBrush& brush, const QRectF& object, const QTransform& painter, QSizeF device) {
    const QTransform box(object.width(), 0, 0, object.height(), object.x(), object.y());
    switch (brush.gradient()->coordinateMode()) {
    case QGradient::ObjectBoundingMode: return box * brush.transform() * painter;
    case QGradient::ObjectMode: return brush.transform() * box * painter;
    case QGradient::StretchToDeviceMode:
        return brush.transform() * QTransform::fromScale(device.width(), device.height());
    default: return brush.transform() * painter;
    }
}

// Bands per unit of t: enough that neighbouring bands differ by about two colour levels.
double bandsPerUnit(const QGradient& gradient, double unitPixels) {
    const QGradientStops stops = gradient.stops();
    int levels = 0;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const QColor a = stops[i - 1].second, b = stops[i].second;
        levels += std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue()),
                            std::abs(a.alpha() - b.alpha())});
    }
    const double wanted = std::max(1.0, levels / 2.0);
    return std::max(1.0, std::min(wanted, unitPixels / kSmallestBandPixels));
}

// The spans of t from low to high with their colours, neighbours of one colour merged.
std::vector<Span> plan(const QGradient& gradient, double low, double high, double perUnit) {
    std::vector<Span> spans;
    auto add = [&](double from, double to, const QColor& color) {
        if (to <= from) return;
        if (!spans.empty() && spans.back().color == color)
            spans.back().to = to;
        else
            spans.push_back({from, to, color});
    };
    const bool pad = gradient.spread() == QGradient::PadSpread;
    const double inner0 = pad ? std::max(low, 0.0) : low;
    const double inner1 = pad ? std::min(high, 1.0) : high;
    if (pad && low < 0.0) add(low, std::min(high, 0.0), colorAt(gradient, 0.0));
    if (inner1 > inner0) {
        double step = 1.0 / perUnit;
        const double count = std::ceil((inner1 - inner0) / step);
        if (count > kMostBands) step = (inner1 - inner0) / kMostBands;
        for (double t = inner0; t < inner1; t += step) {
            const double to = std::min(t + step, inner1);
            add(t, to, colorAt(gradient, (t + to) / 2));
        }
    }
    if (pad && high > 1.0) add(std::max(low, 1.0), high, colorAt(gradient, 1.0));
    return spans;
}

std::vector<ColorBand> clipBands(std::vector<ColorBand> bands, const QPainterPath& shape) {
    std::vector<ColorBand> kept;
    for (ColorBand& band : bands) {
        QPainterPath area = band.area.intersected(shape);
        if (!area.isEmpty()) kept.push_back({std::move(area), band.color});
    }
    return kept;
}

std::vector<ColorBand> linearBands(const QLinearGradient& gradient, const QTransform& toDevice,
                                   const QPainterPath& shape) {
    const QPointF s = gradient.start();
    const QPointF d = gradient.finalStop() - s;
    const double length2 = QPointF::dotProduct(d, d);
    bool invertible = false;
    const QTransform toGradient = toDevice.inverted(&invertible);
    if (length2 <= 1e-18 || !invertible) return {{shape, representativeColor(QBrush(gradient))}};

    const QPointF across = QPointF(-d.y(), d.x()) / std::sqrt(length2);
    const QRectF bounds = shape.boundingRect().adjusted(-1, -1, 1, 1);
    double tLow = 1e300, tHigh = -1e300, vLow = 1e300, vHigh = -1e300;
    for (const QPointF& corner : {bounds.topLeft(), bounds.topRight(), bounds.bottomLeft(), bounds.bottomRight()}) {
        const QPointF g = toGradient.map(corner) - s;
        const double t = QPointF::dotProduct(g, d) / length2;
        const double v = QPointF::dotProduct(g, across);
        tLow = std::min(tLow, t), tHigh = std::max(tHigh, t);
        vLow = std::min(vLow, v), vHigh = std::max(vHigh, v);
    }
    const double unitPixels = QLineF(toDevice.map(s), toDevice.map(s + d)).length();
    const std::vector<Span> spans = plan(gradient, tLow, tHigh, bandsPerUnit(gradient, unitPixels));
    std::vector<ColorBand> bands;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const double to = i + 1 < spans.size() ? spans[i].to + kOverlap * (spans[i].to - spans[i].from) : spans[i].to;
        const QPointF a = s + d * spans[i].from, b = s + d * to;
        QPainterPath strip;
        strip.addPolygon(
            toDevice.map(QPolygonF{a + across * vLow, b + across * vLow, b + across * vHigh, a + across * vHigh}));
        strip.closeSubpath();
        bands.push_back({strip, spans[i].color});
    }
    return clipBands(std::move(bands), shape);
}

std::vector<ColorBand> radialBands(const QRadialGradient& gradient, const QTransform& toDevice,
                                   const QPainterPath& shape) {
    const QPointF c = gradient.center();
    const double r = gradient.radius();
    bool invertible = false;
    const QTransform toGradient = toDevice.inverted(&invertible);
    if (r <= 0 || !invertible) return {{shape, representativeColor(QBrush(gradient))}};

    const QRectF bounds = shape.boundingRect().adjusted(-1, -1, 1, 1);
    const QRectF gradientBounds = toGradient.mapRect(bounds);
    double tHigh = 0;
    for (const QPointF& corner : {gradientBounds.topLeft(), gradientBounds.topRight(), gradientBounds.bottomLeft(),
                                  gradientBounds.bottomRight()})
        tHigh = std::max(tHigh, QLineF(c, corner).length() / r);
    const double unitPixels = QLineF(toDevice.map(c), toDevice.map(c + QPointF(r, 0))).length();
    const std::vector<Span> spans = plan(gradient, 0.0, tHigh, bandsPerUnit(gradient, unitPixels));
    std::vector<ColorBand> bands;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const bool last = i + 1 == spans.size();
        const double to = spans[i].to + kOverlap * (spans[i].to - spans[i].from);
        QPainterPath ring;
        if (last)
            ring.addRect(gradientBounds.united(QRectF(c, c)).adjusted(-r, -r, r, r));
        else
            ring.addEllipse(c, to * r, to * r);
        if (spans[i].from > 0) {
            QPainterPath hole;
            hole.addEllipse(c, spans[i].from * r, spans[i].from * r);
            ring = ring.subtracted(hole);
        }
        bands.push_back({toDevice.map(ring), spans[i].color});
    }
    return clipBands(std::move(bands), shape);
}

}  // namespace

QColor colorAt(const QGradient& gradient, double t) {
    const QGradientStops stops = gradient.stops();
    if (stops.isEmpty()) return Qt::black;
    const double at = spread(gradient.spread(), t);
    if (at <= stops.front().first) return stops.front().second;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        if (at > stops[i].first) continue;
        const double span = stops[i].first - stops[i - 1].first;
        const double share = span > 0 ? (at - stops[i - 1].first) / span : 1.0;
        const QColor a = stops[i - 1].second, b = stops[i].second;
        auto lerp = [share](float x, float y) { return static_cast<float>(x + (y - x) * share); };
        return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()), lerp(a.blueF(), b.blueF()),
                                lerp(a.alphaF(), b.alphaF()));
    }
    return stops.back().second;
}

std::vector<ColorBand> gradientBands(const QBrush& brush, const QPainterPath& shape, const QTransform& transform,
                                     QSizeF device) {
    const QPainterPath deviceShape = transform.map(shape);
    if (deviceShape.isEmpty() || !brush.gradient()) return {};
    const QTransform toDevice = gradientToDevice(brush, shape.boundingRect(), transform, device);
    switch (brush.style()) {
    case Qt::LinearGradientPattern:
        return linearBands(*static_cast<const QLinearGradient*>(brush.gradient()), toDevice, deviceShape);
    case Qt::RadialGradientPattern:
        return radialBands(*static_cast<const QRadialGradient*>(brush.gradient()), toDevice, deviceShape);
    default:
        // A conical gradient is drawn in its mean colour.
        return {{deviceShape, representativeColor(brush)}};
    }
}

}  // namespace tgsim::metafile
