// The network map: country outline and sea, the lines by voltage, the stations with their
// codes, neighbouring countries, and the legend below the map.
#include "network_map.h"
#include "circuit_symbols.h"
#include "pictures.h"
#include "rich_text.h"

#include <QPainter>
#include <QPainterPath>

#include <cstring>
#include <stdexcept>

namespace tgsim::tools {
namespace {

// Equidistant projection at about 52° north: a degree of longitude is 0.616 of one of latitude.
constexpr double kPixelsPerDegree = 84;
constexpr double kLongitudeScale = 0.616;
constexpr double kWestEdge = 14.0;
constexpr double kNorthEdge = 54.95;
constexpr QPointF kOrigin{30, 24};
constexpr qreal kLegendTop = 538;

const Station& stationNamed(const char* code) {
    for (const Station& station : stations())
        if (std::strcmp(station.code, code) == 0) return station;
    throw std::logic_error(std::string("no station ") + code);
}

QPolygonF projected(std::span<const GeoPoint> points) {
    QPolygonF polygon;
    for (const GeoPoint& point : points) polygon << project(point);
    return polygon;
}

QFont codeFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(10);
    font.setBold(true);
    return font;
}

// Text with a white halo, so that codes stay legible where lines run beneath them.
void drawHaloText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour) {
    QPainterPath path;
    const QFontMetricsF metrics(font);
    path.addText(box.left(), box.top() + metrics.ascent(), font, text);
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 230), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
    p.restore();
}

QRectF labelBox(QPointF at, Label label, QSizeF size) {
    constexpr qreal gap = 7;
    qreal x = at.x() - size.width() / 2;
    qreal y = at.y() - size.height() / 2;
    switch (label) {
    case Label::N: y = at.y() - gap - size.height(); break;
    case Label::S: y = at.y() + gap; break;
    case Label::E: x = at.x() + gap; break;
    case Label::W: x = at.x() - gap - size.width(); break;
    case Label::NE:
        x = at.x() + gap - 2;
        y = at.y() - gap + 2 - size.height();
        break;
    case Label::NW:
        x = at.x() - gap + 2 - size.width();
        y = at.y() - gap + 2 - size.height();
        break;
    case Label::SE:
        x = at.x() + gap - 2;
        y = at.y() + gap - 2;
        break;
    case Label::SW:
        x = at.x() - gap + 2 - size.width();
        y = at.y() + gap - 2;
        break;
    }
    return {QPointF(x, y), size};
}

void drawGeography(QPainter& p) {
    p.fillRect(QRectF(0, 0, 589, kLegendTop), QColor(246, 246, 246));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 232, 248));
    p.drawPolygon(projected(seaOutline()));
    p.setBrush(QColor(255, 252, 238));
    p.setPen(QPen(QColor(150, 120, 90), 1.2, Qt::DashDotLine));
    p.drawPolygon(projected(countryOutline()));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setItalic(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    for (const CountryName& name : countryNames()) {
        p.save();
        p.setPen(std::strcmp(name.text, "MORZE BAŁTYCKIE") == 0 ? QColor(60, 110, 170) : QColor(130, 130, 130));
        p.translate(project(name.at));
        if (name.vertical) p.rotate(-90);
        drawRichText(p, {0, 0}, QString::fromUtf8(name.text));
        p.restore();
    }
}

void drawLines(QPainter& p) {
    // Lower voltages first, so that the main lines stay on top.
    for (Voltage voltage : {Voltage::kV110, Voltage::kV220, Voltage::kV400, Voltage::kV750}) {
        for (const Line& line : lines()) {
            if (line.voltage != voltage) continue;
            const Station& to = stationNamed(line.to);
            const QPointF a = project(stationNamed(line.from).at);
            const QPointF b = project(to.at);
            drawLineSymbol(p, a, b, line.voltage, line.state);
            if (to.kind == StationKind::Border) {
                p.save();
                p.setPen(QPen(voltageColour(line.voltage), 1));
                drawArrow(p, a + (b - a) * 0.6, b, 9);
                p.restore();
            }
        }
    }
}

void drawStations(QPainter& p) {
    const QFont font = codeFont();
    const QFontMetricsF metrics(font);
    for (const Station& station : stations())
        if (station.kind != StationKind::Border) drawStationSymbol(p, project(station.at), station.kind);
    for (const Station& station : stations()) {
        if (station.kind == StationKind::Border) continue;
        const QString code = QString::fromLatin1(station.code);
        const QSizeF size(metrics.horizontalAdvance(code), metrics.ascent() + metrics.descent() * 0.3);
        drawHaloText(p, labelBox(project(station.at), station.label, size), code, font, Qt::black);
    }
}

void drawTitle(QPainter& p) {
    p.setFont(labelFont(13, true));
    p.setPen(Qt::black);
    drawRichText(p, {294.5, 4}, QStringLiteral("KRAJOWA SIEĆ PRZESYŁOWA NN"), Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace

QPointF project(GeoPoint point) {
    return {kOrigin.x() + (point.lon - kWestEdge) * kLongitudeScale * kPixelsPerDegree,
            kOrigin.y() + (kNorthEdge - point.lat) * kPixelsPerDegree};
}

QImage drawNetworkMap() {
    QImage picture = blankPicture(kNetworkMapSize);
    QPainter p(&picture);
    prepareSmoothPainting(p);
    drawGeography(p);
    drawLines(p);
    drawStations(p);
    drawTitle(p);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 588, kLegendTop - 1));
    drawNetworkLegend(p, kLegendTop);
    return picture;
}

}  // namespace tgsim::tools
