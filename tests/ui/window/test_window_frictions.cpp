// The window around the chart: it grows with the window, a cell that fails to convert is shown
// as its message appears, and Qt's own texts are in Polish.
#include <QCheckBox>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "ui/chart/result_chart.h"
#include "ui/window/qt_translations.h"
#include "ui/window/main_window.h"

using tgsim::window::TForm1;

class TestWindowFrictions : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    QWidget* component(const char* name) { return form->findChild<QWidget*>(QString::fromLatin1(name)); }

    // What the window shows when the next message box opens, and the box's text; the box is closed.
    void whenTheMessageShows(const std::function<void()>& command, const std::function<void(const QString&)>& look) {
        QTimer timer;
        bool seen = false;
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            timer.stop();
            look(box->text());
            seen = true;
            box->accept();
        });
        timer.start();
        command();
        QVERIFY(seen);
    }

private slots:
    void init() {
        form = std::make_unique<TForm1>();
        form->show();
        form->activateWindow();  // without a window manager (Xvfb) nothing else activates it
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    // The chart takes all the room the window gains; the grids and the check boxes stay where
    // they are, the buttons below the chart keep their distance from the bottom edge, and the
    // line is drawn from more points across the wider plot. Back at the start-up size, all is
    // where it started; smaller than that the window does not go.
    void theChartGrowsWithTheWindow() {
        QTest::keyClick(form.get(), Qt::Key_F10);
        tgsim::chart::ResultChart* chart = form->Chart1();
        const QSize startSize = form->size();
        const QRect startChart = chart->geometry();
        const QRectF startPlot = chart->chart()->plotArea();
        const qsizetype startPoints = chart->series(15)->count();
        const QRect box = form->seriesBox(17)->geometry(), grid = component("siatka")->geometry();
        const QPoint button = component("Wykr_DaneAkt")->pos();
        const QSize more(300, 200);
        form->resize(startSize + more);
        QTRY_COMPARE(chart->geometry(), QRect(startChart.topLeft(), startChart.size() + more));
        QCoreApplication::sendPostedEvents();
        QVERIFY(chart->chart()->plotArea().width() >= startPlot.width() + 290);
        QVERIFY(chart->chart()->plotArea().height() >= startPlot.height() + 190);
        QVERIFY(chart->series(15)->count() > startPoints);
        QCOMPARE(form->seriesBox(17)->geometry(), box);
        QCOMPARE(component("siatka")->geometry(), grid);
        QCOMPARE(component("Wykr_DaneAkt")->pos(), button + QPoint(0, more.height()));
        QCOMPARE(form->statusBar()->geometry().bottom(), form->rect().bottom());
        form->resize(startSize);
        QTRY_COMPARE(chart->geometry(), startChart);
        QCOMPARE(component("Wykr_DaneAkt")->pos(), button);
        form->resize(startSize - QSize(100, 100));
        QTRY_COMPARE(form->size(), startSize);
    }

    // Shown when the message appears: the grid, the failing cell current, selected and in sight,
    // also when the grid was hidden (chart view, a stabilizer grid) or the cell lay out of sight.
    void theFailingCellIsShown_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("stabilizerOn");
        QTest::newRow("siatka, far right") << "siatka" << 36 << false;
        QTest::newRow("war_pocz") << "war_pocz" << 3 << false;
        QTest::newRow("Siatka_PSS") << "Siatka_PSS" << 4 << true;
    }
    void theFailingCellIsShown() {
        QFETCH(QString, grid);
        QFETCH(int, column);
        QFETCH(bool, stabilizerOn);
        if (stabilizerOn) form->runHandler("Stale_PSS");
        QTest::keyClick(form.get(), Qt::Key_F10);  // the chart view: the grids are hidden
        auto* view = form->findChild<QTableView*>(grid);
        QVERIFY(view && view->isHidden());
        view->model()->setData(view->model()->index(1, column), QStringLiteral("1.5"));
        whenTheMessageShows([&] { QTest::keyClick(form.get(), Qt::Key_F10); },
                            [&](const QString& text) {
                                QCOMPARE(text, QStringLiteral("'1.5' is not a valid floating point value"));
                                QVERIFY(view->isVisible());
                                const QModelIndex cell = view->model()->index(1, column);
                                QCOMPARE(view->currentIndex(), cell);
                                QVERIFY(view->selectionModel()->isSelected(cell));
                                QVERIFY(view->viewport()->rect().contains(view->visualRect(cell)));
                            });
    }

    void qtTextsInPolish() {
        QVERIFY(tgsim::window::installQtTranslations(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Anuluj"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("Nazwa &pliku:"));
    }
};

QTEST_MAIN(TestWindowFrictions)
#include "test_window_frictions.moc"
