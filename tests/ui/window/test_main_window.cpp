// The main window driven as a user drives it: real shortcuts, clicks and cell edits.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QValueAxis>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "core/model/parameter_record.h"
#include "base/cell_number.h"
#include "driver/chart_quantities.h"
#include "driver/commands.h"
#include "ui/chart/result_chart.h"
#include "ui/window/main_window.h"

using tgsim::window::TForm1;

namespace {

const QString kHint = QStringLiteral("Obliczenia: 1.wybierz: Dane Aktualne,  2.kliknij: Formularz lub F10");

// Closes the next message box as soon as it opens and keeps what it said.
struct MessageBoxWatch {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer timer;

    MessageBoxWatch() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text();
            icon = box->icon();
            timer.stop();
            box->accept();
        });
        timer.start();
    }
};

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    template <class T = QWidget>
    T* component(const char* name) {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no component %s", name);
        return found;
    }
    bool shown(const char* name) { return !component(name)->isHidden(); }
    QString panel(int index) { return form->statusPanel(index)->text(); }
    qsizetype points(int k) { return form->Chart1()->series(k)->count(); }
    bool drawn(int k) { return points(k) > 0; }

    // Line k stands for the session's rows over the time range shown: an ordered selection of
    // their points (as drawn: within +-1e300), a few per pixel column, with the same lowest and
    // highest value. Beyond a plot's width or height outside the plot the line runs along that
    // border, on its way to rows far outside.
    void checkLineFollowsRows(int k) {
        using tgsim::chart::shownValue;
        const QLineSeries* line = form->Chart1()->series(k);
        const tgsim::ChartRows rows = form->session().chartRows();
        const tgsim::chart::PlotWindow window = form->Chart1()->plotWindow();
        QVERIFY(line->count() <= 4 * (qsizetype(window.width) + 3));
        const double dx = window.xHigh - window.xLow, dy = window.yHigh - window.yLow;
        const auto onBorder = [&](const QPointF& p) {
            return p.x() == window.xLow - dx || p.x() == window.xHigh + dx || p.y() == window.yLow - dy ||
                   p.y() == window.yHigh + dy;
        };
        // Every pixel column touching the rows two pixels or more inside the plot's edges lies
        // within one pixel of them, and keeps its lowest and highest point.
        const double pixel = dx / window.width;
        const auto within = [&](double x, double pixels) {
            return x >= window.xLow + pixels * pixel && x <= window.xHigh - pixels * pixel;
        };
        double rowsLow = qInf(), rowsHigh = -qInf(), lineLow = qInf(), lineHigh = -qInf();
        std::size_t rowsShown = 0, pointsShown = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rowsShown += within(rows.time(i), 0);
            if (!within(rows.time(i), 2)) continue;
            const double y = std::clamp(shownValue(rows.value(k, i)), window.yLow - dy, window.yHigh + dy);
            rowsLow = std::min(rowsLow, y);
            rowsHigh = std::max(rowsHigh, y);
        }
        std::size_t row = 0;
        for (const QPointF& point : line->points()) {
            pointsShown += within(point.x(), 0);
            if (within(point.x(), 1)) {
                lineLow = std::min(lineLow, point.y());
                lineHigh = std::max(lineHigh, point.y());
            }
            if (onBorder(point)) continue;
            while (row < rows.size() && !(rows.time(row) == point.x() && shownValue(rows.value(k, row)) == point.y()))
                ++row;
            QVERIFY2(row < rows.size(), qPrintable(QStringLiteral("(%1, %2) is no row").arg(point.x()).arg(point.y())));
        }
        QVERIFY(lineLow <= rowsLow && lineHigh >= rowsHigh);
        // At least a point in every pixel column that holds a row (chosen for this range).
        QVERIFY(pointsShown >= std::min(rowsShown, std::size_t(window.width) - 1));
        QVERIFY(line->at(0).x() <= window.xLow && line->at(line->count() - 1).x() >= window.xHigh);
    }
    void pressF10() { QTest::keyClick(form.get(), Qt::Key_F10); }

private slots:
    void init() {
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void startUpState() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Generator Synchroniczny z Regulatorem PID i Stabilizatorem Systemowym"));
        QCOMPARE(form->centralWidget()->size(), QSize(800, 541));
        QCOMPARE(form->statusBar()->height(), 21);
        for (const char* name : {"siatka", "siatkaPraca", "war_pocz", "ProgressBar1", "Wykr_DaneAkt", "ZalWyl_PSS"})
            QVERIFY2(shown(name), name);
        for (const char* name : {"Siatka_PSS", "zadanystanustalony", "Chart1", "CalkaCieplna", "ChBox1", "ChBox17"})
            QVERIFY2(!shown(name), name);
        QCOMPARE(component<QPushButton>("Wykr_DaneAkt")->text(), QStringLiteral("Dane Aktualne"));
        QVERIFY(!component<QPushButton>("Wykr_DaneAkt")->isEnabled());
        QCOMPARE(component<QPushButton>("ZalWyl_PSS")->text(), QStringLiteral("Zal. PSS"));
        QVERIFY(component<QPushButton>("ZalWyl_PSS")->isDefault());
        QCOMPARE(component<QPushButton>("CalkaCieplna")->text(), QStringLiteral("Calka_Iw*Iw*dt"));
        QCOMPARE(panel(0), QStringLiteral("Czas obliczeń = .... ?"));
        QCOMPARE(panel(1), QStringLiteral("Stan Pracy: wzbudzenie"));
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = ........"));
        QCOMPARE(panel(3), kHint);
        for (int i = 0; i < 3; ++i) QCOMPARE(form->statusPanel(i)->width(), 150);
        QVERIFY(form->statusPanel(3)->width() >= 200);
        auto* control = component<QTableView>("siatkaPraca");
        QCOMPARE(control->model()->index(0, 0).data().toString(), QStringLiteral("to [s]"));
        QCOMPARE(control->model()->index(1, 1).data().toString(), QStringLiteral("5"));
        QCOMPARE(component<QCheckBox>("ChBox13")->text(), QStringLiteral("Uw"));
        // The boxes show their colours (beside the caption, where nothing else is drawn).
        for (auto [k, colour] : {std::pair{11, QColor(255, 255, 0)}, {13, QColor(0, 255, 0)}, {16, QColor(0, 128, 128)}}) {
            const QImage picture = form->seriesBox(k)->grab().toImage();
            QCOMPARE(picture.pixelColor(picture.width() - 2, picture.height() / 2), colour);
        }
    }

    // A header cell's tip names its column (by its key) and says what it holds; the stabilizer
    // grid's tips follow the kind of set loaded; columns nobody reads have none.
    void headerTipsNameTheColumn() {
        const auto tip = [&](const char* grid, int column, int row = 0) {
            return component<QTableView>(grid)->model()->index(row, column).data(Qt::ToolTipRole).toString();
        };
        QVERIFY(tip("siatka", 19).startsWith(QStringLiteral("Xd: ")));
        QVERIFY(tip("siatka", 10).endsWith(QStringLiteral("(VA = cell × 10⁶)")));
        QVERIFY(tip("war_pocz", 1).startsWith(QStringLiteral("Iwr: ")));
        QVERIFY(tip("siatka", 9).isEmpty() && tip("siatka", 19, 1).isEmpty() && tip("war_pocz", 20).isEmpty());
        QVERIFY(tip("Siatka_PSS", 0).startsWith(QStringLiteral("T0: ")));
        form->runHandler("PSS2A_1Click");
        QVERIFY(tip("Siatka_PSS", 0).startsWith(QStringLiteral("T1: ")));
    }

    void componentGeometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("siatka") << "siatka" << QRect(80, 40, 673, 70);
        QTest::newRow("siatkaPraca") << "siatkaPraca" << QRect(80, 144, 650, 50);
        QTest::newRow("zadanystanustalony") << "zadanystanustalony" << QRect(200, 208, 522, 55);
        QTest::newRow("war_pocz") << "war_pocz" << QRect(80, 288, 665, 71);
        QTest::newRow("Siatka_PSS single-input") << "Siatka_PSS" << QRect(80, 400, 458, 54);
        QTest::newRow("Chart1") << "Chart1" << QRect(72, 8, 705, 489);
        QTest::newRow("ChBox1") << "ChBox1" << QRect(8, 16, 50, 20);
        QTest::newRow("ChBox17") << "ChBox17" << QRect(8, 400, 50, 20);
        QTest::newRow("Wykr_DaneAkt") << "Wykr_DaneAkt" << QRect(8, 504, 81, 25);
        QTest::newRow("ZalWyl_PSS") << "ZalWyl_PSS" << QRect(112, 504, 57, 25);
        QTest::newRow("ProgressBar1") << "ProgressBar1" << QRect(291, 512, 217, 17);
        QTest::newRow("CalkaCieplna") << "CalkaCieplna" << QRect(624, 504, 129, 25);
    }
    void componentGeometry() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QCOMPARE(component(name.toLatin1().constData())->geometry(), geometry);
    }

    // Both rows of every grid show in full, and the captions fit their controls.
    void nothingClipped() {
        for (QTableView* grid : form->centralWidget()->findChildren<QTableView*>()) {
            const int rows = grid->rowHeight(0) + grid->rowHeight(1);
            QVERIFY2(rows <= grid->viewport()->height() || grid->isHidden(), qPrintable(grid->objectName()));
        }
        for (QPushButton* button : form->findChildren<QPushButton*>()) {
            const int text = button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(text + 6 <= button->width(), qPrintable(button->objectName()));
        }
        for (int k = 1; k <= tgsim::kQuantityCount; ++k) {
            QCheckBox* box = form->seriesBox(k);
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
        }
        for (int i = 0; i < 3; ++i) {
            QLabel* label = form->statusPanel(i);
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        }
    }

    void menuItems_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        const QKeySequence none;
        QTest::newRow("G1") << "G1Click" << "Generator" << "Dolna Odra      bl. 7, 8" << none;
        QTest::newRow("G2") << "G2Click" << "Generator" << "Turów              bl. 1,2,3" << none;
        QTest::newRow("G6") << "G6Click" << "Generator" << "Konin" << none;
        QTest::newRow("war_zerowe") << "war_zeroweClick" << "War. początkowe" << "warunki Zerowe" << none;
        QTest::newRow("war_koncow") << "war_koncowClick" << "War. początkowe" << "warunki Końcowe = Dane Aktualne" << none;
        QTest::newRow("war_nominalne") << "war_nominalneClick" << "War. początkowe" << "warunki Znamionowe" << none;
        QTest::newRow("Warunkizadane1") << "Warunkizadane1Click" << "War. początkowe" << "zadany stan Ustalony" << none;
        QTest::newRow("Softstart") << "Softstart1Click" << "Stany Pracy" << "Softstart" << QKeySequence(Qt::Key_F1);
        QTest::newRow("Synchroniz") << "Synchroniz1Click" << "Stany Pracy" << "Synchronizacja" << QKeySequence(Qt::Key_F2);
        QTest::newRow("ZabwAutom") << "ZabwAutom1Click" << "Stany Pracy" << "Zaburzenie w RA      " << QKeySequence(Qt::Key_F3);
        QTest::newRow("Zwarcie") << "Zwarcie1Click" << "Stany Pracy" << "Zwarcie" << QKeySequence(Qt::Key_F4);
        QTest::newRow("Pracawsieci") << "Pracawsieci1Click" << "Stany Pracy" << "Praca w sieci" << QKeySequence(Qt::Key_F5);
        QTest::newRow("ZrzutQ") << "ZrzutQ1Click" << "Stany Pracy" << "Zrzut Q" << QKeySequence(Qt::Key_F6);
        QTest::newRow("TestPSS") << "TestPSS1Click" << "Stany Pracy" << "Test: PSS 2A" << QKeySequence(Qt::Key_F7);
        QTest::newRow("Klasyczny") << "Klasyczny1Click" << "Model Gen." << "Klasyczny" << none;
        QTest::newRow("Canaya") << "Canaya1Click" << "Model Gen." << "Canay'a" << none;
        QTest::newRow("PSS2A_1") << "PSS2A_1Click" << "Stab. Syst. PSS" << "PSS 2A - D.O." << none;
        QTest::newRow("PSS2A_3") << "PSS2A_3Click" << "Stab. Syst. PSS" << "PSS 2A - Koz." << none;
        QTest::newRow("PSS1wejsciowy") << "PSS1wejsciowy1Click" << "Stab. Syst. PSS" << "PSS  1-wejsciowy" << none;
        QTest::newRow("O1Click") << "O1Click" << "Obliczenia" << "Rozwiązanie Równań Stanu" << QKeySequence(Qt::Key_F10);
        QTest::newRow("Calka") << "Obliczeniecalkicieplnej1Click" << "Obliczenia" << "Obliczenie Calki Cieplnej Prądu Wirnika" << none;
        QTest::newRow("Zachowaj") << "ZachowajPrzebiegClick" << "Porównanie" << "Zachowaj przebieg" << none;
        QTest::newRow("Usun") << "UsunPorownaniaClick" << "Porównanie" << "Usuń porównania" << none;
        QTest::newRow("Legenda") << "LegendaClick" << "Porównanie" << "Legenda" << none;
        QTest::newRow("Poka1") << "Poka1Click" << "Schematy" << "Schemat Sieci " << none;
        QTest::newRow("PokazDQ") << "PokazDQcircuits" << "Schematy" << "Schemat d-q" << none;
        QTest::newRow("SchematPSS") << "SchematStabilizatorClick" << "Schematy" << "Schemat PSS2A" << none;
        QTest::newRow("Gdzie1") << "Gdzie1Click" << "Zapisz" << "Gdzie zapisac wykres ?" << none;
        QTest::newRow("Gdzie2") << "Gdzie2Click" << "Zapisz" << "Gdzie zapisac formularz / Enh ?" << none;
    }
    void menuItems() {
        QFETCH(QString, handler);
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QAction* item = form->action(handler);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
        const QList<QObject*> owners = item->associatedObjects();
        QVERIFY(!owners.isEmpty());
        auto* owner = qobject_cast<QMenu*>(owners.first());
        QVERIFY(owner);
        QCOMPARE(owner->title(), menu);
    }

    void topLevelItems() {
        QStringList captions;
        for (QAction* top : form->menuBar()->actions()) captions << top->text();
        QCOMPARE(captions, QStringList({"Generator", "War. początkowe", "Stany Pracy", "Model Gen.", "Stab. Syst. PSS",
                                        "Obliczenia", "Porównanie", "Schematy", "Zapisz", "Koniec"}));
        QAction* koniec = form->menuBar()->actions().last();
        QVERIFY(!koniec->menu());
        QCOMPARE(koniec->shortcut(), QKeySequence(Qt::Key_Delete));
    }

    // Every menu row of the command table is reachable exactly once from the menu bar, with the
    // table's caption and shortcut, and the menu bar holds nothing else.
    void menusFollowTheCommandTable() {
        QMap<QString, int> reachable;
        int items = 0;
        for (QAction* top : form->menuBar()->actions()) {
            const QList<QAction*> entries = top->menu() ? top->menu()->actions() : QList<QAction*>{top};
            for (QAction* entry : entries) {
                ++items;
                ++reachable[entry->objectName()];
                const tgsim::Command* command = tgsim::findCommand(entry->objectName().toStdString());
                QVERIFY2(command, qPrintable(entry->objectName()));
                QCOMPARE(entry->text(), QString::fromUtf8(command->caption));
                QCOMPARE(entry->shortcut(), QKeySequence::fromString(QString::fromLatin1(command->shortcut)));
                if (top->menu()) QCOMPARE(top->text(), QString::fromUtf8(command->menu));
            }
        }
        int rows = 0;
        for (const tgsim::Command& command : tgsim::kCommands) {
            if (command.placement == tgsim::Placement::Button) continue;
            ++rows;
            QCOMPARE(reachable.value(QString::fromLatin1(command.handler)), 1);
        }
        QCOMPARE(items, rows);
    }

    void f10DrawsTheStartUpChart() {
        pressF10();
        for (int k = 0; k < tgsim::kSeriesCount; ++k) QCOMPARE(drawn(k), k == 13 || k == 15 || k == 16);
        QCOMPARE(panel(1), QStringLiteral("Stan Pracy: wzbudzenie"));
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = 7000"));
        QVERIFY(panel(0).startsWith(QStringLiteral("Czas obliczeń = ")));
        QVERIFY(!panel(0).contains(QStringLiteral("?")));
        QVERIFY(shown("Chart1"));
        for (const char* name : {"siatka", "siatkaPraca", "war_pocz", "Siatka_PSS", "ProgressBar1"})
            QVERIFY2(!shown(name), name);
        for (int k = 1; k <= tgsim::kQuantityCount; ++k) {
            QVERIFY(!form->seriesBox(k)->isHidden());
            QCOMPARE(form->seriesBox(k)->isChecked(), k == 13 || k == 15 || k == 16);
        }
        QVERIFY(component<QPushButton>("Wykr_DaneAkt")->isEnabled());
        QCOMPARE(form->Chart1()->rubberBand(), QChartView::RectangleRubberBand);

        // The lines stand for the rows 0 .. N-1, whose times the time axis covers.
        for (int k : {13, 15, 16}) checkLineFollowsRows(k);
        const tgsim::ChartRows rows = form->session().chartRows();
        QCOMPARE(rows.size(), std::size_t{7000});
        const QValueAxis* time = form->Chart1()->timeAxis();
        QVERIFY(time->min() <= rows.time(0) && time->max() >= rows.time(6999));
    }

    void clickOnFreeAreaComputes() {
        QTest::mouseClick(component("siatka")->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport")),
                          Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(component("ZalWyl_PSS"), Qt::LeftButton);
        QTest::mouseClick(component("ZalWyl_PSS"), Qt::LeftButton);
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = ........"));
        QTest::mouseClick(form->centralWidget(), Qt::LeftButton, {}, QPoint(790, 300));
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = 7000"));
        QVERIFY(drawn(13));
    }

    void seriesBoxToggles_data() {
        QTest::addColumn<int>("k");
        QTest::newRow("Uw, drawn after the run") << 13;
        QTest::newRow("Id") << 1;
        QTest::newRow("iQ2, filled but not drawn") << 6;
        QTest::newRow("Q") << 17;
    }
    void seriesBoxToggles() {
        QFETCH(int, k);
        pressF10();
        QCheckBox* box = form->seriesBox(k);
        const bool initially = box->isChecked();
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(drawn(k), !initially);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(drawn(k), initially);
        if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(form->Chart1()->series(k)->pen().style(), k == 6 ? Qt::NoPen : Qt::SolidLine);
        checkLineFollowsRows(k);
    }

    void viewSwitchWritesCurrentData() {
        pressF10();
        auto* initial = component<QTableView>("war_pocz");
        initial->model()->setData(initial->model()->index(1, 6), QStringLiteral("typed"));
        QTest::mouseClick(component("Wykr_DaneAkt"), Qt::LeftButton);
        QCOMPARE(component<QPushButton>("Wykr_DaneAkt")->text(), QStringLiteral("Wykresy"));
        QVERIFY(!shown("Chart1"));
        QVERIFY(shown("war_pocz") && shown("siatka") && shown("siatkaPraca"));
        QVERIFY(!shown("Siatka_PSS"));
        const tgsim::Session& session = form->session();
        QCOMPARE(initial->model()->index(1, 6).data().toString(),
                 QString::fromStdString(tgsim::formatGeneral(session.currentData()[7] / session.record().omegan)));
        QCOMPARE(initial->model()->index(1, 8).data().toString(),
                 QString::fromStdString(tgsim::formatGeneral(session.currentData()[9])));

        // A double-click on the chart switches back; the lines are kept.
        QTest::mouseClick(component("Wykr_DaneAkt"), Qt::LeftButton);
        QVERIFY(shown("Chart1"));
        QTest::mouseDClick(form->Chart1()->viewport(), Qt::LeftButton, {}, QPoint(300, 200));
        QVERIFY(!shown("Chart1"));
        QVERIFY(drawn(15));
    }

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

    void stabilizerButtonAndEnter() {
        QTest::mouseClick(component("ZalWyl_PSS"), Qt::LeftButton);
        QCOMPARE(component<QPushButton>("ZalWyl_PSS")->text(), QStringLiteral("Wyl. PSS"));
        QVERIFY(shown("Siatka_PSS"));
        form->centralWidget()->setFocus();
        QTest::keyClick(form.get(), Qt::Key_Return);  // the default button
        QCOMPARE(component<QPushButton>("ZalWyl_PSS")->text(), QStringLiteral("Zal. PSS"));
        QVERIFY(!shown("Siatka_PSS"));
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
        checkLineFollowsRows(15);  // and the line's points the range shown
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

    void deleteClosesTheWindow() {
        pressF10();
        QTest::keyClick(form.get(), Qt::Key_Delete);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
