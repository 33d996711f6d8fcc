#include "ui/metafile/paint_style.h"

#include <QGradient>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace tgsim::metafile {
namespace {

// Share of the foreground in Qt's dense patterns Dense1Pattern ... Dense7Pattern.
constexpr double kDensity[7] = {0.94, 0.88, 0.63, 0.5, 0.37, 0.12, 0.06};

std::uint8_t channel(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

QColor mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1 - share)),
                            static_cast<float>(a.greenF() * share + b.greenF() * (1 - share)),
                            static_cast<float>(a.blueF() * share + b.blueF() * (1 - share)),
                            static_cast<float>(a.alphaF() * share + b.alphaF() * (1 - share)));
}

QColor gradientMean(const QGradient& gradient) {
    const QGradientStops stops = gradient.stops();
    if (stops.isEmpty()) return Qt::black;
    if (stops.size() == 1) return stops.front().second;
    double r = 0, g = 0, b = 0, a = 0;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const double span = stops[i].first - stops[i - 1].first;
        const QColor& c0 = stops[i - 1].second;
        const QColor& c1 = stops[i].second;
        r += span * (c0.redF() + c1.redF()) / 2;
        g += span * (c0.greenF() + c1.greenF()) / 2;
        b += span * (c0.blueF() + c1.blueF()) / 2;
        a += span * (c0.alphaF() + c1.alphaF()) / 2;
    }
    const double whole = stops.back().first - stops.front().first;
    if (whole <= 0) return stops.front().second;
    return QColor::fromRgbF(float(r / whole), float(g / whole), float(b / whole), float(a / whole));
}

// The HS_* hatch styles: horizontal, vertical, forward and backward diagonal, cross, diagonal cross.
std::int32_t hatchOf(Qt::BrushStyle style) {
    switch (style) {
    case Qt::HorPattern: return 0;
    case Qt::VerPattern: return 1;
    case Qt::FDiagPattern: return 2;
    case Qt::BDiagPattern: return 3;
    case Qt::CrossPattern: return 4;
    case Qt::DiagCrossPattern: return 5;
    default: return -1;
    }
}

LineStyle lineStyleOf(Qt::PenStyle style) {
    switch (style) {
    case Qt::DashLine: return LineStyle::Dash;
    case Qt::DotLine: return LineStyle::Dot;
    case Qt::DashDotLine: return LineStyle::DashDot;
    case Qt::DashDotDotLine: return LineStyle::DashDotDot;
    default: return LineStyle::Solid;
    }
}

std::uint32_t capAndJoinOf(const QPen& pen) {
    constexpr std::uint32_t kEndcapSquare = 0x100, kEndcapFlat = 0x200;
    constexpr std::uint32_t kJoinBevel = 0x1000, kJoinMiter = 0x2000;
    std::uint32_t bits = 0;
    // Readers draw the standard dash styles with short gaps of their own, which square or round
    // caps would close: dashes get flat ends.
    const bool dashed = pen.style() != Qt::SolidLine && pen.style() != Qt::CustomDashLine;
    if (pen.capStyle() == Qt::FlatCap || dashed)
        bits |= kEndcapFlat;
    else if (pen.capStyle() == Qt::SquareCap)
        bits |= kEndcapSquare;
    if (pen.joinStyle() == Qt::BevelJoin)
        bits |= kJoinBevel;
    else if (pen.joinStyle() == Qt::MiterJoin || pen.joinStyle() == Qt::SvgMiterJoin)
        bits |= kJoinMiter;
    return bits;
}

}  // namespace

bool isGradient(const QBrush& brush) {
    return brush.style() == Qt::LinearGradientPattern || brush.style() == Qt::RadialGradientPattern ||
           brush.style() == Qt::ConicalGradientPattern;
}

QColor representativeColor(const QBrush& brush) {
    const Qt::BrushStyle style = brush.style();
    if (isGradient(brush) && brush.gradient()) return gradientMean(*brush.gradient());
    if (style >= Qt::Dense1Pattern && style <= Qt::Dense7Pattern)
        return mix(brush.color(), Qt::white, kDensity[style - Qt::Dense1Pattern]);
    if (style == Qt::TexturePattern) {
        const QImage texture = brush.textureImage();
        if (texture.isNull()) return brush.color();
        return texture.convertToFormat(QImage::Format_ARGB32)
            .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .pixelColor(0, 0);
    }
    return brush.color();
}

std::optional<Rgb> opaqueColor(const QColor& color, double opacity) {
    const double alpha = color.alphaF() * std::clamp(opacity, 0.0, 1.0);
    if (alpha <= 0.0) return std::nullopt;
    const QColor rgb = color.toRgb();
    auto over = [alpha](double c) { return channel(255.0 * (c * alpha + (1.0 - alpha))); };
    return Rgb{over(rgb.redF()), over(rgb.greenF()), over(rgb.blueF())};
}

double penPixels(const QPen& pen, const QTransform& transform) {
    // A cosmetic pen, and the zero-width hairline, keep their width whatever the transform.
    if (pen.isCosmetic() || pen.widthF() <= 0) return pen.widthF() > 0 ? pen.widthF() : 1.0;
    return pen.widthF() * std::sqrt(std::abs(transform.determinant()));
}

std::vector<double> dashPattern(const QPen& pen, const QTransform& transform) {
    std::vector<double> pattern;
    if (pen.style() != Qt::CustomDashLine) return pattern;
    // Qt measures dashes in pen widths.
    const double width = penPixels(pen, transform);
    for (const qreal length : pen.dashPattern()) pattern.push_back(length * width);
    return pattern;
}

std::optional<PenSpec> penSpec(const QPen& pen, const QTransform& transform, double opacity, int unitsPerPixel) {
    if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush) return std::nullopt;
    const std::optional<Rgb> color = opaqueColor(representativeColor(pen.brush()), opacity);
    if (!color) return std::nullopt;
    PenSpec result;
    result.style = lineStyleOf(pen.style());
    result.capAndJoin = capAndJoinOf(pen);
    result.width =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(penPixels(pen, transform) * unitsPerPixel)));
    result.color = *color;
    return result;
}

std::optional<BrushSpec> brushSpec(const QBrush& brush, double opacity) {
    if (brush.style() == Qt::NoBrush) return std::nullopt;
    const std::optional<Rgb> color = opaqueColor(representativeColor(brush), opacity);
    if (!color) return std::nullopt;
    return BrushSpec{false, hatchOf(brush.style()), *color};
}

}  // namespace tgsim::metafile
