#include "frequency_response_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/analysis/phase_compensation.h"
#include "driver/tuning_figures.h"

namespace tgsim::window {
namespace {

struct CurveLook {
    const char* name;
    QColor colour;
    Qt::PenStyle style;
};
const std::array<CurveLook, FrequencyResponseChart::kCurveCount> kCurves = {{
    {"gep P/(rad/s)", QColor(0, 70, 200), Qt::SolidLine},
    {"pss (rad/s)/w", QColor(0, 140, 60), Qt::SolidLine},
    {"net P/w", QColor(200, 0, 0), Qt::SolidLine},
    {"pss – propozycja", QColor(0, 140, 60), Qt::DashLine},
    {"net – propozycja", QColor(200, 0, 0), Qt::DashLine},
}};

constexpr int kMargin = 4;

QChart* newChart() {
    auto* chart = new QChart;
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    chart->setMargins(QMargins(kMargin, kMargin, kMargin, kMargin));
    return chart;
}

// The phase continuous along the curve (no jumps of 360 degrees), on the branch that puts the
// point nearest `anchorHz` within (-180, 180].
void unwrapPhases(QList<QPointF>& points, double anchorHz) {
    if (points.isEmpty()) return;
    for (qsizetype i = 1; i < points.size(); ++i) {
        const double step = points[i].y() - points[i - 1].y();
        points[i].setY(points[i].y() - 360.0 * std::round(step / 360.0));
    }
    qsizetype anchor = 0;
    for (qsizetype i = 0; i < points.size(); ++i)
        if (std::fabs(std::log(points[i].x() / anchorHz)) < std::fabs(std::log(points[anchor].x() / anchorHz)))
            anchor = i;
    const double shift = points[anchor].y() - wrappedDegrees(points[anchor].y());
    for (QPointF& p : points) p.setY(p.y() - shift);
}

QLogValueAxis* logAxis(QChart* chart, Qt::Alignment alignment, const QString& title) {
    auto* axis = new QLogValueAxis(chart);
    axis->setBase(10.0);
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.3g"));
    axis->setMinorTickCount(8);
    chart->addAxis(axis, alignment);
    return axis;
}

QLineSeries* line(QChart* chart, const QString& name, const QPen& pen, QAbstractAxis* x, QAbstractAxis* y) {
    auto* series = new QLineSeries(chart);
    series->setName(name);
    series->setPen(pen);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

QChartView* view(QChart* chart, QWidget* parent, const char* name) {
    auto* v = new QChartView(chart, parent);
    v->setObjectName(QString::fromLatin1(name));
    v->setRenderHint(QPainter::Antialiasing);
    return v;
}

}  // namespace

FrequencyResponseChart::FrequencyResponseChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CharakterystykiCzestotliwosciowe"));
    QChart* gain = newChart();
    QChart* phase = newChart();
    gainFrequency_ = logAxis(gain, Qt::AlignBottom, QStringLiteral("f [Hz]"));
    gainAxis_ = logAxis(gain, Qt::AlignLeft, QStringLiteral("wzmocnienie"));
    phaseFrequency_ = logAxis(phase, Qt::AlignBottom, QStringLiteral("f [Hz]"));
    phaseAxis_ = new QValueAxis(phase);
    phaseAxis_->setTitleText(QStringLiteral("faza [°]"));
    phaseAxis_->setRange(-180.0, 180.0);
    phaseAxis_->setTickType(QValueAxis::TicksDynamic);
    phaseAxis_->setTickAnchor(0.0);
    phaseAxis_->setTickInterval(45.0);
    phaseAxis_->setLabelFormat(QStringLiteral("%.0f"));
    phase->addAxis(phaseAxis_, Qt::AlignLeft);

    // The target band first, so that the curves lie above it.
    bandTop_ = new QLineSeries(phase);
    bandBottom_ = new QLineSeries(phase);
    band_ = new QAreaSeries(bandTop_, bandBottom_);
    band_->setName(QStringLiteral("cel net %1…%2°").arg(kTargetPhaseTo).arg(kTargetPhaseFrom));
    band_->setColor(QColor(120, 200, 120, 70));
    band_->setBorderColor(QColor(120, 200, 120, 70));
    phase->addSeries(band_);
    band_->attachAxis(phaseFrequency_);
    band_->attachAxis(phaseAxis_);

    for (std::size_t c = 0; c < kCurves.size(); ++c) {
        const QPen pen(kCurves[c].colour, 1.6, kCurves[c].style);
        gain_[c] = line(gain, QString::fromUtf8(kCurves[c].name), pen, gainFrequency_, gainAxis_);
        phase_[c] = line(phase, QString::fromUtf8(kCurves[c].name), pen, phaseFrequency_, phaseAxis_);
    }
    const QPen marker(QColor(110, 110, 110), 1.2, Qt::DotLine);
    swingGain_ = line(gain, QString(), marker, gainFrequency_, gainAxis_);
    swingPhase_ = line(phase, QString(), marker, phaseFrequency_, phaseAxis_);
    gain->legend()->hide();
    phase->legend()->setAlignment(Qt::AlignBottom);

    for (QChart* chart : {gain, phase}) connect(chart, &QChart::plotAreaChanged, this, [this] { alignPlotAreas(); });
    gainView_ = view(gain, this, "Wzmocnienie");
    phaseView_ = view(phase, this, "Faza");
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(gainView_, 1);
    box->addWidget(phaseView_, 1);
    clear();
}

void FrequencyResponseChart::setResponses(const FrequencyResponse& current, const FrequencyResponse* proposed,
                                          double swingFrequencyHz) {
    std::array<QList<QPointF>, kCurveCount> gains, phases;
    double low = INFINITY, high = 0.0;
    const auto add = [&](Curve c, double f, std::complex<double> value) {
        const double size = std::abs(value);
        if (!(size > 0.0)) return;  // nothing to draw on a log axis (no stabilizer acting)
        gains[c].append(QPointF(f, size));
        phases[c].append(QPointF(f, phaseDegrees(value)));
        low = std::fmin(low, size), high = std::fmax(high, size);
    };
    for (const FrequencyPoint& p : current.points) {
        add(kGep, p.frequencyHz, p.gep);
        add(kPss, p.frequencyHz, p.pss);
        add(kNet, p.frequencyHz, p.net);
    }
    if (proposed) {
        for (const FrequencyPoint& p : proposed->points) {
            add(kProposedPss, p.frequencyHz, p.pss);
            add(kProposedNet, p.frequencyHz, p.net);
        }
    }
    if (current.points.empty()) return clear();
    const double anchorHz = swingFrequencyHz > 0.0 ? swingFrequencyHz : current.points.front().frequencyHz;
    double lowest = -180.0, highest = 180.0;
    for (std::size_t c = 0; c < kCurves.size(); ++c) {
        unwrapPhases(phases[c], anchorHz);
        for (const QPointF& p : phases[c]) lowest = std::fmin(lowest, p.y()), highest = std::fmax(highest, p.y());
        gain_[c]->replace(gains[c]);
        phase_[c]->replace(phases[c]);
    }
    phaseAxis_->setRange(45.0 * std::floor(lowest / 45.0), 45.0 * std::ceil(highest / 45.0));
    const double from = current.points.front().frequencyHz, to = current.points.back().frequencyHz;
    fitAxes(from, to);
    if (high > 0.0)
        gainAxis_->setRange(std::pow(10.0, std::floor(std::log10(low))), std::pow(10.0, std::ceil(std::log10(high))));
    const bool marked = swingFrequencyHz > 0.0;
    swingGain_->replace(marked
                            ? QList<QPointF>{{swingFrequencyHz, gainAxis_->min()}, {swingFrequencyHz, gainAxis_->max()}}
                            : QList<QPointF>{});
    swingPhase_->replace(
        marked ? QList<QPointF>{{swingFrequencyHz, phaseAxis_->min()}, {swingFrequencyHz, phaseAxis_->max()}}
               : QList<QPointF>{});
    swingPhase_->setName(
        marked ? QStringLiteral("wahania %1 Hz").arg(QLocale(QLocale::Polish).toString(swingFrequencyHz, 'g', 3))
               : QString());
    phaseView_->chart()->legend()->markers(swingPhase_).first()->setVisible(marked);
}

void FrequencyResponseChart::clear() {
    for (std::size_t c = 0; c < kCurves.size(); ++c) {
        gain_[c]->clear();
        phase_[c]->clear();
    }
    swingGain_->clear();
    swingPhase_->clear();
    phaseView_->chart()->legend()->markers(swingPhase_).first()->setVisible(false);
    fitAxes(0.1, 5.0);
    gainAxis_->setRange(1e-3, 1e3);
    phaseAxis_->setRange(-180.0, 180.0);
}

// The two plot areas start at the same x, whatever the width of their value labels, so that a
// frequency lies at the same place in both.
void FrequencyResponseChart::alignPlotAreas() {
    const std::array<QChart*, 2> charts = {gainView_->chart(), phaseView_->chart()};
    qreal widest = 0.0;
    for (QChart* c : charts) widest = std::max(widest, c->plotArea().left() - c->margins().left());
    for (QChart* c : charts) {
        QMargins margins = c->margins();
        const int left = kMargin + static_cast<int>(std::lround(widest - (c->plotArea().left() - margins.left())));
        if (left == margins.left()) continue;
        margins.setLeft(left);
        c->setMargins(margins);
    }
}

void FrequencyResponseChart::fitAxes(double fromHz, double toHz) {
    // A little wider, so that a decade at an end of the range still gets its label.
    for (QLogValueAxis* axis : {gainFrequency_, phaseFrequency_}) axis->setRange(fromHz * 0.999, toHz * 1.001);
    const double left = std::fmax(fromHz, kBandFromHz), right = std::fmin(toHz, kBandToHz);
    bandTop_->replace({{left, kTargetPhaseTo}, {right, kTargetPhaseTo}});
    bandBottom_->replace({{left, kTargetPhaseFrom}, {right, kTargetPhaseFrom}});
}

}  // namespace tgsim::window
