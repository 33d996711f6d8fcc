// The generator's equivalent circuits in the d axis (top) and the q axis (bottom).
// Both share the stator side: terminal voltage, stator resistance, leakage inductance, the
// rotational source in the return path and the magnetizing inductance with the air-gap
// voltage across it. The rotor side differs: field winding and one damper in d, two dampers
// in q.
#include "circuit_symbols.h"
#include "pictures.h"
#include "rich_text.h"

#include <QPainter>

namespace tgsim::tools {
namespace {

// Column positions shared by both circuits.
constexpr qreal kTerminalX = 14;
constexpr qreal kMagnetizingX = 112;
constexpr qreal kFirstRotorX = 172;

struct Rails {
    qreal top;
    qreal bottom;
    qreal middle() const { return (top + bottom) / 2; }
};

struct StatorLabels {
    QString terminal;     // "U_d"
    QString source;       // "−ωΨ_q"
    QString airGap;       // "E_{td}"
    QString magnetizing;  // "L_{ad}"
};

void drawStatorSide(QPainter& p, const Rails& r, const StatorLabels& labels) {
    // Terminals with the terminal-voltage arrow between them.
    drawTerminal(p, {kTerminalX, r.top});
    drawTerminal(p, {kTerminalX, r.bottom});
    drawArrow(p, {kTerminalX, r.bottom - 7}, {kTerminalX, r.top + 7});
    drawRichText(p, {kTerminalX + 6, r.middle()}, labels.terminal, Qt::AlignLeft | Qt::AlignVCenter);

    // Series stator elements on the top rail.
    p.drawLine(QPointF(kTerminalX + 3, r.top), QPointF(26, r.top));
    drawResistor(p, {26, r.top}, {56, r.top});
    drawRichText(p, {41, r.top - 8}, QStringLiteral("R"), Qt::AlignHCenter | Qt::AlignBottom);
    drawInductor(p, {56, r.top}, {kMagnetizingX, r.top});
    drawRichText(p, {84, r.top - 9}, QStringLiteral("L_σ"), Qt::AlignHCenter | Qt::AlignBottom);

    // The rotational source in the return path.
    p.drawLine(QPointF(kTerminalX + 3, r.bottom), QPointF(36, r.bottom));
    drawVoltageSource(p, {36, r.bottom}, {76, r.bottom});
    drawRichText(p, {56, r.bottom + 11}, labels.source, Qt::AlignHCenter | Qt::AlignTop);
    p.drawLine(QPointF(76, r.bottom), QPointF(kMagnetizingX, r.bottom));

    // Magnetizing branch with the air-gap voltage beside it.
    drawNode(p, {kMagnetizingX, r.top});
    drawNode(p, {kMagnetizingX, r.bottom});
    drawInductor(p, {kMagnetizingX, r.top}, {kMagnetizingX, r.bottom}, 32);
    drawRichText(p, {kMagnetizingX + 6, r.middle()}, labels.magnetizing, Qt::AlignLeft | Qt::AlignVCenter);
    const qreal arrowX = kMagnetizingX - 20;
    drawArrow(p, {arrowX, r.bottom - 10}, {arrowX, r.top + 12});
    drawRichText(p, {arrowX - 4, r.middle()}, labels.airGap, Qt::AlignRight | Qt::AlignVCenter);
}

// A shunt branch of an inductance above a resistance, labelled on its right.
void drawShuntBranch(QPainter& p, const Rails& r, qreal x, const QString& inductance, const QString& resistance) {
    const qreal split = r.top + (r.bottom - r.top) * 0.52;
    drawInductor(p, {x, r.top}, {x, split}, 28);
    drawResistor(p, {x, split}, {x, r.bottom});
    drawRichText(p, {x + 6, (r.top + split) / 2 + 2}, inductance, Qt::AlignLeft | Qt::AlignVCenter);
    drawRichText(p, {x + 8, (split + r.bottom) / 2}, resistance, Qt::AlignLeft | Qt::AlignVCenter);
}

void drawMutualLeakage(QPainter& p, const Rails& r) {
    drawInductor(p, {kMagnetizingX, r.top}, {kFirstRotorX, r.top});
    drawRichText(p, {(kMagnetizingX + kFirstRotorX) / 2, r.top - 9}, QStringLiteral("L_{σmf}"),
                 Qt::AlignHCenter | Qt::AlignBottom);
    drawNode(p, {kFirstRotorX, r.top});
    drawNode(p, {kFirstRotorX, r.bottom});
}

void drawTitle(QPainter& p, qreal y, const QString& text) {
    p.save();
    p.setFont(labelFont(12, true));
    drawRichText(p, {4, y}, text, Qt::AlignLeft | Qt::AlignTop);
    p.restore();
}

void drawDAxis(QPainter& p, const Rails& r) {
    drawTitle(p, 2, QStringLiteral("oś d"));
    drawStatorSide(
        p, r, {QStringLiteral("U_d"), QStringLiteral("−ωΨ_q"), QStringLiteral("E_{td}"), QStringLiteral("L_{ad}")});
    drawMutualLeakage(p, r);
    p.drawLine(QPointF(kMagnetizingX, r.bottom), QPointF(kFirstRotorX, r.bottom));
    drawShuntBranch(p, r, kFirstRotorX, QStringLiteral("L_{σD1}"), QStringLiteral("R_{D1}"));

    // Field winding in series, the field voltage closing the circuit on the right.
    constexpr qreal fieldX = 304;
    drawInductor(p, {kFirstRotorX, r.top}, {236, r.top});
    drawRichText(p, {210, r.top - 9}, QStringLiteral("L_{σf}"), Qt::AlignHCenter | Qt::AlignBottom);
    drawResistor(p, {236, r.top}, {276, r.top});
    drawRichText(p, {256, r.top - 8}, QStringLiteral("R_f"), Qt::AlignHCenter | Qt::AlignBottom);
    p.drawLine(QPointF(276, r.top), QPointF(fieldX, r.top));
    p.drawLine(QPointF(kFirstRotorX, r.bottom), QPointF(fieldX, r.bottom));
    drawVoltageSource(p, {fieldX, r.bottom}, {fieldX, r.top}, 10);
    drawRichText(p, {fieldX - 14, r.middle()}, QStringLiteral("U'_f"), Qt::AlignRight | Qt::AlignVCenter);
}

void drawQAxis(QPainter& p, const Rails& r) {
    drawTitle(p, r.top - 38, QStringLiteral("oś q"));
    drawStatorSide(p, r,
                   {QStringLiteral("U_q"), QStringLiteral("ωΨ_d"), QStringLiteral("E_{tq}"), QStringLiteral("L_{aq}")});
    drawMutualLeakage(p, r);
    drawShuntBranch(p, r, kFirstRotorX, QStringLiteral("L_{σQ1}"), QStringLiteral("R_{Q1}"));

    // The second damper closes the circuit on the right.
    constexpr qreal secondX = 262;
    p.drawLine(QPointF(kFirstRotorX, r.top), QPointF(secondX, r.top));
    p.drawLine(QPointF(kMagnetizingX, r.bottom), QPointF(secondX, r.bottom));
    drawShuntBranch(p, r, secondX, QStringLiteral("L_{σQ2}"), QStringLiteral("R_{Q2}"));
}

}  // namespace

QImage drawDqCircuits() {
    QImage picture = blankPicture(kDqCircuitsSize);
    QPainter p(&picture);
    prepareSmoothPainting(p);
    p.setPen(QPen(Qt::black, 1.3));
    p.setFont(labelFont(12));

    drawDAxis(p, {40, 136});
    p.save();
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
    p.drawLine(QPointF(4, 166.5), QPointF(329, 166.5));
    p.restore();
    drawQAxis(p, {206, 302});
    return picture;
}

}  // namespace tgsim::tools
