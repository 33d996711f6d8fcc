#pragma once
// The modes of the operating point as points of the complex plane s: the electromechanical pair
// in its own colour, the lines of 5 % and 10 % damping ratio through the origin, and each point
// named in a tip when the mouse points at it.
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
    // Names the mode whose point lies within a few pixels of `position` (in the view) in a tip,
    // as a mouse move there does; hides the tip elsewhere. What it named last ("" when none).
    void pointAt(QPointF position);
    const QString& hoverText() const { return hoverText_; }
    // Where the point of s lies in the view.
    QPointF positionOf(double real, double imag) const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setView(const QRectF& view, double reach);

    QValueAxis* realAxis_;
    QValueAxis* imagAxis_;
    QScatterSeries* modePoints_;
    QScatterSeries* electromechanicalPoints_;
    std::array<QLineSeries*, 3> dampingLines_{};  // 0 %, 5 %, 10 %
    std::vector<Mode> modes_;
    int electromechanical_ = -1;
    QString hoverText_;
};

// The figures that name a mode: frequency and damping ratio of an oscillation, the time constant
// of a real mode, and its largest participations; decimal commas.
QString modeDescription(const Mode& mode);

}  // namespace tgsim::window
