#pragma once
// Chart1: the line chart of the seventeen quantities against time, one series per quantity
// (series 0, "czas", is never filled), drawn from the session's results.
#include <QChartView>
#include <array>

#include "axis_scale.h"
#include "driver/session.h"
#include "line_decimation.h"

class QLineSeries;
class QValueAxis;

namespace tgsim::chart {

// The chart's size in the window, and of its pictures.
inline constexpr QSize kChartSize{705, 489};

class ResultChart : public QChartView {
    Q_OBJECT
public:
    explicit ResultChart(QWidget* parent);
    ~ResultChart() override;

    QLineSeries* series(int index) const { return series_.at(static_cast<std::size_t>(index)); }
    QValueAxis* timeAxis() const { return timeAxis_; }
    QValueAxis* valueAxis() const { return valueAxis_; }

    // Refills every series whose contents changed in the session since the last look, and
    // scales the axes to the filled series unless the user zoomed in. The chart keeps reading
    // the session's rows while it shows them (to choose their points again after a zoom or a
    // change of size), so the session must outlive the chart.
    void syncFromSession(const Session& session);
    // Rubber-band zooming with the left button; the right button goes back to the full view.
    void setZoomEnabled(bool enabled);
    // Back to the full view of every filled series.
    void resetZoom();
    // How finely the lines keep their points: kScreenDetail, or kVectorDetail while a vector
    // picture is drawn.
    void setLineDetail(LineDetail detail);
    LineDetail lineDetail() const { return detail_; }
    // The ranges shown and the device pixels they cover.
    PlotWindow plotWindow() const;

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // False when no series holds points (the axes stay as they are).
    bool scaleToData();
    void applyScale(QValueAxis* axis, const ValueRange& range, const AxisTicks& ticks);
    QSizeF plotSize() const;
    void updateLabelSteps();
    // Chooses the points of every filled line again when the window or the detail changed
    // since they were chosen.
    void refreshLines();
    // Zooms into the band (device pixels), widened where it would show less than an axis can.
    void zoomToBand(QRectF band);

    struct Drawn {
        PlotWindow window;
        LineDetail detail;
        bool valid = false;
    };

    QValueAxis* timeAxis_;
    QValueAxis* valueAxis_;
    const Session* session_ = nullptr;
    std::array<QLineSeries*, kSeriesCount> series_{};
    std::array<unsigned, kSeriesCount> shownRevision_{};
    std::array<bool, kSeriesCount> filled_{};
    std::array<Drawn, kSeriesCount> drawn_{};
    std::array<ValueRange, kSeriesCount> timeRange_{};
    std::array<ValueRange, kSeriesCount> valueRange_{};
    LineDetail detail_ = kScreenDetail;
    bool scaling_ = false;  // the axes are being set from code, not zoomed by the user
};

}  // namespace tgsim::chart
