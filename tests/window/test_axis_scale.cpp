// Automatic scaling of the chart axes: ranges and label steps.
#include <QtTest>

#include "ui/chart/axis_scale.h"

using namespace tgsim::chart;

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
};

QTEST_APPLESS_MAIN(TestAxisScale)
#include "test_axis_scale.moc"
