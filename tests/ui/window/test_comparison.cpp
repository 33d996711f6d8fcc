// Comparing runs in the window: the readout under the mouse against the exported chart values,
// the legend, the kept runs' lines in the saved pictures.
#include <QAction>
#include <QCheckBox>
#include <QLineSeries>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/cell_number.h"
#include "driver/result_export.h"
#include "ui/chart/chart_look.h"
#include "ui/chart/readout_tip.h"
#include "ui/chart/result_chart.h"
#include "ui/chart/session_chart_picture.h"
#include "ui/window/main_window.h"

using tgsim::window::TForm1;
namespace chart = tgsim::chart;

namespace {

// The rows of each run of --compare ("1" .. "k", "current"), as numbers: t, then quantities 1..17.
using Rows = std::vector<std::vector<double>>;
std::map<std::string, Rows> compareRows(const tgsim::Session& session) {
    std::ostringstream text;
    tgsim::writeCompareCsv(session, text);
    std::istringstream in(text.str());
    std::map<std::string, Rows> runs;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::istringstream cells(line);
        std::string run, cell;
        std::getline(cells, run, ',');
        std::vector<double> row;
        while (std::getline(cells, cell, ',')) row.push_back(std::stod(cell));
        runs[run].push_back(row);
    }
    return runs;
}

// Quantity k at time t, linear between the exported rows around t.
double between(const Rows& rows, int k, double t) {
    std::size_t i = 0;
    while (i + 1 < rows.size() && rows[i + 1][0] <= t) ++i;
    if (rows[i][0] == t || i + 1 == rows.size()) return rows[i][static_cast<std::size_t>(k)];
    const double w = (t - rows[i][0]) / (rows[i + 1][0] - rows[i][0]);
    return (1 - w) * rows[i][static_cast<std::size_t>(k)] + w * rows[i + 1][static_cast<std::size_t>(k)];
}

}  // namespace

class TestComparison : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    void run(std::initializer_list<const char*> handlers) {
        for (const char* handler : handlers) form->runHandler(handler);
    }
    // The start-up run without and with the single-input stabilizer, the first kept.
    void keepStabilizerOffThenComputeOn() { run({"O1Click", "ZachowajPrzebiegClick", "Stale_PSS", "O1Click"}); }
    QPoint plotPoint(double xFraction, double yFraction) const {
        const QRectF area = form->Chart1()->chart()->plotArea();
        return QPointF(area.left() + xFraction * area.width(), area.top() + yFraction * area.height()).toPoint();
    }

private slots:
    void init() {
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void readoutReadsTheChartValues_data() {
        QTest::addColumn<bool>("zoomed");
        QTest::newRow("full view") << false;
        QTest::newRow("zoomed") << true;
    }
    void readoutReadsTheChartValues() {
        QFETCH(bool, zoomed);
        keepStabilizerOffThenComputeOn();
        form->seriesBox(1)->click();  // Id as well
        chart::ResultChart* chart = form->Chart1();
        QWidget* area = chart->viewport();
        if (zoomed) {
            QTest::mousePress(area, Qt::LeftButton, {}, plotPoint(0.3, 0.1));
            QTest::mouseMove(area, plotPoint(0.4, 0.9));
            QTest::mouseRelease(area, Qt::LeftButton, {}, plotPoint(0.4, 0.9));
            QVERIFY(chart->chart()->isZoomed());
        }
        const std::map<std::string, Rows> runs = compareRows(form->session());
        for (double x : {0.05, 0.37, 0.81}) {
            QTest::mouseMove(area, plotPoint(x, 0.5));
            QVERIFY(chart->readoutShown());
            const chart::Readout& readout = chart->readout();
            const double t = readout.time;
            QVERIFY(t > chart->timeAxis()->min() && t < chart->timeAxis()->max());
            QCOMPARE(readout.values.size(), std::size_t{8});  // Id, Uw, Ug and P of both runs
            for (const chart::ReadoutValue& v : readout.values) {
                const double expected = between(runs.at(v.run == 0 ? "current" : "1"), v.k, t);
                QVERIFY2(std::abs(v.value - expected) <= 1e-12 * std::max(1.0, std::abs(expected)),
                         qPrintable(QStringLiteral("run %1, k %2 at %3").arg(v.run).arg(v.k).arg(t)));
            }
            // The tip writes them with a decimal comma; the nearest line is the wide one.
            const QString tip = chart->readoutTip()->text();
            QVERIFY(tip.contains(QStringLiteral("t = ") + QString::fromStdString(tgsim::formatGeneral(t, 6))));
            const chart::ReadoutValue& nearest = readout.values[static_cast<std::size_t>(readout.nearest)];
            const chart::ReadoutTable& table = chart->readoutTip()->table();
            QCOMPARE(table.rows[static_cast<std::size_t>(table.boldRow)][static_cast<std::size_t>(table.boldColumn)],
                     QString::fromStdString(tgsim::formatGeneral(nearest.value, 6)));
            for (int run : {0, 1})
                for (int k : {1, 13, 15, 16}) {
                    QLineSeries* line = run == 0 ? chart->series(k) : chart->keptSeries(run, k);
                    QCOMPARE(line->pen().widthF(), run == nearest.run && k == nearest.k ? 2.0 : 1.0);
                }
        }
        // Leaving the chart takes the tip and the emphasis away.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(chart, &leave);
        QVERIFY(!chart->readoutShown());
        for (int k : {1, 13, 15, 16}) QCOMPARE(chart->series(k)->pen().widthF(), 1.0);
    }

    // The legend lists each drawn line of the current computation and of each kept run with its
    // pen; iQ2, which draws no line, is not listed.
    void legendListsTheDrawnLines() {
        keepStabilizerOffThenComputeOn();
        for (int k : {1, 6}) form->seriesBox(k)->click();
        chart::ResultChart* chart = form->Chart1();
        QVERIFY(!chart->legendShown());
        QAction* legend = form->action(QStringLiteral("LegendaClick"));
        legend->trigger();
        QVERIFY(chart->legendShown() && legend->isChecked());
        const std::vector<chart::LegendGroup>& groups = chart->legendGroups();
        QCOMPARE(groups.size(), std::size_t{2});
        QCOMPARE(groups[0].title, QStringLiteral("bieżący: wzbudzenie · PSS 1-wejsciowy · Klasyczny · G1"));
        QCOMPARE(groups[1].title, QStringLiteral("1: wzbudzenie · bez PSS · Klasyczny · G1"));
        const std::vector<int> drawn = {1, 13, 15, 16};
        for (std::size_t run = 0; run < groups.size(); ++run) {
            QCOMPARE(groups[run].entries.size(), drawn.size());
            for (std::size_t i = 0; i < drawn.size(); ++i) {
                const int k = drawn[i];
                const chart::LegendEntry& entry = groups[run].entries[i];
                QCOMPARE(entry.caption,
                         QString::fromLatin1(tgsim::kChartQuantities[static_cast<std::size_t>(k)].caption));
                QLineSeries* line = run == 0 ? chart->series(k) : chart->keptSeries(1, k);
                QCOMPARE(entry.pen, line->pen());
            }
        }
        // A kept line: the live colour, lighter, dashed.
        const QPen live = chart->series(1)->pen(), kept = chart->keptSeries(1, 1)->pen();
        QCOMPARE(kept.style(), Qt::CustomDashLine);
        QCOMPARE(kept.color().hue(), live.color().hue());
        QVERIFY(kept.color().lightness() > live.color().lightness());
        legend->trigger();
        QVERIFY(!chart->legendShown());
        // Removing the comparisons takes their lines and their entries away.
        run({"UsunPorownaniaClick"});
        QVERIFY(!chart->keptSeries(1, 1));
        QCOMPARE(chart->legendGroups().size(), std::size_t{1});
    }

    // Every kept run's lines are in the picture, in that run's dash pattern and the lighter
    // colour of their quantity: 3 grey (Uw, Ug, P) and 1 green (Id) per run. The legend is in
    // it while it is shown, and the axis labels have a decimal comma.
    void picturesHoldTheKeptLines() {
        run({"O1Click", "ZachowajPrzebiegClick", "Canaya1Click", "O1Click", "ZachowajPrzebiegClick", "Stale_PSS",
             "O1Click"});
        form->seriesBox(1)->click();
        const QTemporaryDir folder;
        const auto picture = [&] {
            const QString name = folder.filePath(QStringLiteral("kept.svg"));
            chart::saveResultChart(*form->Chart1(), name);
            QFile file(name);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        const QString svg = picture();
        for (int run : {1, 2}) {
            QStringList dashes;
            for (qreal length : chart::keptPen(1, run).dashPattern()) dashes << QString::number(length);
            const QRegularExpression group(
                QStringLiteral(
                    "<g [^>]*stroke=\"(#[0-9a-f]{6})\"[^>]*stroke-dasharray=\"%1\"[^>]*>\\s*<(path|polyline) ")
                    .arg(QRegularExpression::escape(dashes.join(','))));
            std::map<QString, int> byColour;
            for (auto match = group.globalMatch(svg); match.hasNext();) ++byColour[match.next().captured(1)];
            QCOMPARE(byColour[chart::keptPen(13, run).color().name()], 3);
            QCOMPARE(byColour[chart::keptPen(1, run).color().name()], 1);
            QCOMPARE(byColour.size(), std::size_t{2});
        }
        QVERIFY(svg.contains(QStringLiteral(">0,2</text>")) || svg.contains(QStringLiteral(">0,5</text>")));
        QVERIFY(!svg.contains(QRegularExpression(QStringLiteral(">\\d+\\.\\d+</text>"))));
        const QString title = QStringLiteral("2: wzbudzenie · bez PSS · Canay · G1");
        QVERIFY(!svg.contains(title));
        form->action(QStringLiteral("LegendaClick"))->trigger();
        QVERIFY(picture().contains(title));
    }
};

QTEST_MAIN(TestComparison)
#include "test_comparison.moc"
