// Automatic scaling of the chart axes: ranges and label steps.
#include <QtTest>

#include <cmath>
#include <limits>

#include "ui/chart/axis_scale.h"

using namespace tgsim::chart;

namespace {

// The labels the chart library lays out, counted as it counts them: from the first multiple of
// the step past the anchor inside the range, adding the step until past the range's end. -1
// when that would not end (the sum stops growing) or would pass `limit`.
int labelsLaidOut(double low, double high, const AxisTicks& ticks, int limit) {
    const double first = ticks.anchor - std::floor((ticks.anchor - low) / ticks.step) * ticks.step;
    int count = 0;
    for (double value = first; value <= high; value += ticks.step)
        if (value + ticks.step == value || ++count > limit) return -1;
    return count;
}

}  // namespace

class TestAxisScale : public QObject {
    Q_OBJECT

private slots:
    void ranges_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("no data") << QList<double>{} << 0.0 << 1.0;
        QTest::newRow("spread") << QList<double>{0.5, -0.25, 1.5} << -0.25 << 1.5;
        QTest::newRow("flat at zero") << QList<double>{0.0, 0.0} << -1.0 << 1.0;
        QTest::newRow("flat at one") << QList<double>{1.0} << 0.9 << 1.1;
        QTest::newRow("not a number ignored") << QList<double>{qQNaN(), 2.0, 3.0, qInf()} << 2.0 << 3.0;
        QTest::newRow("beyond the largest shown") << QList<double>{-1.7e308, 2.0} << -kLargestShown << 2.0;
    }
    void ranges() {
        QFETCH(QList<double>, values);
        QFETCH(double, low);
        QFETCH(double, high);
        ValueRange data;
        for (double value : values) data.include(value);
        const ValueRange shown = axisRange(data);
        QCOMPARE(shown.low, low);
        QCOMPARE(shown.high, high);
    }

    void steps_data() {
        QTest::addColumn<double>("span");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("step");
        QTest::newRow("seven seconds, seven labels") << 7.0 << 7 << 0.0 << 1.0;
        QTest::newRow("seven seconds, four labels") << 7.0 << 4 << 0.0 << 2.0;
        QTest::newRow("relative values") << 1.3 << 10 << 0.01 << 0.2;
        QTest::newRow("at the smallest step") << 0.001 << 10 << 0.01 << 0.01;
        QTest::newRow("large") << 12000.0 << 5 << 0.01 << 5000.0;
        QTest::newRow("tiny, no limit") << 3e-8 << 3 << 0.0 << 1e-8;
        QTest::newRow("no span") << 0.0 << 10 << 0.01 << 1.0;
    }
    void steps() {
        QFETCH(double, span);
        QFETCH(int, wanted);
        QFETCH(double, minimum);
        QFETCH(double, step);
        const double found = labelStep(span, wanted, minimum);
        QVERIFY2(qAbs(found - step) <= 1e-12 * step, qPrintable(QString::number(found)));
    }

    // Whatever the lines hold, the axis gets a finite range of positive extent and labels the
    // chart library counts through in a few steps (it never ends on a step that no longer
    // changes the sum, and counts the steps from the anchor in an int in some versions).
    void everyRangeEnds_data() {
        constexpr double largest = std::numeric_limits<double>::max();
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("minimum");
        QTest::newRow("start-up") << QList<double>{0.0, 1.3} << 0.01;
        QTest::newRow("flat far below") << QList<double>{-1.7e308} << 0.01;
        QTest::newRow("both ends of double") << QList<double>{-largest, largest} << 0.01;
        QTest::newRow("flat at 1e10") << QList<double>{1e10} << 0.01;
        QTest::newRow("a thousandth at 1e10") << QList<double>{1e10, 1e10 + 1e-3} << 0.01;
        QTest::newRow("one unit in the last place at 1e300")
            << QList<double>{1e300, std::nextafter(1e300, 2e300)} << 0.01;
        QTest::newRow("denormals") << QList<double>{4.9e-324, 1e-320} << 0.0;
        QTest::newRow("time far from zero") << QList<double>{1e15, 1e15 + 7.0} << 1e-6;
        QTest::newRow("time on a microsecond") << QList<double>{-2.0, -2.0 + 1e-6} << 1e-6;
    }
    void everyRangeEnds() {
        QFETCH(QList<double>, values);
        QFETCH(double, minimum);
        ValueRange data;
        for (double value : values) data.include(value);
        const ValueRange shown = axisRange(data);
        QVERIFY(std::isfinite(shown.low) && std::isfinite(shown.high) && std::isfinite(shown.high - shown.low));
        QVERIFY(shown.high - shown.low >= smallestSpan(shown.low, shown.high));
        // The range itself and the smallest the user can zoom into.
        for (double high : {shown.high, shown.low + smallestSpan(shown.low, shown.high)}) {
            const AxisTicks ticks = axisTicks(shown.low, high, 10, minimum);
            QVERIFY(std::isfinite(ticks.step) && ticks.step > 0.0 && std::isfinite(ticks.anchor));
            QVERIFY(std::abs((ticks.anchor - shown.low) / ticks.step) < 2147483647.0);
            const int labels = labelsLaidOut(shown.low, high, ticks, 12);
            QVERIFY2(labels >= 0, qPrintable(QStringLiteral("step %1").arg(ticks.step)));
        }
    }
};

QTEST_APPLESS_MAIN(TestAxisScale)
#include "test_axis_scale.moc"
