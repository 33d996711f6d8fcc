// Block diagram of the dual-input stabilizer: the speed (frequency) branch on the top row,
// the electrical-power branch on the bottom row, joined at two summing points before the
// ramp-tracking filter's output passes the lead-lag stages and the limiter.
#include "circuit_symbols.h"
#include "pictures.h"
#include "rich_text.h"

#include <QPainter>

#include <array>

namespace tgsim::tools {
namespace {

constexpr qreal kTopRow = 150;
constexpr qreal kBottomRow = 318;
constexpr qreal kBlockHeight = 66;
constexpr qreal kSumRadius = 13;

// Column edges of the blocks (left, right). The window opens scrolled 22 pixels to the right,
// so nothing starts left of that.
constexpr qreal kWashout1[2] = {76, 174}, kWashout2[2] = {204, 302}, kLag[2] = {332, 418};
constexpr qreal kSum1X = 460, kSum2X = 684;
constexpr qreal kFilter[2] = {500, 644}, kLeadLag1[2] = {722, 852}, kLeadLag2[2] = {884, 984};
constexpr qreal kLimiter[2] = {1014, 1080};

QRectF blockAt(qreal left, qreal right, qreal row) {
    return {left, row - kBlockHeight / 2, right - left, kBlockHeight};
}

// A transfer-function block showing numerator over denominator.
void drawFractionBlock(QPainter& p, const QRectF& box, const QString& numerator, const QString& denominator) {
    p.drawRect(box);
    const QPointF centre = box.center();
    const qreal barHalf =
        std::max(richTextSize(p.font(), numerator).width(), richTextSize(p.font(), denominator).width()) / 2 + 4;
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

// The sign with which an input enters a summing point.
enum class Sign { Plus, Minus };

// A summing point: an empty circle (a cross inside would read as a multiplier) with the sign
// of each input written beside the input's arrowhead: above the wire coming from the left,
// left of the wire rising from below.
void drawSummingPoint(QPainter& p, QPointF centre, Sign fromLeft, Sign fromBelow) {
    p.drawEllipse(centre, kSumRadius, kSumRadius);
    auto sign = [&](Sign s, QPointF at) {
        p.save();
        p.setFont(labelFont(20, true));
        p.drawText(QRectF(at.x() - 10, at.y() - 12, 20, 24), Qt::AlignCenter,
                   s == Sign::Plus ? QStringLiteral("+") : QStringLiteral("\u2212"));
        p.restore();
    };
    sign(fromLeft, centre + QPointF(-kSumRadius - 10, -13));
    sign(fromBelow, centre + QPointF(-11, kSumRadius + 17));
}

void connect(QPainter& p, qreal fromX, qreal toX, qreal row) { drawArrow(p, {fromX, row}, {toX, row}, 11); }

void drawInput(QPainter& p, const QString& name, qreal row, qreal blockLeft) {
    p.save();
    p.setFont(labelFont(20));
    drawRichText(p, {28, row}, name, Qt::AlignLeft | Qt::AlignVCenter);
    p.restore();
    connect(p, 56, blockLeft, row);
}

struct Fraction {
    const char* numerator;
    const char* denominator;
};

// An input signal through its two washouts and its lag, one row of the diagram.
void drawInputBranch(QPainter& p, const QString& input, qreal row, const std::array<Fraction, 3>& blocks) {
    drawInput(p, input, row, kWashout1[0]);
    const qreal* columns[] = {kWashout1, kWashout2, kLag};
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (i > 0) connect(p, columns[i - 1][1], columns[i][0], row);
        drawFractionBlock(p, blockAt(columns[i][0], columns[i][1], row), QString::fromUtf8(blocks[i].numerator),
                          QString::fromUtf8(blocks[i].denominator));
    }
}

}  // namespace

QImage drawPss2aDiagram() {
    QImage picture = blankPicture(kPss2aDiagramSize);
    QPainter p(&picture);
    prepareSmoothPainting(p);
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(Qt::NoBrush);

    p.save();
    p.setFont(labelFont(18, true));
    drawRichText(p, {40, 24}, QStringLiteral("Stabilizator systemowy PSS2A"), Qt::AlignLeft | Qt::AlignTop);
    p.restore();
    p.setFont(labelFont(16));

    drawInputBranch(p, QStringLiteral("f_g"), kTopRow,
                    {{{"sT_{w1}", "1 + sT_{w1}"}, {"sT_{w2}", "1 + sT_{w2}"}, {"1", "1 + sT_6"}}});
    connect(p, kLag[1], kSum1X - kSumRadius, kTopRow);
    drawInputBranch(p, QStringLiteral("P_g"), kBottomRow,
                    {{{"sT_{w3}", "1 + sT_{w3}"}, {"sT_{w4}", "1 + sT_{w4}"}, {"k_{s2}", "1 + sT_7"}}});

    // The power branch rises through the gain ks3 to the first summing point and runs on
    // along the bottom to the second one.
    p.drawLine(QPointF(kLag[1], kBottomRow), QPointF(kSum2X, kBottomRow));
    p.save();
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(kSum1X, kBottomRow), 3.5, 3.5);
    p.restore();
    const QRectF gain(kSum1X - 32, (kTopRow + kBottomRow) / 2 - 22, 64, 44);
    drawArrow(p, {kSum1X, kBottomRow}, {kSum1X, gain.bottom()}, 11);
    drawGainBlock(p, gain, QStringLiteral("k_{s3}"));
    drawArrow(p, {kSum1X, gain.top()}, {kSum1X, kTopRow + kSumRadius}, 11);
    drawArrow(p, {kSum2X, kBottomRow}, {kSum2X, kTopRow + kSumRadius}, 11);

    // Common path: filter, second summing point, lead-lag stages, limiter, output.
    // The signs are those of the model: the ramp-tracking filter takes the speed path minus
    // ks3 times the power path, and the power path bypasses the filter with weight +1.
    drawSummingPoint(p, {kSum1X, kTopRow}, Sign::Plus, Sign::Minus);
    connect(p, kSum1X + kSumRadius, kFilter[0], kTopRow);
    drawFractionBlock(p, blockAt(kFilter[0], kFilter[1], kTopRow), QStringLiteral("(1 + sT_8)^N"),
                      QStringLiteral("(1 + sT_9)^{M·N}"));
    connect(p, kFilter[1], kSum2X - kSumRadius, kTopRow);
    drawSummingPoint(p, {kSum2X, kTopRow}, Sign::Plus, Sign::Plus);
    connect(p, kSum2X + kSumRadius, kLeadLag1[0], kTopRow);
    drawFractionBlock(p, blockAt(kLeadLag1[0], kLeadLag1[1], kTopRow), QStringLiteral("k_{s1}(1 + sT_1)"),
                      QStringLiteral("1 + sT_2"));
    connect(p, kLeadLag1[1], kLeadLag2[0], kTopRow);
    drawFractionBlock(p, blockAt(kLeadLag2[0], kLeadLag2[1], kTopRow), QStringLiteral("1 + sT_3"),
                      QStringLiteral("1 + sT_4"));
    connect(p, kLeadLag2[1], kLimiter[0], kTopRow);
    drawLimiter(p, blockAt(kLimiter[0], kLimiter[1], kTopRow));
    connect(p, kLimiter[1], 1118, kTopRow);
    drawRichText(p, {1124, kTopRow}, QStringLiteral("Output"), Qt::AlignLeft | Qt::AlignVCenter);
    return picture;
}

}  // namespace tgsim::tools
