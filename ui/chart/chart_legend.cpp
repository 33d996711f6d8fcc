#include "chart_legend.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "chart_look.h"

namespace tgsim::chart {
namespace {

constexpr qreal kPadding = 5;
constexpr qreal kSampleLength = 26;
constexpr qreal kSampleGap = 4;
constexpr qreal kEntryGap = 12;

}  // namespace

ChartLegend::ChartLegend() {
    setZValue(1000);  // above the lines and the axes
    setAcceptedMouseButtons(Qt::NoButton);
}

void ChartLegend::setGroups(std::vector<LegendGroup> groups) {
    groups_ = std::move(groups);
    layOut();
}

void ChartLegend::place(QPointF topRight, qreal maxWidth) {
    topRight_ = topRight;
    maxWidth_ = std::max<qreal>(maxWidth, 4 * kSampleLength);
    layOut();
}

// Titles on lines of their own; the entries of a run follow each other, wrapped at the width.
void ChartLegend::layOut() {
    prepareGeometryChange();
    placed_.clear();
    const QFontMetricsF metrics(smallFont());
    const qreal lineHeight = metrics.height() + 2;
    const qreal inner = maxWidth_ - 2 * kPadding;
    qreal y = kPadding, width = 0;
    for (const LegendGroup& group : groups_) {
        if (group.entries.empty()) continue;
        const QString title = metrics.elidedText(group.title, Qt::ElideRight, inner);
        const qreal titleWidth = metrics.horizontalAdvance(title);
        placed_.push_back({title, QRectF(kPadding, y, titleWidth, lineHeight), Qt::NoPen, {}});
        width = std::max(width, titleWidth);
        y += lineHeight;
        qreal x = 0;
        for (const LegendEntry& entry : group.entries) {
            const qreal entryWidth = kSampleLength + kSampleGap + metrics.horizontalAdvance(entry.caption);
            if (x > 0 && x + kEntryGap + entryWidth > inner) {
                x = 0;
                y += lineHeight;
            }
            if (x > 0) x += kEntryGap;
            const qreal middle = y + lineHeight / 2;
            const QLineF sample(kPadding + x, middle, kPadding + x + kSampleLength, middle);
            placed_.push_back({entry.caption,
                               QRectF(kPadding + x + kSampleLength + kSampleGap, y,
                                      entryWidth - kSampleLength - kSampleGap, lineHeight),
                               entry.pen, sample});
            x += entryWidth;
            width = std::max(width, x);
        }
        y += lineHeight;
    }
    size_ = placed_.empty() ? QSizeF() : QSizeF(width + 2 * kPadding, y + kPadding - 2);
    setPos(topRight_.x() - size_.width(), topRight_.y());
    update();
}

QRectF ChartLegend::boundingRect() const { return QRectF(QPointF(0, 0), size_); }

void ChartLegend::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (placed_.empty()) return;
    painter->save();
    // Opaque, so that every picture format shows it alike.
    painter->setPen(QPen(QColor(160, 160, 160), 1));
    painter->setBrush(Qt::white);
    painter->drawRect(QRectF(QPointF(0.5, 0.5), size_ - QSizeF(1, 1)));
    painter->setFont(smallFont());
    for (const Placed& p : placed_) {
        if (p.pen.style() != Qt::NoPen) {
            painter->setPen(p.pen);
            painter->drawLine(p.sample);
        }
        painter->setPen(Qt::black);
        painter->drawText(p.textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, p.text);
    }
    painter->restore();
}

}  // namespace tgsim::chart
