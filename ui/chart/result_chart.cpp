#include "result_chart.h"

#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>
#include <utility>
#include <vector>

#include "chart_look.h"
#include "readout_tip.h"

namespace tgsim::chart {
namespace {

constexpr double kSmallestValueStep = 0.01;
constexpr double kSmallestTimeStep = 1e-6;
constexpr int kTimeLabelSpacing = 90;  // pixels per label, about
constexpr int kValueLabelSpacing = 45;
constexpr int kSmallestZoom = 4;     // a smaller drag is a click, not a zoom
constexpr double kNoLabels = 1e300;  // a label step that leaves at most one label

QFont axisTitleFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(16);
    font.setBold(false);
    return font;
}

void styleAxis(QValueAxis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setTitleFont(axisTitleFont());
    axis->setTitleBrush(Qt::black);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    // Label steps are 1, 2 or 5 times a power of ten, no finer than 1e-6: fifteen significant
    // digits write every label in its shortest form, with grouped thousands, a decimal comma
    // (the chart's locale) and at most six decimals ("1", "0,25", "1 000,5").
    axis->setLabelFormat(QStringLiteral("%.15g"));
    axis->setMinorGridLineVisible(false);
}

// The time and value ranges of quantity k of the rows.
void measure(ValueRange& time, ValueRange& value, const ChartRows& rows, int k) {
    time = value = ValueRange{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        time.include(shownValue(rows.time(i)));
        value.include(shownValue(rows.value(k, i)));
    }
}

}  // namespace

ResultChart::ResultChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("Chart1"));
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(28, 15, 28, 15));               // 4 % of the width, 3 % of the height
    QLinearGradient background(QPointF(1, 0), QPointF(0, 0));  // from the right edge to the left
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, QColor(255, 255, 128));
    chart->setBackgroundBrush(background);
    chart->setLocale(chartLocale());
    chart->setLocalizeNumbers(true);

    timeAxis_ = new QValueAxis(chart);
    valueAxis_ = new QValueAxis(chart);
    chart->addAxis(timeAxis_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    styleAxis(timeAxis_, QStringLiteral("time [s]"));
    styleAxis(valueAxis_, QStringLiteral("Relative values"));
    valueAxis_->setMinorTickCount(1);

    for (int k = 0; k < kSeriesCount; ++k) {
        auto* line = new QLineSeries(chart);
        line->setName(QString::fromLatin1(kChartQuantities[static_cast<std::size_t>(k)].caption));
        chart->addSeries(line);
        line->attachAxis(timeAxis_);
        line->attachAxis(valueAxis_);
        line->setPen(livePen(k, colours_));
        live_[static_cast<std::size_t>(k)].series = line;
    }
    setChart(chart);
    applyScale(timeAxis_, {0.0, 1.0, false}, {0.2, 0.0});
    applyScale(valueAxis_, {0.0, 1.0, false}, {0.2, 0.0});
    legend_ = new ChartLegend;
    legend_->setParentItem(chart);
    legend_->setVisible(false);
    tip_ = new ReadoutTip(this);
    // A zoom by the mouse changes the ranges (scaling from code updates labels and lines itself);
    // a new plot size or position changes the pixels the lines' points are chosen for.
    for (QValueAxis* axis : {timeAxis_, valueAxis_}) {
        connect(axis, &QValueAxis::rangeChanged, this, [this] {
            if (scaling_) return;
            updateLabelSteps();
            refreshLines();
        });
    }
    connect(chart, &QChart::plotAreaChanged, this, [this] {
        refreshLines();
        placeLegend();
    });
    setAttribute(Qt::WA_NoMousePropagation);
    // The readout follows the mouse. The scene's items need no mouse events of their own (the
    // view does the zooming), so it does not hit-test every line at every move.
    setMouseTracking(true);
    setInteractive(false);
}

// The chart and its axes go after this part of the object: their last signals must not reach it.
ResultChart::~ResultChart() {
    for (QObject* sender : std::initializer_list<QObject*>{chart(), timeAxis_, valueAxis_})
        disconnect(sender, nullptr, this, nullptr);
}

QLineSeries* ResultChart::keptSeries(int run, int k) const {
    if (run < 1 || run > static_cast<int>(kMaxKeptRuns) || k < 0 || k >= kSeriesCount) return nullptr;
    return kept_[static_cast<std::size_t>(run - 1)][static_cast<std::size_t>(k)].series;
}

void ResultChart::syncFromSession(const Session& session) {
    session_ = &session;
    const ChartRows rows = session.chartRows();
    std::vector<int> changed;
    for (int k = 0; k < kSeriesCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        if (session.seriesRevision(k) == shownRevision_[index]) continue;
        shownRevision_[index] = session.seriesRevision(k);
        filled_[index] = k > 0 && session.seriesFilled(k) && rows.size() > 0;
        Line& line = live_[index];
        line.drawn.valid = false;
        line.time = line.value = ValueRange{};
        if (filled_[index]) measure(line.time, line.value, rows, k);
        changed.push_back(k);
    }
    const bool keptChanged = session.keptRevision() != shownKeptRevision_;
    if (changed.empty() && !keptChanged) return;
    hideReadout();  // its lines may go
    // Emptied series first and the axes before the new points, so that each filled series is
    // laid out only once.
    for (int k : changed)
        if (!filled_[static_cast<std::size_t>(k)]) live_[static_cast<std::size_t>(k)].series->clear();
    syncKeptLines(session, keptChanged);
    if (!chart()->isZoomed()) scaleToData();
    // New axis labels can move the plot area, and the points of a line depend on its pixels:
    // settle the layout before choosing them.
    QCoreApplication::sendPostedEvents(chart(), QEvent::LayoutRequest);
    refreshLines();
    updateLegend();
}

void ResultChart::syncKeptLines(const Session& session, bool keptChanged) {
    shownKeptRevision_ = session.keptRevision();
    const std::vector<KeptRun>& runs = session.keptRuns();
    for (std::size_t run = 0; run < kMaxKeptRuns; ++run) {
        for (int k = 1; k < kSeriesCount; ++k) {
            Line& line = kept_[run][static_cast<std::size_t>(k)];
            // A kept run's rows never change: the ranges of its values are measured once (a new
            // computation takes its lines away and brings them back).
            if (keptChanged) line.measured = false;
            // A ticked box draws the kept runs' lines also when the current computation has no
            // rows (it failed): they are the user's reference.
            const bool wanted =
                run < runs.size() && session.view().seriesChecked[static_cast<std::size_t>(k)] && drawsLine(k);
            if (!wanted) {
                removeSeries(line);
                continue;
            }
            if (!line.series) line.series = addSeries(keptPen(k, static_cast<int>(run) + 1, colours_));
            if (line.measured && !keptChanged) continue;
            line.drawn.valid = false;
            measure(line.time, line.value, runs[run].chartRows(), k);
            line.measured = true;
        }
    }
}

QLineSeries* ResultChart::addSeries(const QPen& pen) {
    auto* series = new QLineSeries(chart());
    chart()->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(valueAxis_);
    series->setPen(pen);
    return series;
}

void ResultChart::removeSeries(Line& line) {
    if (!line.series) return;
    if (line.series == emphasised_) emphasise(nullptr);
    chart()->removeSeries(line.series);
    delete line.series;
    line.series = nullptr;
    line.drawn.valid = false;
}

PlotWindow ResultChart::plotWindow() const {
    const QRectF area = chart()->plotArea();
    return {timeAxis_->min(), timeAxis_->max(), valueAxis_->min(), valueAxis_->max(), area.left(), area.width()};
}

void ResultChart::setLineDetail(LineDetail detail) {
    detail_ = detail;
    refreshLines();
}

void ResultChart::refreshLines() {
    if (!session_) return;
    const PlotWindow window = plotWindow();
    const ChartRows rows = session_->chartRows();
    for (int k = 1; k < kSeriesCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        // A series the session has changed since the last look is refilled by the next look.
        if (!filled_[index] || session_->seriesRevision(k) != shownRevision_[index]) continue;
        refreshLine(live_[index], rows, k, window);
    }
    if (session_->keptRevision() != shownKeptRevision_) return;
    const std::vector<KeptRun>& runs = session_->keptRuns();
    for (std::size_t run = 0; run < runs.size() && run < kMaxKeptRuns; ++run)
        for (int k = 1; k < kSeriesCount; ++k)
            if (kept_[run][static_cast<std::size_t>(k)].series)
                refreshLine(kept_[run][static_cast<std::size_t>(k)], runs[run].chartRows(), k, window);
}

void ResultChart::refreshLine(Line& line, const ChartRows& rows, int k, const PlotWindow& window) {
    if (line.drawn.valid && line.drawn.window == window && line.drawn.detail == detail_) return;
    line.drawn = {window, detail_, true};
    const std::vector<LinePoint> points = clippedToMargin(linePoints(rows, k, window, detail_), window);
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const LinePoint& p : points) list.append(QPointF(p.x, p.y));
    line.series->replace(list);
}

bool ResultChart::scaleToData() {
    ValueRange time, value;
    for (const Line& line : live_) {
        time.include(line.time);
        value.include(line.value);
    }
    for (const auto& run : kept_)
        for (const Line& line : run)
            if (line.series) {
                time.include(line.time);
                value.include(line.value);
            }
    if (time.empty) return false;  // an empty chart keeps its axes
    const ValueRange x = axisRange(time), y = axisRange(value);
    const QSizeF area = plotSize();
    applyScale(timeAxis_, x,
               axisTicks(x.low, x.high, std::max(2, int(area.width()) / kTimeLabelSpacing), kSmallestTimeStep));
    applyScale(valueAxis_, y,
               axisTicks(y.low, y.high, std::max(2, int(area.height()) / kValueLabelSpacing), kSmallestValueStep));
    scaledFor_ = size();
    return true;
}

// Every change of an axis lays out its labels again at once, so each axis is changed in the
// order that never has it show more labels than before or after: a coarser step goes in
// before the range, a finer one after it, and while the labels' anchor moves there are none.
void ResultChart::applyScale(QValueAxis* axis, const ValueRange& range, const AxisTicks& ticks) {
    const bool wasScaling = std::exchange(scaling_, true);
    if (ticks.anchor != axis->tickAnchor()) {
        axis->setTickInterval(kNoLabels);
        axis->setTickAnchor(ticks.anchor);
        axis->setRange(range.low, range.high);
        axis->setTickInterval(ticks.step);
    } else if (ticks.step >= axis->tickInterval()) {
        axis->setTickInterval(ticks.step);
        axis->setRange(range.low, range.high);
    } else {
        axis->setRange(range.low, range.high);
        axis->setTickInterval(ticks.step);
    }
    scaling_ = wasScaling;
}

QSizeF ResultChart::plotSize() const {
    const QRectF area = chart()->plotArea();
    return area.isEmpty() ? QSizeF(size()) : area.size();
}

// After a zoom by the mouse: label steps for the range now shown, and the lines' points for it.
void ResultChart::updateLabelSteps() {
    const QSizeF area = plotSize();
    const ValueRange x{timeAxis_->min(), timeAxis_->max(), false}, y{valueAxis_->min(), valueAxis_->max(), false};
    applyScale(timeAxis_, x,
               axisTicks(x.low, x.high, std::max(2, int(area.width()) / kTimeLabelSpacing), kSmallestTimeStep));
    applyScale(valueAxis_, y,
               axisTicks(y.low, y.high, std::max(2, int(area.height()) / kValueLabelSpacing), kSmallestValueStep));
    scaledFor_ = size();
}

void ResultChart::setZoomEnabled(bool enabled) {
    const RubberBand wanted = enabled ? QChartView::RectangleRubberBand : QChartView::NoRubberBand;
    if (rubberBand() != wanted) setRubberBand(wanted);
}

void ResultChart::resetZoom() {
    // The full range with a zoomed-in label step would mean thousands of labels for a moment:
    // no labels until the steps for the full range are in.
    const bool wasScaling = std::exchange(scaling_, true);
    for (QValueAxis* axis : {timeAxis_, valueAxis_}) axis->setTickInterval(kNoLabels);
    chart()->zoomReset();
    scaling_ = wasScaling;
    if (!scaleToData()) updateLabelSteps();
    refreshLines();
}

namespace {

// The band's pixels [from, from + length) along an axis of `pixels` pixels showing low..high
// from pixel 0 on, widened about its middle to show at least the axis' smallest extent.
void widenBand(double& from, double& length, double pixels, double low, double high) {
    const double perPixel = (high - low) / pixels;
    const double least = smallestSpan(low + from * perPixel, low + (from + length) * perPixel) / perPixel;
    if (!(length < least)) return;
    from -= (least - length) / 2;
    length = least;
}

}  // namespace

void ResultChart::zoomToBand(QRectF band) {
    const QRectF area = chart()->plotArea();
    if (area.isEmpty()) return;
    double x = band.left() - area.left(), width = band.width();
    widenBand(x, width, area.width(), timeAxis_->min(), timeAxis_->max());
    double y = area.bottom() - band.bottom(), height = band.height();  // values grow upwards
    widenBand(y, height, area.height(), valueAxis_->min(), valueAxis_->max());
    chart()->zoomIn(QRectF(area.left() + x, area.bottom() - y - height, width, height));
}

void ResultChart::setDistinctColours(bool distinct) {
    const LineColours wanted = distinct ? LineColours::Distinct : LineColours::Standard;
    if (wanted == colours_) return;
    colours_ = wanted;
    applyColours();
}

void ResultChart::applyColours() {
    hideReadout();  // gives the emphasised line its own pen back first
    for (int k = 0; k < kSeriesCount; ++k) live_[static_cast<std::size_t>(k)].series->setPen(livePen(k, colours_));
    for (std::size_t run = 0; run < kMaxKeptRuns; ++run)
        for (int k = 1; k < kSeriesCount; ++k)
            if (QLineSeries* line = kept_[run][static_cast<std::size_t>(k)].series)
                line->setPen(keptPen(k, static_cast<int>(run) + 1, colours_));
    updateLegend();
}

void ResultChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) QChartView::mousePressEvent(event);
    event->accept();
}

void ResultChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightClicked(event->position().toPoint());
        event->accept();
        return;
    }
    auto* band = findChild<QRubberBand*>();
    if (band && band->isVisible() && event->button() == Qt::LeftButton) {
        band->hide();
        if (band->width() >= kSmallestZoom && band->height() >= kSmallestZoom) zoomToBand(band->geometry());
    } else {
        QChartView::mouseReleaseEvent(event);
    }
    event->accept();
}

void ResultChart::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

// A larger or smaller chart (the window resized) gets label steps for its new size.
void ResultChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    if (!scaledFor_.isValid() || scaledFor_ == size()) return;
    QCoreApplication::sendPostedEvents(chart(), QEvent::LayoutRequest);
    if (chart()->isZoomed() || !scaleToData()) updateLabelSteps();
    refreshLines();
}

}  // namespace tgsim::chart
