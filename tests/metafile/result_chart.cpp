#include "result_chart.h"

#include <QChart>
#include <QLineSeries>
#include <QLinearGradient>
#include <QValueAxis>
#include <QtEndian>

#include <algorithm>
#include <cmath>

#include "ui/metafile/chart_picture.h"

namespace tgsim::testing {

const std::vector<ChartLine>& fixtureLines() {
    static const std::vector<ChartLine> lines = {
        {QColor(128, 128, 128), Qt::SolidLine},  // Uw
        {QColor(0, 128, 0), Qt::SolidLine},      // Id
        {QColor(255, 0, 0), Qt::DashLine},       // iQ1
        {QColor(0, 0, 128), Qt::SolidLine},      // alfa
        {QColor(255, 0, 255), Qt::SolidLine},    // w
        {QColor(0, 0, 0), Qt::DotLine},          // iD1
        {QColor(128, 0, 64), Qt::DashDotLine},   // beta
    };
    return lines;
}

std::unique_ptr<QChartView> makeResultChart(bool withLines) {
    auto* chart = new QChart;
    chart->setTitle("Wykresy Przebiegów");
    chart->setTitleBrush(Qt::transparent);
    chart->legend()->hide();
    QLinearGradient background(QPointF(1, 0), QPointF(0, 0));
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, QColor(255, 255, 128));
    chart->setBackgroundBrush(background);
    chart->setPlotAreaBackgroundVisible(false);

    auto* time = new QValueAxis;
    auto* value = new QValueAxis;
    QFont titleFont("Times New Roman");
    titleFont.setPixelSize(16);
    for (QValueAxis* axis : {time, value}) {
        axis->setTitleFont(titleFont);
        axis->setTitleBrush(Qt::black);
        axis->setMinorTickCount(1);
    }
    time->setTitleText("time [s]");
    value->setTitleText("Relative values");
    value->setLabelFormat("%.6g");
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);

    if (withLines) {
        const int points = 4000;
        double low = 1e9, high = -1e9;
        int k = 0;
        for (const ChartLine& line : fixtureLines()) {
            auto* series = new QLineSeries;
            QList<QPointF> data;
            data.reserve(points);
            for (int i = 0; i < points; ++i) {
                const double t = 10.0 * i / points;
                const double y = 1.0 + 0.15 * k - (0.4 + 0.05 * k) * std::exp(-t / (1.0 + k)) *
                                                      std::cos((2.0 + k) * t);
                data.append(QPointF(t, y));
                low = std::min(low, y);
                high = std::max(high, y);
            }
            series->replace(data);
            QPen pen(line.color);
            pen.setWidth(1);
            pen.setStyle(line.style);
            series->setPen(pen);
            chart->addSeries(series);
            series->attachAxis(time);
            series->attachAxis(value);
            ++k;
        }
        time->setRange(0, 10);
        value->setRange(low, high);
    } else {
        time->setRange(0, 1);
        value->setRange(0, 1);
    }

    auto view = std::make_unique<QChartView>(chart);
    view->resize(705, 489);
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

int unitsPerPixel(const QByteArray& wmf) {
    return qFromLittleEndian<std::uint16_t>(wmf.constData() + 14) / 96;
}

}  // namespace tgsim::testing
