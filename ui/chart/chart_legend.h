#pragma once
// The chart's legend, shown on demand in the top right corner of the plot: for the current
// computation and for each kept run a title (the run's name) and, for each line drawn, a piece
// of the line in its colour and dash with the quantity's caption. It is an item of the chart's
// scene, so every picture of the chart holds it while it is shown.
#include <QGraphicsItem>
#include <QPen>
#include <QString>
#include <vector>

namespace tgsim::chart {

struct LegendEntry {
    QString caption;
    QPen pen;
};

struct LegendGroup {
    QString title;
    std::vector<LegendEntry> entries;
};

class ChartLegend : public QGraphicsItem {
public:
    ChartLegend();

    void setGroups(std::vector<LegendGroup> groups);
    const std::vector<LegendGroup>& groups() const { return groups_; }
    // Lays the legend out no wider than `maxWidth` with its top right corner at `topRight`.
    void place(QPointF topRight, qreal maxWidth);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    struct Placed {
        QString text;
        QRectF textArea;
        QPen pen;  // Qt::NoPen for a title
        QLineF sample;
    };
    void layOut();

    std::vector<LegendGroup> groups_;
    std::vector<Placed> placed_;
    QSizeF size_;
    QPointF topRight_;
    qreal maxWidth_ = 300;
};

}  // namespace tgsim::chart
