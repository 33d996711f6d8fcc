#include "circuit_symbols.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace tgsim::tools {
namespace {

// Unit vector along a→b and the unit normal pointing "up" for horizontal elements and
// "left" for vertical ones (the side where an inductor's turns bulge).
struct Frame {
    QPointF along;
    QPointF normal;
    qreal length;
    QPointF middle;
};

Frame frameOf(QPointF a, QPointF b) {
    const QLineF line(a, b);
    const qreal length = line.length();
    const QPointF along = length > 0 ? (b - a) / length : QPointF(1, 0);
    QPointF normal(along.y(), -along.x());
    if (normal.y() > 0 || (normal.y() == 0 && normal.x() > 0)) normal = -normal;
    return {along, normal, length, (a + b) / 2};
}

// Draws the wires from both ends up to a centred body of the given length.
void drawLeads(QPainter& painter, QPointF a, QPointF b, const Frame& frame, qreal body) {
    const qreal lead = std::max<qreal>(0, (frame.length - body) / 2);
    painter.drawLine(a, a + frame.along * lead);
    painter.drawLine(b, b - frame.along * lead);
}

}  // namespace

void drawResistor(QPainter& painter, QPointF a, QPointF b, qreal bodyLength) {
    const Frame frame = frameOf(a, b);
    drawLeads(painter, a, b, frame, bodyLength);
    const qreal half = 4.5;
    const QPointF start = frame.middle - frame.along * (bodyLength / 2);
    QPolygonF box;
    box << start + frame.normal * half << start + frame.along * bodyLength + frame.normal * half
        << start + frame.along * bodyLength - frame.normal * half << start - frame.normal * half;
    painter.save();
    painter.setBrush(Qt::white);
    painter.drawPolygon(box);
    painter.restore();
}

void drawInductor(QPainter& painter, QPointF a, QPointF b, qreal bodyLength) {
    const Frame frame = frameOf(a, b);
    drawLeads(painter, a, b, frame, bodyLength);
    constexpr int turns = 4;
    const qreal step = bodyLength / turns;
    const QPointF start = frame.middle - frame.along * (bodyLength / 2);
    QPainterPath path(start);
    for (int i = 0; i < turns; ++i) {
        const QPointF p0 = start + frame.along * (step * i);
        const QPointF p3 = p0 + frame.along * step;
        const QPointF lift = frame.normal * (step * 1.05);
        path.cubicTo(p0 + lift, p3 + lift, p3);
    }
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

void drawVoltageSource(QPainter& painter, QPointF a, QPointF b, qreal radius) {
    const Frame frame = frameOf(a, b);
    drawLeads(painter, a, b, frame, 2 * radius);
    painter.save();
    painter.setBrush(Qt::white);
    painter.drawEllipse(frame.middle, radius, radius);
    painter.restore();
    drawArrow(painter, frame.middle - frame.along * (radius * 0.65), frame.middle + frame.along * (radius * 0.7),
              radius * 0.6);
}

void drawNode(QPainter& painter, QPointF at) {
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.drawEllipse(at, 2.4, 2.4);
    painter.restore();
}

void drawTerminal(QPainter& painter, QPointF at) {
    painter.save();
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 3.0, 3.0);
    painter.restore();
}

void drawArrow(QPainter& painter, QPointF from, QPointF to, qreal head) {
    const QLineF line(from, to);
    if (line.length() <= 0) return;
    const QPointF along = (to - from) / line.length();
    const QPointF normal(-along.y(), along.x());
    const QPointF base = to - along * head;
    painter.drawLine(from, base);
    QPolygonF tip;
    tip << to << base + normal * (head * 0.38) << base - normal * (head * 0.38);
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(tip);
    painter.restore();
}

}  // namespace tgsim::tools
