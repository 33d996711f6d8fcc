// Block diagram of the dual-input stabilizer: the speed (frequency) branch on the top row,
// the electrical-power branch on the bottom row, joined at two summing points before the
// ramp-tracking filter's output passes the lead-lag stages and the limiter.
#include "circuit_symbols.h"
#include "pictures.h"
#include "rich_text.h"

#include <QPainter>

namespace tgsim::tools {
namespace {

constexpr qreal kTopRow = 150;
constexpr qreal kBottomRow = 318;
constexpr qreal kBlockHeight = 66;
constexpr qreal kSumRadius = 13;

QRectF blockAt(qreal left, qreal right, qreal row) {
    return {left, row - kBlockHeight / 2, right - left, kBlockHeight};
}

// A transfer-function block showing numerator over denominator.
void drawFractionBlock(QPainter& p, const QRectF& box, const QString& numerator,
                       const QString& denominator) {
    p.drawRect(box);
    const QPointF centre = box.center();
    const qreal barHalf = std::max(richTextSize(p.font(), numerator).width(),
                                   richTextSize(p.font(), denominator).width()) / 2 + 4;
    p.drawLine(QPointF(centre.x() - barHalf, centre.y()), QPointF(centre.x() + barHalf, centre.y()));
    drawRichText(p, {centre.x(), centre.y() - 3}, numerator, Qt::AlignHCenter | Qt::AlignBottom);
    drawRichText(p, {centre.x(), centre.y() + 3}, denominator, Qt::AlignHCenter | Qt::AlignTop);
}

void drawGainBlock(QPainter& p, const QRectF& box, const QString& gain) {
    p.drawRect(box);
    drawRichText(p, box.center(), gain);
}

// The limiter: a box holding the saturation characteristic.
void drawLimiter(QPainter& p, const QRectF& box) {
    p.drawRect(box);
    const QPointF c = box.center();
    const qreal w = box.width() * 0.34;
    const qreal h = box.height() * 0.26;
    p.save();
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.drawLine(QPointF(c.x() - w - 4, c.y()), QPointF(c.x() + w + 4, c.y()));
    p.drawLine(QPointF(c.x(), c.y() + h + 6), QPointF(c.x(), c.y() - h - 6));
    p.restore();
    p.save();
    p.setPen(QPen(Qt::black, 2));
    const QPointF knee(w * 0.45, h);
    p.drawPolyline(QPolygonF{{c.x() - w, c.y() + h},
                             {c.x() - knee.x(), c.y() + knee.y()},
                             {c.x() + knee.x(), c.y() - knee.y()},
                             {c.x() + w, c.y() - h}});
    p.restore();
}

// A summing point: a circle with a cross; the signs of its inputs are left unmarked.
void drawSummingPoint(QPainter& p, QPointF centre) {
    p.drawEllipse(centre, kSumRadius, kSumRadius);
    const qreal d = kSumRadius * 0.7071;
    p.drawLine(centre + QPointF(-d, -d), centre + QPointF(d, d));
    p.drawLine(centre + QPointF(-d, d), centre + QPointF(d, -d));
}

void connect(QPainter& p, qreal fromX, qreal toX, qreal row) {
    drawArrow(p, {fromX, row}, {toX, row}, 11);
}

void drawInput(QPainter& p, const QString& name, qreal row, qreal blockLeft) {
    p.save();
    p.setFont(labelFont(20));
    drawRichText(p, {28, row}, name, Qt::AlignLeft | Qt::AlignVCenter);
    p.restore();
    connect(p, 56, blockLeft, row);
}

}  // namespace

QImage drawPss2aDiagram() {
    QImage picture = blankPicture(kPss2aDiagramSize);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(Qt::NoBrush);

    p.save();
    p.setFont(labelFont(18, true));
    drawRichText(p, {40, 24}, QStringLiteral("Stabilizator systemowy PSS2A"), Qt::AlignLeft | Qt::AlignTop);
    p.restore();
    p.setFont(labelFont(16));

    // Column edges of the blocks (left, right).
    // The window opens scrolled 22 pixels to the right, so nothing starts left of that.
    constexpr qreal washout1[2] = {76, 174}, washout2[2] = {204, 302}, lag[2] = {332, 418};
    constexpr qreal sum1X = 460, sum2X = 684;
    constexpr qreal filter[2] = {500, 644}, leadLag1[2] = {722, 852}, leadLag2[2] = {884, 984};
    constexpr qreal limiter[2] = {1014, 1080};

    // Frequency branch.
    drawInput(p, QStringLiteral("f_g"), kTopRow, washout1[0]);
    drawFractionBlock(p, blockAt(washout1[0], washout1[1], kTopRow), QStringLiteral("sT_{w1}"),
                      QStringLiteral("1 + sT_{w1}"));
    connect(p, washout1[1], washout2[0], kTopRow);
    drawFractionBlock(p, blockAt(washout2[0], washout2[1], kTopRow), QStringLiteral("sT_{w2}"),
                      QStringLiteral("1 + sT_{w2}"));
    connect(p, washout2[1], lag[0], kTopRow);
    drawFractionBlock(p, blockAt(lag[0], lag[1], kTopRow), QStringLiteral("1"),
                      QStringLiteral("1 + sT_6"));
    connect(p, lag[1], sum1X - kSumRadius, kTopRow);

    // Power branch.
    drawInput(p, QStringLiteral("P_g"), kBottomRow, washout1[0]);
    drawFractionBlock(p, blockAt(washout1[0], washout1[1], kBottomRow), QStringLiteral("sT_{w3}"),
                      QStringLiteral("1 + sT_{w3}"));
    connect(p, washout1[1], washout2[0], kBottomRow);
    drawFractionBlock(p, blockAt(washout2[0], washout2[1], kBottomRow), QStringLiteral("sT_{w4}"),
                      QStringLiteral("1 + sT_{w4}"));
    connect(p, washout2[1], lag[0], kBottomRow);
    drawFractionBlock(p, blockAt(lag[0], lag[1], kBottomRow), QStringLiteral("k_{s2}"),
                      QStringLiteral("1 + sT_7"));

    // The power branch rises through the gain ks3 to the first summing point and runs on
    // along the bottom to the second one.
    p.drawLine(QPointF(lag[1], kBottomRow), QPointF(sum2X, kBottomRow));
    p.save();
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(sum1X, kBottomRow), 3.5, 3.5);
    p.restore();
    const QRectF gain(sum1X - 32, (kTopRow + kBottomRow) / 2 - 22, 64, 44);
    drawArrow(p, {sum1X, kBottomRow}, {sum1X, gain.bottom()}, 11);
    drawGainBlock(p, gain, QStringLiteral("k_{s3}"));
    drawArrow(p, {sum1X, gain.top()}, {sum1X, kTopRow + kSumRadius}, 11);
    drawArrow(p, {sum2X, kBottomRow}, {sum2X, kTopRow + kSumRadius}, 11);

    // Common path: filter, second summing point, lead-lag stages, limiter, output.
    drawSummingPoint(p, {sum1X, kTopRow});
    connect(p, sum1X + kSumRadius, filter[0], kTopRow);
    drawFractionBlock(p, blockAt(filter[0], filter[1], kTopRow), QStringLiteral("(1 + sT_8)^N"),
                      QStringLiteral("(1 + sT_9)^{M·N}"));
    connect(p, filter[1], sum2X - kSumRadius, kTopRow);
    drawSummingPoint(p, {sum2X, kTopRow});
    connect(p, sum2X + kSumRadius, leadLag1[0], kTopRow);
    drawFractionBlock(p, blockAt(leadLag1[0], leadLag1[1], kTopRow),
                      QStringLiteral("k_{s1}(1 + sT_1)"), QStringLiteral("1 + sT_2"));
    connect(p, leadLag1[1], leadLag2[0], kTopRow);
    drawFractionBlock(p, blockAt(leadLag2[0], leadLag2[1], kTopRow), QStringLiteral("1 + sT_3"),
                      QStringLiteral("1 + sT_4"));
    connect(p, leadLag2[1], limiter[0], kTopRow);
    drawLimiter(p, blockAt(limiter[0], limiter[1], kTopRow));
    connect(p, limiter[1], 1118, kTopRow);
    drawRichText(p, {1124, kTopRow}, QStringLiteral("Output"), Qt::AlignLeft | Qt::AlignVCenter);
    return picture;
}

}  // namespace tgsim::tools
