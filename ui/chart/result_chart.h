#pragma once
// Chart1: the line chart of the seventeen quantities against time, one series per quantity
// (series 0, "czas", is never filled), drawn from the session's results.
#include <QChartView>
#include <array>

#include "axis_scale.h"
#include "driver/session.h"

class QLineSeries;
class QValueAxis;

namespace tgsim::chart {

// The chart's size in the window, and of its pictures.
inline constexpr QSize kChartSize{705, 489};

class ResultChart : public QChartView {
    Q_OBJECT
public:
    explicit ResultChart(QWidget* parent);

    QLineSeries* series(int index) const { return series_.at(static_cast<std::size_t>(index)); }
    QValueAxis* timeAxis() const { return timeAxis_; }

    // Refills every series whose contents changed in the session since the last look, each in
    // one bulk replacement, and scales the axes to the filled series unless the user zoomed in.
    void syncFromSession(const Session& session);
    // Rubber-band zooming with the left button; the right button goes back to the full view.
    void setZoomEnabled(bool enabled);
    // Back to the full view of every filled series.
    void resetZoom();

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // False when no series holds points (the axes stay as they are).
    bool scaleToData();
    void applyScale(QValueAxis* axis, const ValueRange& range, double step);
    QSizeF plotSize() const;
    void updateLabelSteps();

    QValueAxis* timeAxis_;
    QValueAxis* valueAxis_;
    std::array<QLineSeries*, kSeriesCount> series_{};
    std::array<unsigned, kSeriesCount> shownRevision_{};
    std::array<ValueRange, kSeriesCount> timeRange_{};
    std::array<ValueRange, kSeriesCount> valueRange_{};
    bool scaling_ = false;  // the axes are being set from code, not zoomed by the user
};

}  // namespace tgsim::chart
