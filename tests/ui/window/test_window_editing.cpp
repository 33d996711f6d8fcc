// Working with the window without losing work: Del clears grid cells (and ends the program only
// outside the grids), undo and redo of typed, cleared and loaded input, the chart's values copied
// as a spreadsheet takes them, and the colour choice kept from one start to the next.
#include <QClipboard>
#include <QStandardPaths>
#include <QUndoStack>
#include <sstream>

#include "driver/result_export.h"
#include "main_window_driving.h"

using tgsim::window::TForm1;

class TestWindowEditing : public QObject, private tgsim::testing::MainWindowDriving {
    Q_OBJECT

    void start() {
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    const tgsim::Grids& grids() { return form->session().grids(); }
    static bool sameCells(const tgsim::TextGrid& a, const tgsim::TextGrid& b) {
        if (a.columnCount() != b.columnCount()) return false;
        for (int row = 0; row < tgsim::TextGrid::kRows; ++row)
            for (int column = 0; column < a.columnCount(); ++column)
                if (a.cell(column, row) != b.cell(column, row)) return false;
        return true;
    }
    void key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { start(); }
    void cleanup() { form.reset(); }

    // Del in a grid clears the selection and the window stays; Ctrl+Z brings the cells back,
    // Ctrl+Y clears them again. Del elsewhere is still "Koniec".
    void deleteClearsCellsInAGridAndEndsTheProgramElsewhere() {
        auto* control = component<QTableView>("siatkaPraca");
        control->setFocus();
        control->selectionModel()->select(QItemSelection(control->model()->index(1, 0), control->model()->index(1, 1)),
                                          QItemSelectionModel::Select);
        const std::string first = grids().siatkaPraca.cell(0, 1), second = grids().siatkaPraca.cell(1, 1);
        QVERIFY(!first.empty() && !second.empty());
        key(control, Qt::Key_Delete);
        QVERIFY(form->isVisible());
        QCOMPARE(grids().siatkaPraca.cell(0, 1), std::string());
        QCOMPARE(grids().siatkaPraca.cell(1, 1), std::string());
        QCOMPARE(control->model()->index(1, 1).data().toString(), QString());
        key(control, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grids().siatkaPraca.cell(0, 1), first);
        QCOMPARE(grids().siatkaPraca.cell(1, 1), second);
        QCOMPARE(control->model()->index(1, 1).data().toString(), QString::fromStdString(second));
        key(control, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(grids().siatkaPraca.cell(1, 1), std::string());

        form->Chart1()->setFocus();
        key(form->Chart1(), Qt::Key_Delete);
        QVERIFY(!form->isVisible());
    }

    // Typing into a cell is one step, a loaded data set another: each is taken back whole, with
    // the menus' marks and the name the set gives to runs.
    void undoRestoresTypedAndLoadedCells() {
        auto* control = component<QTableView>("siatkaPraca");
        control->setFocus();
        control->setCurrentIndex(control->model()->index(1, 1));
        const std::string typedOver = grids().siatkaPraca.cell(1, 1);
        QTest::keyClicks(control, QStringLiteral("3"));  // opens the editor
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(",5"));
        key(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(form->undoStack()->count(), 1);  // the editor closes on the next turn of the loop
        QCOMPARE(grids().siatkaPraca.cell(1, 1), std::string("3,5"));

        const tgsim::TextGrid g1 = grids().siatka;
        form->runHandler("G2Click");
        QVERIFY(!sameCells(grids().siatka, g1));
        QVERIFY(form->action(QStringLiteral("G2Click"))->isChecked());

        form->undoStack()->undo();  // the set
        QVERIFY(sameCells(grids().siatka, g1));
        QCOMPARE(form->session().generatorSet(), &tgsim::kGeneratorSets[0]);
        QVERIFY(form->action(QStringLiteral("G1Click"))->isChecked());
        QCOMPARE(grids().siatkaPraca.cell(1, 1), std::string("3,5"));
        form->undoStack()->undo();  // the typing, as one step
        QCOMPARE(grids().siatkaPraca.cell(1, 1), typedOver);
        form->undoStack()->redo();
        form->undoStack()->redo();
        QCOMPARE(grids().siatkaPraca.cell(1, 1), std::string("3,5"));
        QCOMPARE(form->session().generatorSet(), &tgsim::kGeneratorSets[1]);
    }

    // Ctrl+C over the chart: the drawn quantities over the zoomed time range, as the runner's
    // chart file has them, tab-separated with a decimal comma.
    void copyGivesTheChartFilesValuesOverTheRangeShown() {
        pressF10();
        tgsim::chart::ResultChart* chart = form->Chart1();
        chart->chart()->zoomIn(chart->chart()->plotArea().adjusted(100, 0, -150, 0));
        const double from = chart->timeAxis()->min(), to = chart->timeAxis()->max();
        chart->setFocus();
        key(chart, Qt::Key_C, Qt::ControlModifier);
        const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);

        std::ostringstream file;
        tgsim::writeChartCsv(form->session(), file);
        const QStringList lines = QString::fromStdString(file.str()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList fileHeader = lines[0].split(QLatin1Char(','));
        const QStringList header = copied[0].split(QLatin1Char('\t'));
        QCOMPARE(header.size(), 4);  // t and the start-up lines Uw, Ug and P
        QStringList expected{copied[0]};
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QStringList cells = lines[i].split(QLatin1Char(','));
            const double t = cells[0].toDouble();
            if (t < from || t > to) continue;
            QStringList row;
            for (const QString& caption : header) row << QString(cells[fileHeader.indexOf(caption)]).replace('.', ',');
            expected << row.join(QLatin1Char('\t'));
        }
        QVERIFY(expected.size() > 100 && expected.size() < lines.size() - 100);
        QCOMPARE(copied, expected);
    }

    // "Kolory rozróżnialne" gives the start-up trio colours of their own, and is still chosen
    // after the program starts again.
    void distinctColoursSurviveARestart() {
        QAction* distinct = form->action(QStringLiteral("KoloryRozroznialneClick"));
        distinct->setChecked(false);
        QVERIFY(!distinct->isChecked());
        pressF10();
        const auto colour = [&](const char* caption) {
            for (int k = 1; k < tgsim::kSeriesCount; ++k)
                if (QLatin1String(tgsim::kChartQuantities[static_cast<std::size_t>(k)].caption) ==
                    QLatin1String(caption))
                    return form->Chart1()->series(k)->pen().color();
            return QColor();
        };
        distinct->trigger();
        QVERIFY(colour("Uw") != colour("Ug") && colour("Ug") != colour("P") && colour("Uw") != colour("P"));
        form.reset();
        start();
        QVERIFY(form->action(QStringLiteral("KoloryRozroznialneClick"))->isChecked());
        QCOMPARE(form->Chart1()->lineColours(), tgsim::chart::LineColours::Distinct);
        form->action(QStringLiteral("KoloryRozroznialneClick"))->trigger();
        form.reset();
        start();
        QCOMPARE(form->Chart1()->lineColours(), tgsim::chart::LineColours::Standard);
    }
};

QTEST_MAIN(TestWindowEditing)
#include "test_window_editing.moc"
