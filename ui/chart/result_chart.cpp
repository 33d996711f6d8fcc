#include "result_chart.h"

#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>
#include <utility>

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
    applyScale(timeAxis_, {0.0, 1.0, false}, 0.2);
    applyScale(valueAxis_, {0.0, 1.0, false}, 0.2);
    connect(timeAxis_, &QValueAxis::rangeChanged, this, &ResultChart::updateLabelSteps);
    connect(valueAxis_, &QValueAxis::rangeChanged, this, &ResultChart::updateLabelSteps);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ResultChart::syncFromSession(const Session& session) {
    struct Refill {
        int k;
        QList<QPointF> points;
    };
    std::vector<Refill> refills;
    const std::size_t rows = session.chartRowCount();
    for (int k = 0; k < kSeriesCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        if (session.seriesRevision(k) == shownRevision_[index]) continue;
        shownRevision_[index] = session.seriesRevision(k);
        Refill refill{k, {}};
        timeRange_[index] = valueRange_[index] = ValueRange{};
        if (session.seriesFilled(k) && k > 0) {
            refill.points.reserve(static_cast<qsizetype>(rows));
            for (std::size_t i = 0; i < rows; ++i) {
                const auto row = session.results().row(i);
                const double y = chartValue(k, row, session.record());
                refill.points.append(QPointF(row[0], y));
                timeRange_[index].include(row[0]);
                valueRange_[index].include(y);
            }
        }
        refills.push_back(std::move(refill));
    }
    if (refills.empty()) return;
    // Emptied series first and the axes before the new points, so that each filled series is
    // laid out only once.
    for (Refill& refill : refills)
        if (refill.points.isEmpty()) series_[static_cast<std::size_t>(refill.k)]->clear();
    if (!chart()->isZoomed()) scaleToData();
    // New axis labels can move the plot area; settling that now, before the new points arrive,
    // saves laying out every line a second time (the costly part of a line of 7000 points).
    QCoreApplication::sendPostedEvents(chart(), QEvent::LayoutRequest);
    for (Refill& refill : refills)
        if (!refill.points.isEmpty()) series_[static_cast<std::size_t>(refill.k)]->replace(refill.points);
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
    applyScale(timeAxis_, x, labelStep(x.high - x.low, std::max(2, int(area.width()) / kTimeLabelSpacing), kSmallestTimeStep));
    applyScale(valueAxis_, y,
               labelStep(y.high - y.low, std::max(2, int(area.height()) / kValueLabelSpacing), kSmallestValueStep));
    return true;
}

// Every change of an axis lays out its labels again at once, so each axis is changed in the
// order that never has it show more labels than before or after: a coarser step goes in
// before the range, a finer one after it.
void ResultChart::applyScale(QValueAxis* axis, const ValueRange& range, double step) {
    const bool wasScaling = std::exchange(scaling_, true);
    if (step >= axis->tickInterval()) {
        axis->setTickInterval(step);
        axis->setRange(range.low, range.high);
    } else {
        axis->setRange(range.low, range.high);
        axis->setTickInterval(step);
    }
    scaling_ = wasScaling;
}

QSizeF ResultChart::plotSize() const {
    const QRectF area = chart()->plotArea();
    return area.isEmpty() ? QSizeF(size()) : area.size();
}

// After a zoom by the mouse: label steps for the range now shown.
void ResultChart::updateLabelSteps() {
    if (scaling_) return;
    const QSizeF area = plotSize();
    const double timeStep = labelStep(timeAxis_->max() - timeAxis_->min(),
                                      std::max(2, int(area.width()) / kTimeLabelSpacing), kSmallestTimeStep);
    const double valueStep = labelStep(valueAxis_->max() - valueAxis_->min(),
                                       std::max(2, int(area.height()) / kValueLabelSpacing), kSmallestValueStep);
    const bool wasScaling = std::exchange(scaling_, true);
    timeAxis_->setTickInterval(timeStep);
    valueAxis_->setTickInterval(valueStep);
    scaling_ = wasScaling;
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
    if (band && band->isVisible() && (band->width() < kSmallestZoom || band->height() < kSmallestZoom)) {
        band->hide();
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
