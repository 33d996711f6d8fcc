// The window "Analiza modalna" of the menu "Obliczenia": opened from its menu item with the modes
// of the initial state and the ringdowns of the ticked quantities, emptied with the message when
// the analysis is refused.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "ui/window/modal_analysis_window.h"
#include "ui/window/modal_plane_chart.h"
#include "shown_form.h"
#include "ui/window/main_window.h"

using tgsim::window::ModalAnalysisWindow;
using tgsim::window::TForm1;

class TestModalAnalysisWindow : public QObject {
    Q_OBJECT

private:
    tgsim::testing::ShownForm shown;
    std::unique_ptr<TForm1>& form = shown.form;
    QStringList& reported = shown.reported;

    ModalAnalysisWindow* window() { return form->findChild<ModalAnalysisWindow*>(); }
    void open() { form->action(QStringLiteral("AnalizaModalnaClick"))->trigger(); }
    int pointCount() {
        return static_cast<int>(window()->plane()->modePoints()->count() +
                                window()->plane()->electromechanicalPoints()->count());
    }
    QString cell(const QTableWidget* table, int row, int column) {
        return tgsim::testing::cellText(table, row, column);
    }
    // Set 1 on the network at the given steady state, "PSS 2A - D.O." on.
    void operatingPoint() {
        for (const char* handler : {"Pracawsieci1Click", "PSS2A_1Click", "Stale_PSS", "Warunkizadane1Click"})
            form->runHandler(handler);
    }

private slots:
    void init() { QVERIFY(shown.start()); }
    void cleanup() { form.reset(); }

    void menuItemShowsTheModesAndTheRingdownsOfTheLastRun() {
        QVERIFY(window());
        QVERIFY(window()->isHidden());
        operatingPoint();
        form->session().setCell(tgsim::GridId::war_pocz, 6, 1, "1,001");  // the run starts 0,1 % fast
        form->runHandler("O1Click");
        form->session().setCell(tgsim::GridId::war_pocz, 6, 1, "1");
        form->seriesBox(7)->click();  // w, beside the run's Uw, Ug and P
        open();
        QVERIFY2(reported.isEmpty(), qPrintable(reported.join('\n')));
        QVERIFY(window()->isVisible());
        QVERIFY(!window()->isModal());

        // Every mode a point, each oscillation one row; the swing in its own series and row.
        QTableWidget* modes = window()->modeTable();
        QVERIFY(modes->rowCount() > 10);
        QVERIFY(pointCount() > modes->rowCount());
        QCOMPARE(window()->plane()->electromechanicalPoints()->count(), 2);
        const int em = window()->electromechanicalRow();
        QVERIFY(em >= 0);
        for (int row = 0; row < modes->rowCount(); ++row)
            QCOMPARE(modes->item(row, 0)->background().color() == modes->item(em, 0)->background().color(), row == em);
        const QString frequency = cell(modes, em, 2);
        QVERIFY(frequency.startsWith(QStringLiteral("1,9")));  // about 1,94 Hz, with a decimal comma
        QVERIFY(window()->summary()->text().contains(frequency));

        // The mouse over the swing's point names it; away from every point, nothing.
        const QPointF swing = window()->plane()->electromechanicalPoints()->at(0);
        const QPointF at = window()->plane()->positionOf(swing.x(), swing.y());
        QTest::mouseMove(window()->plane()->viewport(), (at + QPointF(2, 1)).toPoint());
        const QString named = window()->plane()->hoverText();
        QVERIFY2(named.startsWith(QStringLiteral("Mod elektromechaniczny")), qPrintable(named));
        QVERIFY(named.contains(QStringLiteral("f = ") + frequency + QStringLiteral(" Hz")));
        QVERIFY(!named.contains(QStringLiteral("power path")));
        window()->plane()->pointAt(QPointF(1, 1));
        QVERIFY(window()->plane()->hoverText().isEmpty());

        // One row per ticked box; the speed rings down at the frequency of the swing.
        QTableWidget* ringdowns = window()->ringdownTable();
        QCOMPARE(ringdowns->rowCount(), 4);
        int speed = -1;
        for (int row = 0; row < ringdowns->rowCount(); ++row)
            if (cell(ringdowns, row, 0) == QStringLiteral("w")) speed = row;
        QVERIFY(speed >= 0);
        QCOMPARE(cell(ringdowns, speed, 3), frequency);
    }

    void aRefusalLeavesNoModesAndIsReported() {
        operatingPoint();
        open();
        QVERIFY(pointCount() > 0);
        QCOMPARE(window()->ringdownTable()->rowCount(), 0);  // no computation yet

        form->session().setCell(tgsim::GridId::war_pocz, 6, 1, "1,01");  // off the equilibrium
        window()->findChild<QPushButton*>(QStringLiteral("Przelicz"))->click();
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].startsWith(QStringLiteral("Stan początkowy (war_pocz) nie jest stanem ustalonym: ")),
                 qPrintable(reported[0]));
        QVERIFY(reported[0].contains(QStringLiteral("Wybierz „Praca w sieci”")));  // what to do
        QVERIFY(window()->isVisible());
        QCOMPARE(pointCount(), 0);
        QCOMPARE(window()->modeTable()->rowCount(), 0);
        QCOMPARE(window()->electromechanicalRow(), -1);
        QVERIFY(window()->summary()->text().contains(reported[0]));
    }
};

QTEST_MAIN(TestModalAnalysisWindow)
#include "test_modal_analysis_window.moc"
