#include "modal_plane_chart.h"

#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "base/cell_number.h"
#include "driver/stability_figures.h"

namespace tgsim::window {
namespace {

constexpr std::array<double, 3> kDampingLines = {0.0, 0.05, 0.10};
const std::array<QColor, 3> kDampingLineColours = {QColor(128, 128, 128), QColor(230, 120, 0), QColor(0, 150, 60)};
// Without an electromechanical mode the view opens on the modes within this distance of the
// origin (1/s): the regulator's and the rotor's slow modes.
constexpr double kSlowReach = 50.0;
// With one, on the modes within this many times its own distance.
constexpr double kReachOfTheSwing = 4.0;
// A point is named when the mouse is within this many pixels of it.
constexpr double kPointReach = 8.0;

QString number(double value, int digits = 4) { return QString::fromStdString(formatGeneral(value, digits)); }

QValueAxis* planeAxis(QChart* chart, Qt::Alignment alignment, const QString& title) {
    auto* axis = new QValueAxis(chart);
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.4g"));
    chart->addAxis(axis, alignment);
    return axis;
}

}  // namespace

QString modeDescription(const Mode& mode) {
    QString text = mode.imag != 0.0
                       ? QStringLiteral("f = %1 Hz, ζ = %2").arg(number(mode.frequencyHz), number(mode.dampingRatio))
                   : mode.timeConstant != 0.0 ? QStringLiteral("T = %1 s").arg(number(mode.timeConstant))
                                              : QStringLiteral("s = 0");
    text += QStringLiteral("\ns = %1 %2 j%3 1/s")
                .arg(number(mode.real), mode.imag < 0 ? QStringLiteral("-") : QStringLiteral("+"),
                     number(std::fabs(mode.imag)));
    return text + QStringLiteral("\nUdziały: ") + QString::fromStdString(participationCaptions(mode));
}

ModalPlaneChart::ModalPlaneChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("PlaszczyznaZespolona"));
    auto* chart = new QChart;
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    chart->legend()->setAlignment(Qt::AlignBottom);
    realAxis_ = planeAxis(chart, Qt::AlignBottom, QStringLiteral("Re s [1/s]"));
    imagAxis_ = planeAxis(chart, Qt::AlignLeft, QStringLiteral("Im s [rad/s]"));
    for (std::size_t i = 0; i < kDampingLines.size(); ++i) {
        auto* line = new QLineSeries(chart);
        line->setName(QStringLiteral("ζ = %1 %").arg(kDampingLines[i] * 100.0));
        line->setPen(QPen(kDampingLineColours[i], i == 0 ? 1 : 1.5, i == 0 ? Qt::SolidLine : Qt::DashLine));
        dampingLines_[i] = line;
    }
    modePoints_ = new QScatterSeries(chart);
    modePoints_->setName(QStringLiteral("mody"));
    modePoints_->setMarkerSize(8);
    modePoints_->setColor(QColor(0, 0, 128));
    electromechanicalPoints_ = new QScatterSeries(chart);
    electromechanicalPoints_->setName(QStringLiteral("mod elektromechaniczny"));
    electromechanicalPoints_->setMarkerSize(11);
    electromechanicalPoints_->setColor(QColor(220, 0, 0));
    for (QXYSeries* series : {static_cast<QXYSeries*>(dampingLines_[0]), static_cast<QXYSeries*>(dampingLines_[1]),
                              static_cast<QXYSeries*>(dampingLines_[2]), static_cast<QXYSeries*>(modePoints_),
                              static_cast<QXYSeries*>(electromechanicalPoints_)}) {
        chart->addSeries(series);
        series->attachAxis(realAxis_);
        series->attachAxis(imagAxis_);
    }
    chart->legend()->markers(dampingLines_[0]).first()->setVisible(false);  // the imaginary axis
    setChart(chart);
    setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    clearModes();
}

void ModalPlaneChart::setModes(const ModalResult& result) {
    modes_ = result.modes;
    electromechanical_ = result.electromechanical;
    QList<QPointF> points, swing;
    const Mode* em =
        result.electromechanical >= 0 ? &modes_[static_cast<std::size_t>(result.electromechanical)] : nullptr;
    const double reach = em ? kReachOfTheSwing * std::hypot(em->real, em->imag) : kSlowReach;
    double left = 0.0, top = 0.0, farthest = 0.0;
    for (const Mode& mode : modes_) {
        const bool ofTheSwing = em && mode.real == em->real && std::fabs(mode.imag) == em->imag;
        (ofTheSwing ? swing : points).append(QPointF(mode.real, mode.imag));
        const double size = std::hypot(mode.real, mode.imag);
        farthest = std::fmax(farthest, size);
        if (size > reach) continue;
        left = std::fmin(left, mode.real);
        top = std::fmax(top, std::fabs(mode.imag));
    }
    modePoints_->replace(points);
    electromechanicalPoints_->replace(swing);
    setView(QRectF(QPointF(left != 0.0 ? left : -1.0, top != 0.0 ? top : 1.0), QPointF(0.0, 0.0)), farthest);
}

void ModalPlaneChart::clearModes() {
    modes_.clear();
    electromechanical_ = -1;
    modePoints_->clear();
    electromechanicalPoints_->clear();
    hoverText_.clear();
    setView(QRectF(QPointF(-1.0, 1.0), QPointF(0.0, 0.0)), 1.0);
}

// `view` from its left edge to the origin and from its top edge down to the real axis: shown
// with margins, the right half-plane in part and the lower half-plane in mirror. The lines of
// constant damping reach `reach` from the origin, beyond every point.
void ModalPlaneChart::setView(const QRectF& view, double reach) {
    chart()->zoomReset();
    const double left = view.left() * 1.1, top = view.top() * 1.15;
    realAxis_->setRange(left, -0.1 * left);
    imagAxis_->setRange(-top, top);
    realAxis_->applyNiceNumbers();
    imagAxis_->applyNiceNumbers();
    const double radius = 2.0 * std::max({reach, std::fabs(left), top});
    for (std::size_t i = 0; i < kDampingLines.size(); ++i) {
        const double zeta = kDampingLines[i], up = std::sqrt(1.0 - zeta * zeta) * radius;
        dampingLines_[i]->replace({QPointF(-zeta * radius, up), QPointF(0.0, 0.0), QPointF(-zeta * radius, -up)});
    }
}

QPointF ModalPlaneChart::positionOf(double real, double imag) const {
    return mapFromScene(chart()->mapToScene(chart()->mapToPosition(QPointF(real, imag), modePoints_)));
}

void ModalPlaneChart::pointAt(QPointF position) {
    int nearest = -1;
    double nearestDistance = kPointReach;
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        const QPointF at = positionOf(modes_[i].real, modes_[i].imag);
        const double distance = std::hypot(at.x() - position.x(), at.y() - position.y());
        if (distance <= nearestDistance) {
            nearestDistance = distance;
            nearest = static_cast<int>(i);
        }
    }
    if (nearest < 0) {
        hoverText_.clear();
        QToolTip::hideText();
        return;
    }
    const Mode& mode = modes_[static_cast<std::size_t>(nearest)];
    const bool swing = electromechanical_ >= 0 &&
                       mode.real == modes_[static_cast<std::size_t>(electromechanical_)].real &&
                       std::fabs(mode.imag) == modes_[static_cast<std::size_t>(electromechanical_)].imag;
    hoverText_ = (swing ? QStringLiteral("Mod elektromechaniczny\n") : QString()) + modeDescription(mode);
    QToolTip::showText(mapToGlobal(position.toPoint()), hoverText_, this);
}

void ModalPlaneChart::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    pointAt(event->position());
}

void ModalPlaneChart::leaveEvent(QEvent* event) {
    hoverText_.clear();
    QToolTip::hideText();
    QChartView::leaveEvent(event);
}

}  // namespace tgsim::window
