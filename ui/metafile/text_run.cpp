#include "ui/metafile/text_run.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineF>
#include <QPolygonF>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace tgsim::metafile {
namespace {

bool isGenericFamily(const QString& family) {
    static const QStringList generic = {"",          "sans serif", "sans-serif", "sans",     "serif",
                                        "monospace", "mono",       "system-ui",  "helvetica"};
    return generic.contains(family.trimmed().toLower());
}

// Pixel size of the font's em as the font engine of the text item drew it. The ascent and
// descent of the item scale with it, which also covers text laid out at another resolution.
double emPixels(const QTextItem& item) {
    const QFont font = item.font();
    const QFontMetricsF metrics(font);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const double nominal = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0;
    const double drawn = item.ascent() + item.descent();
    const double measured = metrics.ascent() + metrics.descent();
    if (drawn <= 0 || measured <= 0) return nominal;
    return nominal * drawn / measured;
}

}  // namespace

QString faceName(const QFont& font) {
    const QStringList families = font.families();
    const QString requested = families.isEmpty() ? font.family() : families.front();
    if (!isGenericFamily(requested)) return requested;
    return QFontInfo(font).family();
}

std::vector<double> characterEdges(const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    std::vector<double> edges(static_cast<std::size_t>(text.size()) + 1, 0.0);
    for (qsizetype i = 1; i <= text.size(); ++i) {
        // The low half of a surrogate pair adds nothing: the pair is one character.
        const bool splitsPair = i < text.size() && text[i].isLowSurrogate();
        edges[static_cast<std::size_t>(i)] =
            splitsPair ? edges[static_cast<std::size_t>(i - 1)] : metrics.horizontalAdvance(text.left(i));
    }
    return edges;
}

std::optional<TextRun> textRun(const QPointF& origin, const QTextItem& item, const QTransform& transform,
                               const LogicalMapper& mapper) {
    const QString text = item.text();
    if (text.isEmpty()) return std::nullopt;

    const QPointF start = transform.map(origin);
    const QLineF baseline(start, transform.map(origin + QPointF(1, 0)));
    const QLineF upright(start, transform.map(origin + QPointF(0, 1)));
    const double alongScale = baseline.length();
    const double acrossScale = upright.length();
    if (alongScale <= 0 || acrossScale <= 0) return std::nullopt;

    // Qt's own layout gives the whole width; the metrics of the font share it out per character.
    std::vector<double> edges = characterEdges(text, item.font());
    const double measured = edges.back();
    const double width = item.width() > 0 ? item.width() : measured;
    const double stretch = measured > 0 ? width / measured : 1.0;
    const int units = mapper.unitsPerPixel();

    TextRun run;
    run.text = text;
    run.origin = mapper.point(start);
    long previous = 0;
    for (std::size_t i = 1; i < edges.size(); ++i) {
        // Rounding the running position, not each step, keeps the last character in place.
        const long edge = std::lround(edges[i] * stretch * alongScale * units);
        run.advances.push_back(static_cast<std::int32_t>(edge - previous));
        previous = edge;
    }

    const QFont font = item.font();
    run.font.height = -std::max(1, static_cast<int>(std::lround(emPixels(item) * acrossScale * units)));
    run.font.escapement = static_cast<std::int32_t>(std::lround(baseline.angle() * 10.0)) % 3600;
    run.font.weight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
    run.font.italic = font.italic();
    run.font.face = faceName(font);

    const QRectF box(0, -item.ascent(), width, item.ascent() + item.descent());
    run.deviceBox = transform.map(QPolygonF(box.translated(origin))).boundingRect().toAlignedRect();
    return run;
}

}  // namespace tgsim::metafile
