#pragma once
// Chart1: the line chart of the seventeen quantities against time, one series per quantity
// (series 0, "czas", is never filled), drawn from the session's results; after them, lighter and
// dashed, the ticked quantities of the kept runs. A legend on demand, and a readout of the values
// under the mouse.
#include <QChartView>
#include <array>
#include <vector>

#include "axis_scale.h"
#include "chart_legend.h"
#include "chart_look.h"
#include "driver/session.h"
#include "line_decimation.h"
#include "readout.h"

class QLineSeries;
class QMenu;
class QValueAxis;

namespace tgsim::chart {

class ReadoutTip;

// The chart's size in the window at start-up, and of its pictures.
inline constexpr QSize kChartSize{705, 489};

class ResultChart : public QChartView {
    Q_OBJECT
public:
    explicit ResultChart(QWidget* parent);
    ~ResultChart() override;

    QLineSeries* series(int index) const { return live_.at(static_cast<std::size_t>(index)).series; }
    // The line of quantity k of kept run `run` (1..kMaxKeptRuns), or nullptr when none is drawn.
    QLineSeries* keptSeries(int run, int k) const;
    QValueAxis* timeAxis() const { return timeAxis_; }
    QValueAxis* valueAxis() const { return valueAxis_; }

    // Refills every series whose contents changed in the session since the last look (and the
    // kept runs' lines, when the kept runs or the ticked quantities changed), and scales the
    // axes to the filled series unless the user zoomed in. The chart keeps reading the session's
    // rows while it shows them (to choose their points again after a zoom or a change of size),
    // so the session must outlive the chart.
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

    // The lines' colours: the standard ones, or a colour of its own for every quantity (in the
    // lines, the kept runs' lines, the legend, the readout and so in every picture).
    void setDistinctColours(bool distinct);
    LineColours lineColours() const { return colours_; }

    // The drawn quantities of the current computation over the time range shown, as a table for
    // a spreadsheet (writeChartTable), and the same put on the clipboard (Ctrl+C).
    QString visibleRangeText() const;
    void copyVisibleRange();

    // The legend (off until switched on) and what it lists.
    void setLegendShown(bool shown);
    bool legendShown() const;
    const std::vector<LegendGroup>& legendGroups() const;

    // The readout at a point of the view (device pixels), as a mouse move there shows it; the
    // tip hides when the point lies outside the plot or no line has a value there.
    void showReadoutAt(QPointF position);
    void hideReadout();
    // What the tip shows (meaningful while readoutShown()), and the tip itself.
    const Readout& readout() const { return readout_; }
    bool readoutShown() const;
    ReadoutTip* readoutTip() const { return tip_; }
    // The menu a right click opens while the readout shows (copy its values, copy the range, full
    // view); nullptr before the first.
    QMenu* contextMenu() const { return menu_; }

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Drawn {
        PlotWindow window;
        LineDetail detail;
        bool valid = false;
    };
    // One drawn series: its points were chosen for `drawn`; the ranges of its rows' values
    // (for a kept run's line, kept while `measured` also when the series goes).
    struct Line {
        QLineSeries* series = nullptr;
        Drawn drawn;
        ValueRange time, value;
        bool measured = false;
    };

    // Makes the kept runs' lines follow the session: one for each kept run and drawn quantity.
    void syncKeptLines(const Session& session, bool keptChanged);
    QLineSeries* addSeries(const QPen& pen);
    void removeSeries(Line& line);
    void updateLegend();
    void placeLegend();
    // The lines the readout reads, as the chart shows them now.
    void collectReadoutLines();
    QLineSeries* seriesOf(int run, int k) const;
    void emphasise(QLineSeries* series);
    // False when no series holds points (the axes stay as they are).
    bool scaleToData();
    void applyScale(QValueAxis* axis, const ValueRange& range, const AxisTicks& ticks);
    QSizeF plotSize() const;
    void updateLabelSteps();
    // Chooses the points of every filled line again when the window or the detail changed
    // since they were chosen.
    void refreshLines();
    void refreshLine(Line& line, const ChartRows& rows, int k, const PlotWindow& window);
    // Zooms into the band (device pixels), widened where it would show less than an axis can.
    void zoomToBand(QRectF band);
    // A right click: the menu over a readout, otherwise straight back to the full view.
    void rightClicked(QPoint position);
    void applyColours();

    QValueAxis* timeAxis_;
    QValueAxis* valueAxis_;
    const Session* session_ = nullptr;
    std::array<Line, kSeriesCount> live_{};
    std::array<unsigned, kSeriesCount> shownRevision_{};
    std::array<bool, kSeriesCount> filled_{};
    std::array<std::array<Line, kSeriesCount>, kMaxKeptRuns> kept_{};
    unsigned shownKeptRevision_ = 0;
    LineDetail detail_ = kScreenDetail;
    bool scaling_ = false;  // the axes are being set from code, not zoomed by the user
    QSize scaledFor_;       // the chart's size when the label steps were chosen (none before data)
    ChartLegend* legend_ = nullptr;
    ReadoutTip* tip_ = nullptr;
    std::vector<ReadoutLine> readoutLines_;
    int readoutKeptRuns_ = 0;  // how many kept runs readoutLines_ reads
    Readout readout_;
    QLineSeries* emphasised_ = nullptr;
    QPen emphasisedPen_;  // its own pen, given back when the emphasis moves
    LineColours colours_ = LineColours::Standard;
    QMenu* menu_ = nullptr;
};

}  // namespace tgsim::chart
