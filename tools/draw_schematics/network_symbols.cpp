// Line and station symbols of the network map, shared by the map and its legend.
#include "network_map.h"

#include <QPainter>
#include <QPainterPath>

namespace tgsim::tools {
namespace {

const QColor kTransformer400(214, 0, 0);
const QColor kTransformer220(0, 150, 40);

qreal penWidth(Voltage voltage) {
    switch (voltage) {
    case Voltage::kV750: return 3.6;
    case Voltage::kV400: return 2.6;
    case Voltage::kV220: return 2.0;
    case Voltage::kV110: return 1.3;
    }
    return 1;
}

Voltage oneLevelLower(Voltage voltage) {
    switch (voltage) {
    case Voltage::kV750: return Voltage::kV400;
    case Voltage::kV400: return Voltage::kV220;
    case Voltage::kV220:
    case Voltage::kV110: return Voltage::kV110;
    }
    return voltage;
}

void drawHalfDisc(QPainter& p, QPointF at, qreal radius, const QColor& colour, int startAngle) {
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPie(QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius), startAngle * 16, 180 * 16);
}

}  // namespace

QColor voltageColour(Voltage voltage) {
    switch (voltage) {
    case Voltage::kV750: return {130, 0, 170};
    case Voltage::kV400: return kTransformer400;
    case Voltage::kV220: return kTransformer220;
    case Voltage::kV110: return {30, 90, 210};
    }
    return Qt::black;
}

void drawLineSymbol(QPainter& p, QPointF a, QPointF b, Voltage voltage, LineState state) {
    p.save();
    QPen pen(voltageColour(voltage), penWidth(voltage), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    switch (state) {
    case LineState::Existing:
        p.setPen(pen);
        p.drawLine(a, b);
        break;
    case LineState::UnderConstruction:
        pen.setDashPattern({7 / pen.widthF(), 4 / pen.widthF()});
        p.setPen(pen);
        p.drawLine(a, b);
        break;
    case LineState::LowerVoltage:
        // The built voltage as the outer edges, the voltage it runs at along the middle.
        pen.setWidthF(pen.widthF() + 4.4);
        p.setPen(pen);
        p.drawLine(a, b);
        p.setPen(QPen(Qt::white, pen.widthF() - 3.4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(a, b);
        p.setPen(QPen(voltageColour(oneLevelLower(voltage)), 1.8, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(a, b);
        break;
    }
    p.restore();
}

void drawStationSymbol(QPainter& p, QPointF at, StationKind kind) {
    p.save();
    const QPen outline(Qt::black, 1.1);
    p.setPen(outline);
    switch (kind) {
    case StationKind::Switching:
        p.setBrush(Qt::black);
        p.drawEllipse(at, 4.2, 4.2);
        break;
    case StationKind::SwitchingPlanned:
        p.setBrush(Qt::white);
        p.drawEllipse(at, 4.2, 4.2);
        break;
    case StationKind::Transformer400:
        p.setBrush(kTransformer400);
        p.drawEllipse(at, 5, 5);
        break;
    case StationKind::Transformer400And220:
        drawHalfDisc(p, at, 5, kTransformer400, 90);
        drawHalfDisc(p, at, 5, kTransformer220, 270);
        p.setPen(outline);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at, 5, 5);
        break;
    case StationKind::Transformer400220:
        p.setBrush(kTransformer400);
        p.drawEllipse(at, 5.5, 5.5);
        p.setBrush(kTransformer220);
        p.setPen(QPen(Qt::white, 0.8));
        p.drawEllipse(at, 2.6, 2.6);
        break;
    case StationKind::Transformer220MV:
        p.setBrush(kTransformer220);
        p.drawRect(QRectF(at.x() - 4, at.y() - 4, 8, 8));
        break;
    case StationKind::ThermalPlant:
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(at.x() - 5.5, at.y() - 5.5, 11, 11));
        p.setPen(QPen(Qt::white, 1.4));
        p.drawLine(at + QPointF(-2.5, 2.5), at + QPointF(2.5, -2.5));
        break;
    case StationKind::HydroPlant: {
        p.setBrush(QColor(40, 150, 235));
        const QPolygonF triangle{at + QPointF(-6.5, -5), at + QPointF(6.5, -5), at + QPointF(0, 6.5)};
        p.drawPolygon(triangle);
        break;
    }
    case StationKind::Border: break;
    }
    p.restore();
}

}  // namespace tgsim::tools
