#pragma once
// Gain and phase of the stabilizer-tuning responses against frequency on a logarithmic axis:
// gep, pss and net of the stabilizer set in the grid, pss and net of a proposed setting dashed,
// the swing frequency marked and, on the phase, the band the net phase is aimed at. The phases
// are drawn continuous, each on the branch that puts its value at the swing frequency within
// (-180, 180] degrees.
#include <QWidget>
#include <array>

#include "core/analysis/frequency_response.h"

class QChart;
class QChartView;
class QLineSeries;
class QAreaSeries;
class QLogValueAxis;
class QValueAxis;

namespace tgsim::window {

class FrequencyResponseChart : public QWidget {
    Q_OBJECT
public:
    enum Curve { kGep, kPss, kNet, kProposedPss, kProposedNet, kCurveCount };

    explicit FrequencyResponseChart(QWidget* parent = nullptr);

    // The responses of the set in the grid and, when given, of the proposal; the swing frequency
    // marked when above 0.
    void setResponses(const FrequencyResponse& current, const FrequencyResponse* proposed, double swingFrequencyHz);
    // Nothing drawn (a refused analysis).
    void clear();

    QChartView* gainView() const { return gainView_; }
    QChartView* phaseView() const { return phaseView_; }
    QLineSeries* gain(Curve c) const { return gain_[static_cast<std::size_t>(c)]; }
    QLineSeries* phase(Curve c) const { return phase_[static_cast<std::size_t>(c)]; }
    QLineSeries* swingMarker() const { return swingPhase_; }

private:
    void fitAxes(double fromHz, double toHz);
    void alignPlotAreas();

    QChartView* gainView_;
    QChartView* phaseView_;
    QLogValueAxis* gainFrequency_;
    QLogValueAxis* gainAxis_;
    QLogValueAxis* phaseFrequency_;
    QValueAxis* phaseAxis_;
    std::array<QLineSeries*, kCurveCount> gain_{};
    std::array<QLineSeries*, kCurveCount> phase_{};
    QLineSeries* swingGain_;
    QLineSeries* swingPhase_;
    QLineSeries* bandTop_;
    QLineSeries* bandBottom_;
    QAreaSeries* band_;
};

}  // namespace tgsim::window
