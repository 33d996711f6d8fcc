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
#include <string_view>

#include "offscreen_drawing.h"
#include "base/cell_number.h"
#include "base/output_file.h"
#include "ui/metafile/chart_picture.h"

namespace tgsim::chart {
namespace {

constexpr QSize kPictureSize{900, 600};

// Ten colours told apart also in print; after them the lines repeat dashed.
constexpr std::array<QRgb, 10> kLineColours = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd,
                                               0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};

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

// What the picture leaves out, for its title.
QString titleNotes(const StudyPictureLines& lines, bool empty) {
    QStringList notes;
    if (empty) notes << QStringLiteral("no values");
    if (lines.lineCount() > kMostPictureLines)
        notes << QStringLiteral("the first %1 of %2 lines").arg(kMostPictureLines).arg(lines.lineCount());
    if (const std::uint64_t out = lines.valuesLeftOut())
        notes << QStringLiteral("%1 value%2 beyond ±1e300 left out").arg(out).arg(out == 1 ? "" : "s");
    return notes.isEmpty() ? QString() : QStringLiteral(" (") + notes.join(QStringLiteral("; ")) + QLatin1Char(')');
}

}  // namespace

void writeStudyPicture(const StudyOptions& study, StudyPictureLines& lines, const std::string& fileName) {
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
    for (const PictureLine& line : lines.finish()) {
        QPen pen(QColor(kLineColours[lineNumber % kLineColours.size()]), 2);
        if (lineNumber++ >= kLineColours.size()) pen.setStyle(Qt::DashLine);
        const QString name = QString::fromStdString(line.name);
        bool named = false;
        for (const std::vector<PicturePoint>& segment : line.segments) {
            if (segment.empty() && named) continue;
            QList<QPointF> points;
            points.reserve(static_cast<qsizetype>(segment.size()));
            for (const PicturePoint& p : segment) {
                points.append({p.x, p.y});
                yLow = std::min(yLow, p.y), yHigh = std::max(yHigh, p.y);
            }
            auto* series = new QLineSeries;
            series->replace(points);
            series->setName(name);
            series->setPointsVisible(true);  // a point alone between gaps still shows
            chart->addSeries(series);
            series->attachAxis(xAxis);
            series->attachAxis(yAxis);
            series->setPen(pen);
            series->setColor(pen.color());
            // One legend entry per line, however many pieces its gaps cut it into.
            for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(!named);
            named = true;
        }
    }
    const Sweep& first = study.sweeps.front();
    const double xFrom = parseCellNumber(first.text(0)), xTo = parseCellNumber(first.text(first.count - 1));
    // The axis ends where the values drawn may lie.
    setRange(xAxis, std::max(std::min(xFrom, xTo), -kLargestPictureValue),
             std::min(std::max(xFrom, xTo), kLargestPictureValue));
    setRange(yAxis, yLow, yHigh);
    chart->setTitle(chart->title() + titleNotes(lines, yLow > yHigh));
    const std::optional<PictureFormat> format = pictureFormatForFileName(QFile::decodeName(fileName.c_str()));
    const QByteArray bytes = renderPicture(view, *format);
    // The name's own bytes, whatever they decode to.
    writeOutputFile(fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace tgsim::chart
