// The parts of the result chart drawn over its lines: the legend and the readout.
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>

#include "chart_look.h"
#include "readout_tip.h"
#include "result_chart.h"

namespace tgsim::chart {
namespace {

constexpr qreal kLegendInset = 6;
constexpr qreal kLegendWidest = 380;

}  // namespace

// ---- Legend ----

void ResultChart::setLegendShown(bool shown) {
    legend_->setVisible(shown);
    placeLegend();
}

bool ResultChart::legendShown() const { return legend_->isVisible(); }

const std::vector<LegendGroup>& ResultChart::legendGroups() const { return legend_->groups(); }

// The current computation's lines under its name, then each kept run's under its number and name.
// Without a completed current computation (the last one failed) only the kept runs are listed.
void ResultChart::updateLegend() {
    std::vector<LegendGroup> groups;
    if (session_) {
        LegendGroup current{QStringLiteral("bieżący: ") + QString::fromStdString(session_->resultsName()), {}};
        for (int k = 1; k < kSeriesCount; ++k)
            if (filled_[static_cast<std::size_t>(k)] && drawsLine(k))
                current.entries.push_back(
                    {QLatin1String(kChartQuantities[static_cast<std::size_t>(k)].caption), livePen(k, colours_)});
        if (session_->chartRowCount() > 0 || session_->keptRuns().empty()) groups.push_back(std::move(current));
        const std::vector<KeptRun>& runs = session_->keptRuns();
        for (std::size_t run = 0; run < runs.size() && run < kMaxKeptRuns; ++run) {
            LegendGroup kept{QStringLiteral("%1: %2").arg(run + 1).arg(QString::fromStdString(runs[run].name)), {}};
            for (int k = 1; k < kSeriesCount; ++k)
                if (kept_[run][static_cast<std::size_t>(k)].series)
                    kept.entries.push_back({QLatin1String(kChartQuantities[static_cast<std::size_t>(k)].caption),
                                            keptPen(k, static_cast<int>(run) + 1, colours_)});
            groups.push_back(std::move(kept));
        }
    }
    legend_->setGroups(std::move(groups));
    placeLegend();
}

void ResultChart::placeLegend() {
    const QRectF area = chart()->plotArea();
    legend_->place(QPointF(area.right() - kLegendInset, area.top() + kLegendInset),
                   std::min(kLegendWidest, area.width() - 2 * kLegendInset));
}

// ---- Readout ----

QLineSeries* ResultChart::seriesOf(int run, int k) const { return run == 0 ? series(k) : keptSeries(run, k); }

void ResultChart::collectReadoutLines() {
    readoutLines_.clear();
    readoutKeptRuns_ = 0;
    if (!session_) return;
    const ChartRows rows = session_->chartRows();
    for (int k = 1; k < kSeriesCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        if (filled_[index] && drawsLine(k) && session_->seriesRevision(k) == shownRevision_[index])
            readoutLines_.push_back({0, k, rows});
    }
    if (session_->keptRevision() != shownKeptRevision_) return;
    const std::vector<KeptRun>& runs = session_->keptRuns();
    for (std::size_t run = 0; run < runs.size() && run < kMaxKeptRuns; ++run)
        for (int k = 1; k < kSeriesCount; ++k)
            if (kept_[run][static_cast<std::size_t>(k)].series) {
                readoutLines_.push_back({static_cast<int>(run) + 1, k, runs[run].chartRows()});
                readoutKeptRuns_ = static_cast<int>(run) + 1;
            }
}

void ResultChart::showReadoutAt(QPointF position) {
    const QRectF area = chart()->plotArea();
    const QPointF point = chart()->mapFromScene(mapToScene(position.toPoint()));
    if (area.isEmpty() || !area.contains(point)) return hideReadout();
    collectReadoutLines();
    const PlotWindow w = plotWindow();
    const double time = w.xLow + (point.x() - area.left()) / area.width() * (w.xHigh - w.xLow);
    const double value = w.yLow + (area.bottom() - point.y()) / area.height() * (w.yHigh - w.yLow);
    readoutAt(readoutLines_, time, value, readout_);
    if (readout_.values.empty()) return hideReadout();
    const ReadoutValue& nearest = readout_.values[static_cast<std::size_t>(readout_.nearest)];
    emphasise(seriesOf(nearest.run, nearest.k));
    fillReadoutTable(readout_, readoutKeptRuns_, colours_, tip_->table());
    tip_->showAt(mapToGlobal(position.toPoint()));
}

void ResultChart::hideReadout() {
    tip_->hide();
    emphasise(nullptr);
}

bool ResultChart::readoutShown() const { return tip_->isVisible(); }

void ResultChart::emphasise(QLineSeries* line) {
    if (line == emphasised_) return;
    if (emphasised_) emphasised_->setPen(emphasisedPen_);
    emphasised_ = line;
    if (!line) return;
    emphasisedPen_ = line->pen();
    line->setPen(emphasised(emphasisedPen_));
}

void ResultChart::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    showReadoutAt(event->position());
}

void ResultChart::leaveEvent(QEvent* event) {
    hideReadout();
    QChartView::leaveEvent(event);
}

void ResultChart::hideEvent(QHideEvent* event) {
    hideReadout();
    QChartView::hideEvent(event);
}

}  // namespace tgsim::chart
