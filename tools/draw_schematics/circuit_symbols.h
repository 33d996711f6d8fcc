#pragma once
// Circuit symbols for the equivalent-circuit and block-diagram pictures. Two-terminal elements
// are drawn between two points on one horizontal or vertical line: the element's body sits in
// the middle and wires fill the rest, so a layout only has to name the element's end points.
#include <QPointF>

class QPainter;

namespace tgsim::tools {

void drawResistor(QPainter& painter, QPointF a, QPointF b, qreal bodyLength = 22);

// A coil of four turns bulging above a horizontal element or to the left of a vertical one.
void drawInductor(QPainter& painter, QPointF a, QPointF b, qreal bodyLength = 28);

// An ideal voltage source: a circle with an arrow inside pointing from a towards b.
void drawVoltageSource(QPainter& painter, QPointF a, QPointF b, qreal radius = 9);

// A junction of wires (filled dot) and an open terminal (hollow circle).
void drawNode(QPainter& painter, QPointF at);
void drawTerminal(QPainter& painter, QPointF at);

// A straight line from `from` to `to` ending in a filled arrowhead at `to`.
void drawArrow(QPainter& painter, QPointF from, QPointF to, qreal head = 7);

}  // namespace tgsim::tools
