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

namespace tgsim::chart {
namespace {

struct SeriesLook {
    QColor colour;
    Qt::PenStyle style;
};

// Colour and line style of series 0..17; series 6 holds its points but draws no line.
const std::array<SeriesLook, kSeriesCount> kSeriesLooks = {{
    {{128, 128, 128}, Qt::SolidLine},  {{0, 128, 0}, Qt::SolidLine},      {{128, 128, 128}, Qt::SolidLine},
    {{0, 0, 0}, Qt::DotLine},          {{255, 255, 0}, Qt::SolidLine},    {{255, 0, 0}, Qt::DashLine},
    {{128, 0, 64}, Qt::NoPen},         {{255, 0, 255}, Qt::SolidLine},    {{128, 128, 128}, Qt::SolidLine},
    {{0, 0, 128}, Qt::SolidLine},      {{128, 0, 64}, Qt::DashDotLine},   {{64, 0, 0}, Qt::SolidLine},
    {{128, 128, 0}, Qt::SolidLine},    {{128, 128, 128}, Qt::SolidLine},  {{128, 128, 128}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},  {{128, 128, 128}, Qt::SolidLine},  {{128, 128, 128}, Qt::SolidLine},
}};

constexpr double kSmallestValueStep = 0.01;
constexpr double kSmallestTimeStep = 1e-6;
constexpr int kTimeLabelSpacing = 90;   // pixels per label, about
constexpr int kValueLabelSpacing = 45;
constexpr int kSmallestZoom = 4;         // a smaller drag is a click, not a zoom
constexpr double kNoLabels = 1e300;      // a label step that leaves at most one label

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
    // digits write every label in its shortest form, with grouped thousands and at most six
    // decimals ("1", "0.25", "1,000.5").
    axis->setLabelFormat(QStringLiteral("%.15g"));
    axis->setMinorGridLineVisible(false);
}

}  // namespace

ResultChart::ResultChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("Chart1"));
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(28, 15, 28, 15));  // 4 % of the width, 3 % of the height
    QLinearGradient background(QPointF(1, 0), QPointF(0, 0));  // from the right edge to the left
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, QColor(255, 255, 128));
    chart->setBackgroundBrush(background);
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
        const SeriesLook& look = kSeriesLooks[static_cast<std::size_t>(k)];
        QPen pen(look.colour, 1);
        pen.setStyle(look.style);
        line->setPen(pen);
        series_[static_cast<std::size_t>(k)] = line;
    }
    setChart(chart);
    applyScale(timeAxis_, {0.0, 1.0, false}, {0.2, 0.0});
    applyScale(valueAxis_, {0.0, 1.0, false}, {0.2, 0.0});
    // A zoom by the mouse changes the ranges (scaling from code updates labels and lines itself);
    // a new plot size or position changes the pixels the lines' points are chosen for.
    for (QValueAxis* axis : {timeAxis_, valueAxis_}) {
        connect(axis, &QValueAxis::rangeChanged, this, [this] {
            if (scaling_) return;
            updateLabelSteps();
            refreshLines();
        });
    }
    connect(chart, &QChart::plotAreaChanged, this, &ResultChart::refreshLines);
    setAttribute(Qt::WA_NoMousePropagation);
}

// The chart and its axes go after this part of the object: their last signals must not reach it.
ResultChart::~ResultChart() {
    for (QObject* sender : std::initializer_list<QObject*>{chart(), timeAxis_, valueAxis_})
        disconnect(sender, nullptr, this, nullptr);
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
        drawn_[index].valid = false;
        timeRange_[index] = valueRange_[index] = ValueRange{};
        if (filled_[index]) {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                timeRange_[index].include(shownValue(rows.time(i)));
                valueRange_[index].include(shownValue(rows.value(k, i)));
            }
        }
        changed.push_back(k);
    }
    if (changed.empty()) return;
    // Emptied series first and the axes before the new points, so that each filled series is
    // laid out only once.
    for (int k : changed)
        if (!filled_[static_cast<std::size_t>(k)]) series_[static_cast<std::size_t>(k)]->clear();
    if (!chart()->isZoomed()) scaleToData();
    // New axis labels can move the plot area, and the points of a line depend on its pixels:
    // settle the layout before choosing them.
    QCoreApplication::sendPostedEvents(chart(), QEvent::LayoutRequest);
    refreshLines();
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
        Drawn& drawn = drawn_[index];
        if (drawn.valid && drawn.window == window && drawn.detail == detail_) continue;
        drawn = {window, detail_, true};
        const std::vector<LinePoint> line = clippedToMargin(linePoints(rows, k, window, detail_), window);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(line.size()));
        for (const LinePoint& p : line) points.append(QPointF(p.x, p.y));
        series_[index]->replace(points);
    }
}

bool ResultChart::scaleToData() {
    ValueRange time, value;
    for (int k = 0; k < kSeriesCount; ++k) {
        time.include(timeRange_[static_cast<std::size_t>(k)]);
        value.include(valueRange_[static_cast<std::size_t>(k)]);
    }
    if (time.empty) return false;  // an empty chart keeps its axes
    const ValueRange x = axisRange(time), y = axisRange(value);
    const QSizeF area = plotSize();
    applyScale(timeAxis_, x,
               axisTicks(x.low, x.high, std::max(2, int(area.width()) / kTimeLabelSpacing), kSmallestTimeStep));
    applyScale(valueAxis_, y,
               axisTicks(y.low, y.high, std::max(2, int(area.height()) / kValueLabelSpacing), kSmallestValueStep));
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

void ResultChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) QChartView::mousePressEvent(event);
    event->accept();
}

void ResultChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        resetZoom();
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

}  // namespace tgsim::chart
