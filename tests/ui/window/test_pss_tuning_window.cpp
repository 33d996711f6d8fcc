// The window "Strojenie PSS" of the menu "Stab. Syst. PSS": the responses of the stabilizer set in
// the grid, the proposal that "Dobierz nastawy…" shows before anything is written, "Zastosuj"
// that writes it, and the refusal of a state that is not at rest.
#include <QAction>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "shown_form.h"
#include "ui/window/frequency_response_chart.h"
#include "ui/window/pss_tuning_window.h"
#include "ui/window/main_window.h"

using tgsim::window::FrequencyResponseChart;
using tgsim::window::PssTuningWindow;
using tgsim::window::TForm1;

class TestPssTuningWindow : public QObject {
    Q_OBJECT

private:
    tgsim::testing::ShownForm shown;
    std::unique_ptr<TForm1>& form = shown.form;
    QStringList& reported = shown.reported;

    PssTuningWindow* window() { return form->findChild<PssTuningWindow*>(); }
    QString cell(const QTableWidget* table, int row, int column) {
        return tgsim::testing::cellText(table, row, column);
    }
    QString gridValue(int column) { return QString::fromStdString(form->session().grids().Siatka_PSS.cell(column, 1)); }

private slots:
    void init() { QVERIFY(shown.start()); }
    void cleanup() { form.reset(); }

    // Set 4 on the network at the given steady state with "PSS 2A - D.O." in the grid.
    void theProposalIsShownFirstAndWrittenOnlyByZastosuj() {
        for (const char* handler : {"G4Click", "Pracawsieci1Click", "PSS2A_1Click", "Warunkizadane1Click"})
            form->runHandler(handler);
        form->action(QStringLiteral("StrojeniePSSClick"))->trigger();
        QVERIFY2(reported.isEmpty(), qPrintable(reported.join('\n')));
        QVERIFY(window()->isVisible());
        QVERIFY(!window()->proposal());
        QVERIFY(!window()->applyButton()->isEnabled());
        QCOMPARE(window()->charts()->gain(FrequencyResponseChart::kNet)->count(), 200);
        QCOMPARE(window()->charts()->gain(FrequencyResponseChart::kProposedNet)->count(), 0);
        QVERIFY(window()->summary()->text().contains(QStringLiteral("włącz go")));  // the switch is off

        form->action(QStringLiteral("DobierzPSSClick"))->trigger();
        QVERIFY2(reported.isEmpty(), qPrintable(reported.join('\n')));
        QVERIFY(window()->proposal());
        QCOMPARE(gridValue(0), QStringLiteral("0,05"));  // nothing written yet
        QTableWidget* settings = window()->settingTable();
        QCOMPARE(settings->rowCount(), 5);
        QCOMPARE(cell(settings, 4, 0), QStringLiteral("kw [-]"));
        QCOMPARE(cell(settings, 4, 1), QStringLiteral("2"));
        QCOMPARE(window()->swingTable()->rowCount(), 3);
        QCOMPARE(window()->charts()->phase(FrequencyResponseChart::kProposedNet)->count(), 200);

        const QStringList proposed = {cell(settings, 0, 2), cell(settings, 1, 2), cell(settings, 2, 2),
                                      cell(settings, 3, 2), cell(settings, 4, 2)};
        QTest::mouseClick(window()->applyButton(), Qt::LeftButton);
        QVERIFY2(reported.isEmpty(), qPrintable(reported.join('\n')));
        for (int k = 0; k < 4; ++k) QCOMPARE(gridValue(k), proposed[k]);
        QCOMPARE(gridValue(16), proposed[4]);
        // The window now shows the set it wrote, without a proposal.
        QVERIFY(!window()->proposal());
        QVERIFY(!window()->applyButton()->isEnabled());
        QCOMPARE(cell(settings, 4, 1), proposed[4]);
    }

    void aStateNotAtRestIsRefusedWithWhatToDo() {
        form->action(QStringLiteral("DobierzPSSClick"))->trigger();  // the start-up state
        QCOMPARE(reported.size(), 1);
        QVERIFY(reported[0].startsWith(QStringLiteral("Stan początkowy (war_pocz) nie jest stanem ustalonym")));
        QVERIFY(window()->isVisible());
        QVERIFY(window()->summary()->text().contains(QStringLiteral("zadany stan Ustalony")));
        QCOMPARE(window()->charts()->gain(FrequencyResponseChart::kGep)->count(), 0);
        QCOMPARE(window()->settingTable()->rowCount(), 0);
        QCOMPARE(gridValue(6), QStringLiteral("150"));  // the single-input set as it was
    }
};

QTEST_MAIN(TestPssTuningWindow)
#include "test_pss_tuning_window.moc"
