// The main window driven as a user drives it: typing into cells, a failing cell, the steady-state grid, resizing columns and zooming the chart.
#include "main_window_driving.h"

using tgsim::window::TForm1;

using tgsim::testing::MessageBoxWatch;

class TestMainWindowInput : public QObject, private tgsim::testing::MainWindowDriving {
    Q_OBJECT

private slots:
    void init() {
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void failingCellShowsTheMessage() {
        pressF10();
        auto* generator = component<QTableView>("siatka");
        generator->model()->setData(generator->model()->index(1, 0), QStringLiteral("1.5"));
        QCOMPARE(form->session().grids().siatka.cell(0, 1), std::string("1.5"));
        const QString timeBefore = panel(0);
        MessageBoxWatch watch;
        pressF10();
        QCOMPARE(watch.text, QStringLiteral("'1.5' is not a valid floating point value"));
        QCOMPARE(watch.icon, QMessageBox::Critical);
        QVERIFY(!form->busy());
        // As the computation left it: grids shown, lines and boxes gone, old status texts.
        for (const char* name : {"siatka", "siatkaPraca", "war_pocz"}) QVERIFY2(shown(name), name);
        for (int k = 0; k < tgsim::kSeriesCount; ++k) QCOMPARE(points(k), 0);
        QVERIFY(form->seriesBox(13)->isHidden());
        QVERIFY(!form->statusBar()->isHidden());
        QCOMPARE(panel(0), timeBefore);
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = 7000"));
        // The grid lies above the emptied chart, so the cell can be corrected.
        QWidget* client = form->centralWidget();
        QCOMPARE(client->childAt(QPoint(100, 80))->parentWidget(), generator);
        // A formula that faults names the cell behind it on the message's second line.
        generator->model()->setData(generator->model()->index(1, 0), QStringLiteral("10"));
        generator->model()->setData(generator->model()->index(1, 12), QStringLiteral("0"));
        MessageBoxWatch zeroWatch;
        form->runHandler("O1Click");
        QCOMPARE(zeroWatch.text, QStringLiteral("Floating point division by zero\n"
                                                "Cells that make a divisor zero: siatka.12 (Ign [A]) = 0"));
    }

    void typedTextReachesTheSession() {
        auto* control = component<QTableView>("siatkaPraca");
        control->setFocus();
        control->setCurrentIndex(control->model()->index(1, 1));
        QTest::keyClicks(control, QStringLiteral("3"));  // starts editing with the typed text
        QCOMPARE(form->session().grids().siatkaPraca.cell(1, 1), std::string("3"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(",5"));
        QCOMPARE(form->session().grids().siatkaPraca.cell(1, 1), std::string("3,5"));
        pressF10();  // the open editor's text is what the computation reads
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = 5500"));
    }

    void escapeRestoresTheCell() {
        auto* control = component<QTableView>("siatkaPraca");
        control->setFocus();
        control->setCurrentIndex(control->model()->index(1, 1));
        QTest::keyClicks(control, QStringLiteral("9"));
        QCOMPARE(form->session().grids().siatkaPraca.cell(1, 1), std::string("9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(form->session().grids().siatkaPraca.cell(1, 1), std::string("5"));
        QCOMPARE(control->model()->index(1, 1).data().toString(), QStringLiteral("5"));
    }

    void clickIntoSteadyStateGridRecomputes() {
        form->action(QStringLiteral("Warunkizadane1Click"))->trigger();
        QVERIFY(shown("zadanystanustalony"));
        auto* steady = component<QTableView>("zadanystanustalony");
        const QString check = steady->model()->index(1, 4).data().toString();
        QVERIFY(!check.isEmpty());
        steady->model()->setData(steady->model()->index(1, 0), QStringLiteral("0,8"));
        QTest::mouseClick(steady->viewport(), Qt::LeftButton, {}, QPoint(20, 35));
        QVERIFY(steady->model()->index(1, 4).data().toString() != check);
    }

    void rubberBandZoomAndBack() {
        pressF10();
        const QValueAxis* time = form->Chart1()->timeAxis();
        const double fullMin = time->min(), fullMax = time->max();
        QWidget* area = form->Chart1()->viewport();
        const QPointF plot = form->Chart1()->chart()->plotArea().center();
        const QPoint from = plot.toPoint() - QPoint(100, 80), to = plot.toPoint() + QPoint(100, 80);
        QTest::mousePress(area, Qt::LeftButton, {}, from);
        QTest::mouseMove(area, to);
        QTest::mouseRelease(area, Qt::LeftButton, {}, to);
        QVERIFY(form->Chart1()->chart()->isZoomed());
        QVERIFY(time->min() > fullMin && time->max() < fullMax);
        QVERIFY(shown("Chart1"));  // a drag is neither a click on the window nor a view switch
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = 7000"));
        QVERIFY((time->max() - time->min()) / time->tickInterval() <= 20);  // labels follow the zoom
        checkLineFollowsRows(15);                                           // and the line's points the range shown
        QTest::mouseClick(area, Qt::RightButton, {}, plot.toPoint());
        QCOMPARE(time->min(), fullMin);
        QCOMPARE(time->max(), fullMax);
        QVERIFY((fullMax - fullMin) / time->tickInterval() <= 20);
        QVERIFY((fullMax - fullMin) / time->tickInterval() >= 2);
        checkLineFollowsRows(15);
    }

    // A load angle of 1,7e308 (drawn at -1e300) beside lines near 1: the box draws, the axes
    // stay finite, and a zoom into the lines near 1 draws them.
    void extremeValuesDrawAndZoom() {
        form->session().setCell(tgsim::GridId::war_pocz, 7, 1, "1,7e308");
        pressF10();
        QTest::mouseClick(form->seriesBox(8), Qt::LeftButton);
        QVERIFY(drawn(8));
        const QValueAxis* value = form->Chart1()->valueAxis();
        QVERIFY(qIsFinite(value->min()) && qIsFinite(value->max()) && value->max() > value->min());
        QWidget* area = form->Chart1()->viewport();
        const QRectF plot = form->Chart1()->chart()->plotArea();
        QTest::mousePress(area, Qt::LeftButton, {}, plot.topLeft().toPoint() + QPoint(50, 1));
        QTest::mouseMove(area, plot.topLeft().toPoint() + QPoint(250, 20));
        QTest::mouseRelease(area, Qt::LeftButton, {}, plot.topLeft().toPoint() + QPoint(250, 20));
        QVERIFY(value->max() - value->min() < 1e300);
        checkLineFollowsRows(8);
        checkLineFollowsRows(15);
    }

    // Zooming on and on stops where an axis can still tell its bounds apart; labels stay few
    // and the line keeps following the rows.
    void deepZoomStopsAtTheAxisResolution() {
        pressF10();
        QWidget* area = form->Chart1()->viewport();
        for (int zoom = 0; zoom < 40; ++zoom) {
            const QPoint centre = form->Chart1()->chart()->plotArea().center().toPoint();
            QTest::mousePress(area, Qt::LeftButton, {}, centre - QPoint(3, 3));
            QTest::mouseMove(area, centre + QPoint(3, 3));
            QTest::mouseRelease(area, Qt::LeftButton, {}, centre + QPoint(3, 3));
        }
        for (const QValueAxis* axis : {form->Chart1()->timeAxis(), form->Chart1()->valueAxis()}) {
            const double span = axis->max() - axis->min();
            QVERIFY(span >= 0.999 * tgsim::chart::smallestSpan(axis->min(), axis->max()));
            QVERIFY(span / axis->tickInterval() <= 20);
        }
        checkLineFollowsRows(15);
    }

    // war_pocz's columns start 35 pixels wide and are widened by dragging an edge in the header
    // row; a drag elsewhere selects cells as before, and the other grids keep fixed columns.
    void initialConditionColumnsResize() {
        auto* grid = component<QTableView>("war_pocz");
        QCOMPARE(grid->columnWidth(0), 35);
        const int edge = grid->columnViewportPosition(0) + grid->columnWidth(0);
        const int header = grid->rowViewportPosition(0) + grid->rowHeight(0) / 2;
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, QPoint(edge, header));
        QTest::mouseMove(grid->viewport(), QPoint(edge + 40, header));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(edge + 40, header));
        QCOMPARE(grid->columnWidth(0), 75);
        QCOMPARE(grid->columnWidth(1), 35);
        const int valueRow = grid->rowViewportPosition(1) + grid->rowHeight(1) / 2;
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, QPoint(75, valueRow));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(75, valueRow));
        QCOMPARE(grid->columnWidth(0), 75);
        auto* control = component<QTableView>("siatkaPraca");
        const int controlEdge = control->columnViewportPosition(0) + control->columnWidth(0);
        QTest::mousePress(control->viewport(), Qt::LeftButton, {}, QPoint(controlEdge, 5));
        QTest::mouseMove(control->viewport(), QPoint(controlEdge + 40, 5));
        QTest::mouseRelease(control->viewport(), Qt::LeftButton, {}, QPoint(controlEdge + 40, 5));
        QCOMPARE(control->columnWidth(0), 37);
    }

    void deleteInACellEditsTheCell() {
        auto* control = component<QTableView>("siatkaPraca");
        control->setCurrentIndex(control->model()->index(1, 0));
        control->edit(control->currentIndex());  // the cell "-2"
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY(form->isVisible());
        QCOMPARE(form->session().grids().siatkaPraca.cell(0, 1), std::string("2"));
        form.reset();  // closed with the editor still open: its last commit must find the grid
    }
};

QTEST_MAIN(TestMainWindowInput)
#include "test_main_window_input.moc"
