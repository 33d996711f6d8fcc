#include "chart_fixture.h"

#include <QLineSeries>
#include <QValueAxis>
#include <QtEndian>

#include <algorithm>
#include <cmath>

#include "driver/session.h"
#include "ui/chart/result_chart.h"
#include "ui/metafile/chart_picture.h"

namespace tgsim::testing {
namespace {

// Quantities with distinct colours and every dash style: Uw, Id, iQ1 (dashed), alfa, w,
// iD1 (dotted), beta (dash-dot).
constexpr int kLines[] = {13, 1, 5, 9, 7, 3, 10};

}  // namespace

const std::vector<ChartLine>& fixtureLines() {
    static const std::vector<ChartLine> lines = [] {
        const chart::ResultChart chart(nullptr);
        std::vector<ChartLine> out;
        for (int k : kLines) out.push_back({chart.series(k)->pen().color(), chart.series(k)->pen().style()});
        return out;
    }();
    return lines;
}

std::unique_ptr<QChartView> makeResultChart(bool withLines) {
    auto view = std::make_unique<chart::ResultChart>(nullptr);
    view->resize(chart::kChartSize);
    // The axes as before any computation; the chart keeps reading the session it shows, so the
    // session lives as long as the program.
    static const Session startUp;
    view->syncFromSession(startUp);
    if (!withLines) return view;
    // Damped swings, one above the other, each over the whole time axis.
    const int points = 4000;
    double low = 1e9, high = -1e9;
    int n = 0;
    for (int k : kLines) {
        QList<QPointF> data;
        data.reserve(points);
        for (int i = 0; i < points; ++i) {
            const double t = 10.0 * i / points;
            const double y = 1.0 + 0.15 * n - (0.4 + 0.05 * n) * std::exp(-t / (1.0 + n)) * std::cos((2.0 + n) * t);
            data.append(QPointF(t, y));
            low = std::min(low, y);
            high = std::max(high, y);
        }
        view->series(k)->replace(data);
        ++n;
    }
    view->timeAxis()->setRange(0, 10);
    for (QAbstractAxis* axis : view->chart()->axes(Qt::Vertical)) axis->setRange(low, high);
    return view;
}

const SavedChart& savedChart() {
    static const SavedChart saved = [] {
        const std::unique_ptr<QChartView> view = makeResultChart();
        SavedChart chart;
        chart.wmf = renderPicture(*view, PictureFormat::Wmf);
        chart.emf = renderPicture(*view, PictureFormat::Emf);
        chart.plotArea = view->chart()->plotArea();
        return chart;
    }();
    return saved;
}

int unitsPerPixel(const QByteArray& wmf) { return qFromLittleEndian<std::uint16_t>(wmf.constData() + 14) / 96; }

}  // namespace tgsim::testing
