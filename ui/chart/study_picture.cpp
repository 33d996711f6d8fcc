#include "study_picture.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <map>

#include "offscreen_drawing.h"
#include "base/cell_number.h"
#include "ui/metafile/chart_picture.h"

namespace tgsim::chart {
namespace {

constexpr QSize kPictureSize{900, 600};

// Ten colours told apart also in print; after them the lines repeat dashed.
constexpr std::array<QRgb, 10> kLineColours = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd,
                                               0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};

struct Line {
    QString name;
    std::vector<QList<QPointF>> segments{{}};  // runs of points with values
};

// The line's name: the other sweeps' headers and values ("zadanystanustalony.0 = 0,5").
QString lineName(const StudyOptions& study, std::uint64_t point) {
    if (study.sweeps.size() == 1) return QString::fromStdString(study.figureName());
    const std::vector<std::uint64_t> indices = study.indices(point);
    QStringList parts;
    for (std::size_t i = 1; i < study.sweeps.size(); ++i)
        parts << QString::fromStdString(study.sweeps[i].header() + " = " + study.sweeps[i].text(indices[i]));
    return parts.join(QStringLiteral(", "));
}

// Lines by the index of the other sweeps' combination; within a line the points of the first
// sweep in its order.
std::map<std::uint64_t, Line> linesOf(const StudyOptions& study, const std::vector<PictureValue>& values) {
    const Sweep& first = study.sweeps.front();
    const std::uint64_t perValue = study.pointCount() / first.count;  // points per value of the first sweep
    std::map<std::uint64_t, Line> lines;
    for (const PictureValue& v : values) {
        Line& line = lines[v.point % perValue];
        if (line.name.isEmpty()) line.name = lineName(study, v.point);
        if (!v.value) {
            if (!line.segments.back().isEmpty()) line.segments.emplace_back();
            continue;
        }
        // x is the number the cell held.
        line.segments.back().append({parseCellNumber(first.text(v.point / perValue)), *v.value});
    }
    return lines;
}

// The axis over [low, high], widened when they are equal, in round numbers.
void setRange(QValueAxis* axis, double low, double high) {
    if (low > high) low = 0, high = 1;  // nothing to show
    if (low == high) {
        const double margin = low == 0 ? 1.0 : std::abs(low) * 0.1;
        low -= margin, high += margin;
    }
    axis->setRange(low, high);
    axis->applyNiceNumbers();
}

}  // namespace

void writeStudyPicture(const StudyOptions& study, const std::vector<PictureValue>& values, const std::string& fileName) {
    const std::unique_ptr<QApplication> application = applicationForDrawing();
    const QString figure = QString::fromStdString(study.figureName());
    const QString sweep = QString::fromStdString(study.sweeps.front().header());

    QChartView view;
    view.setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    view.setChart(chart);
    view.resize(kPictureSize);
    chart->setTitle(figure + QStringLiteral(" against ") + sweep);
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* xAxis = new QValueAxis;
    auto* yAxis = new QValueAxis;
    xAxis->setTitleText(sweep);
    yAxis->setTitleText(figure);
    for (QValueAxis* axis : {xAxis, yAxis}) axis->setLabelFormat(QStringLiteral("%.6g"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    double yLow = 1e308, yHigh = -1e308;
    std::size_t lineNumber = 0;
    for (const auto& [key, line] : linesOf(study, values)) {
        QPen pen(QColor(kLineColours[lineNumber % kLineColours.size()]), 2);
        if (lineNumber++ >= kLineColours.size()) pen.setStyle(Qt::DashLine);
        bool named = false;
        for (const QList<QPointF>& segment : line.segments) {
            if (segment.isEmpty() && named) continue;
            auto* series = new QLineSeries;
            series->replace(segment);
            series->setName(line.name);
            series->setPointsVisible(true);  // a point alone between gaps still shows
            chart->addSeries(series);
            series->attachAxis(xAxis);
            series->attachAxis(yAxis);
            series->setPen(pen);
            series->setColor(pen.color());
            // One legend entry per line, however many pieces its gaps cut it into.
            for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(!named);
            named = true;
            for (const QPointF& p : segment) yLow = std::min(yLow, p.y()), yHigh = std::max(yHigh, p.y());
        }
    }
    const Sweep& first = study.sweeps.front();
    const double xFrom = parseCellNumber(first.text(0)), xTo = parseCellNumber(first.text(first.count - 1));
    setRange(xAxis, std::min(xFrom, xTo), std::max(xFrom, xTo));
    setRange(yAxis, yLow, yHigh);
    if (yLow > yHigh) chart->setTitle(chart->title() + QStringLiteral(" (no values)"));
    saveChartPicture(view, QFile::decodeName(fileName.c_str()));
}

}  // namespace tgsim::chart
