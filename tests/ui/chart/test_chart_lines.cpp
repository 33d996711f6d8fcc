// The points the chart's lines are drawn from: a few per pixel column of the range shown,
// every point in vector pictures up to a limit, and coordinates kept near the plot.
#include <QLineSeries>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <vector>

#include "driver/session.h"
#include "ui/chart/result_chart.h"
#include "ui/chart/session_chart_picture.h"

using namespace tgsim;
using namespace tgsim::chart;

namespace {

// Rows whose quantity 9 ("alfa", the state itself, unscaled) is the y given.
struct Rows {
    ResultMatrix matrix;
    TParametry record;

    Rows(std::size_t count, double (*x)(std::size_t), double (*y)(std::size_t)) {
        matrix.reset(count);
        for (std::size_t i = 0; i < count; ++i) {
            double* row = matrix.rowData(i);
            std::fill(row, row + kStateSize, 0.0);
            row[kT] = x(i);
            row[kAlfa] = y(i);
        }
        matrix.setStoredRows(count);
    }
    ChartRows chartRows() const { return {matrix, matrix.storedRows(), record}; }
};
constexpr int kAlfaQuantity = 9;

double tenthOfAMillisecond(std::size_t i) { return 1e-4 * double(i); }
double wavy(std::size_t i) { return std::sin(0.37 * double(i)) + 0.01 * double(i % 7); }
double huge(std::size_t i) { return i % 2 ? 1.7e308 : -1.7e308; }
double gaps(std::size_t i) { return i % 10 == 3 ? qQNaN() : wavy(i); }

// The device pixel column (times columns per pixel) of time x, as the chart library maps it.
double columnOf(double x, const PlotWindow& w, int perPixel) {
    return std::floor(((x - w.xLow) * (w.width / (w.xHigh - w.xLow)) + w.left) * perPixel);
}

// Where the line crosses the level y = c between xLow and xHigh.
std::vector<double> crossingsAt(const std::vector<LinePoint>& line, double c, double xLow, double xHigh) {
    std::vector<double> out;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const LinePoint a = line[i - 1], b = line[i];
        if ((a.y - c) * (b.y - c) >= 0.0) continue;
        const double x = a.x + (c - a.y) / (b.y - a.y) * (b.x - a.x);
        if (x >= xLow && x <= xHigh) out.push_back(x);
    }
    return out;
}

}  // namespace

class TestChartLines : public QObject {
    Q_OBJECT

private slots:
    void pointsPerColumn_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("valuesKind");  // 0 wavy, 1 huge, 2 with gaps
        QTest::addColumn<double>("xLow");
        QTest::addColumn<double>("xHigh");
        QTest::addColumn<bool>("vector");
        QTest::newRow("whole run, screen") << 100000 << 0 << 0.0 << 10.0 << false;
        QTest::newRow("zoomed, screen") << 100000 << 0 << 2.5 << 2.6 << false;
        QTest::newRow("beyond the largest shown") << 20000 << 1 << 0.0 << 2.0 << false;
        QTest::newRow("values not finite left out") << 20000 << 2 << 0.0 << 2.0 << false;
        QTest::newRow("vector, every point") << 5000 << 0 << 0.0 << 0.5 << true;
        QTest::newRow("vector, more than the limit") << 200000 << 0 << 0.0 << 20.0 << true;
    }
    void pointsPerColumn() {
        QFETCH(int, count);
        QFETCH(int, valuesKind);
        QFETCH(double, xLow);
        QFETCH(double, xHigh);
        QFETCH(bool, vector);
        double (*const kinds[])(std::size_t) = {wavy, huge, gaps};
        const Rows data(std::size_t(count), tenthOfAMillisecond, kinds[valuesKind]);
        const ChartRows rows = data.chartRows();
        const PlotWindow window{xLow, xHigh, -1.0, 1.0, 40.3, 611.0};
        const LineDetail detail = vector ? kVectorDetail : kScreenDetail;
        const std::vector<LinePoint> line = linePoints(rows, kAlfaQuantity, window, detail);

        // The expected points, column by column, from all the rows inside and next to the window.
        std::vector<LinePoint> expected;
        std::vector<std::size_t> column;
        const auto flush = [&] {
            if (column.empty()) return;
            std::size_t low = column[0], high = column[0];
            for (std::size_t i : column) {
                if (rows.value(kAlfaQuantity, i) < rows.value(kAlfaQuantity, low)) low = i;
                if (rows.value(kAlfaQuantity, i) > rows.value(kAlfaQuantity, high)) high = i;
            }
            for (std::size_t i : column)
                if (i == column.front() || i == low || i == high || i == column.back())
                    expected.push_back({rows.time(i), shownValue(rows.value(kAlfaQuantity, i))});
            column.clear();
        };
        std::size_t shown = 0, first = rows.size(), last = 0;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows.time(i) >= xLow && rows.time(i) <= xHigh) {
                ++shown;
                first = std::min(first, i);
                last = i;
            }
        const bool everyPoint = last - first + 3 <= detail.everyPointUpTo;
        for (std::size_t i = first - (first > 0); i <= std::min(last + 1, rows.size() - 1); ++i) {
            if (!std::isfinite(rows.value(kAlfaQuantity, i))) continue;
            if (!everyPoint && !column.empty() &&
                columnOf(rows.time(i), window, detail.columnsPerPixel) !=
                    columnOf(rows.time(column.back()), window, detail.columnsPerPixel))
                flush();
            column.push_back(i);
            if (everyPoint) flush();
        }
        flush();
        QCOMPARE(line.size(), expected.size());
        QVERIFY(line == expected);
        if (vector && shown <= detail.everyPointUpTo)
            QVERIFY(line.size() >= shown);
        else
            QVERIFY(line.size() <= 4 * (std::size_t(window.width * detail.columnsPerPixel) + 3));
    }

    void coordinatesStayNearThePlot_data() {
        QTest::addColumn<QList<QPointF>>("points");
        QTest::newRow("inside, unchanged") << QList<QPointF>{{0, 0}, {0.5, 1}, {1, 0.25}, {2, 0.5}};
        QTest::newRow("spike far above") << QList<QPointF>{{0, 0}, {1, 1e300}, {2, 0}};
        QTest::newRow("neighbours far beside") << QList<QPointF>{{-1e12, 0.2}, {0.5, 0.7}, {1e15, -3e299}};
        QTest::newRow("around the plot outside") << QList<QPointF>{{-5, -5}, {7, -5}, {7, 9}, {-5, 9}, {0.3, 0.4}};
    }
    void coordinatesStayNearThePlot() {
        QFETCH(QList<QPointF>, points);
        const PlotWindow window{0.0, 2.0, 0.0, 1.0, 10.0, 400.0};
        std::vector<LinePoint> line;
        for (const QPointF& p : points) line.push_back({p.x(), p.y()});
        const std::vector<LinePoint> clipped = clippedToMargin(line, window);
        for (const LinePoint& p : clipped) QVERIFY(p.x >= -2.0 && p.x <= 4.0 && p.y >= -1.0 && p.y <= 2.0);
        // Inside the plot the line is what it was: it crosses every level at the same places.
        for (double level : {0.1, 0.5, 0.99}) {
            const std::vector<double> before = crossingsAt(line, level, 0.0, 2.0),
                                      after = crossingsAt(clipped, level, 0.0, 2.0);
            QCOMPARE(after.size(), before.size());
            for (std::size_t i = 0; i < before.size(); ++i) QVERIFY(std::abs(after[i] - before[i]) <= 1e-12);
        }
        bool inside = true;
        for (const LinePoint& p : line) inside = inside && p.x >= -2.0 && p.x <= 4.0 && p.y >= -1.0 && p.y <= 2.0;
        if (inside) QVERIFY(clipped == line);
    }

    // Vector pictures keep every point of a run of 7000 steps; the window gets its screen
    // detail back after saving, whatever the format.
    void vectorPicturesKeepEveryPoint() {
        Session session;
        session.O1Click();
        ResultChart chart(nullptr);
        chart.resize(kChartSize);
        chart.syncFromSession(session);
        const QTemporaryDir scratch;
        for (const char* name : {"c.svg", "c.png"}) saveResultChart(chart, scratch.filePath(QString::fromLatin1(name)));
        QVERIFY(chart.lineDetail() == kScreenDetail);
        const qsizetype onScreen = chart.series(15)->count();
        QVERIFY(onScreen > 0 && onScreen < 3000);
        chart.setLineDetail(kVectorDetail);
        QCOMPARE(chart.series(15)->count(), 7000);
        chart.setLineDetail(kScreenDetail);
        QCOMPARE(chart.series(15)->count(), onScreen);
    }
};

QTEST_MAIN(TestChartLines)
#include "test_chart_lines.moc"
