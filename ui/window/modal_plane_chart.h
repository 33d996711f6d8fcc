#pragma once
// The modes of the operating point as points of the complex plane s: the electromechanical pair
// in its own colour, the lines of 5 % and 10 % damping ratio through the origin, and each point
// named by hovering over it.
#include <QChartView>
#include <array>
#include <vector>

#include "core/analysis/modal_analysis.h"

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace tgsim::window {

class ModalPlaneChart : public QChartView {
    Q_OBJECT
public:
    explicit ModalPlaneChart(QWidget* parent = nullptr);

    // The points of `modes`; the view opens on the slow modes around the electromechanical one
    // (the user zooms with a rectangle, out with the right button).
    void setModes(const ModalResult& modes);
    // No points (a refused analysis).
    void clearModes();

    QScatterSeries* modePoints() const { return modePoints_; }
    QScatterSeries* electromechanicalPoints() const { return electromechanicalPoints_; }
    // What hovering last named ("" once the pointer has left the point).
    const QString& hoverText() const { return hoverText_; }

private:
    void pointHovered(const QPointF& point, bool entered);
    void setView(const QRectF& view, double reach);

    QValueAxis* realAxis_;
    QValueAxis* imagAxis_;
    QScatterSeries* modePoints_;
    QScatterSeries* electromechanicalPoints_;
    std::array<QLineSeries*, 3> dampingLines_{};  // 0 %, 5 %, 10 %
    std::vector<Mode> modes_;
    QString hoverText_;
};

// The figures that name a mode: frequency and damping ratio of an oscillation, the time constant
// of a real mode, and its largest participations; decimal commas.
QString modeDescription(const Mode& mode);

}  // namespace tgsim::window
