// A long computation off the window's thread: the window answers meanwhile, takes no command that
// would change the session, and "Przerwij" (Esc) stops the run at once, leaving everything as it
// was before.
#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <unistd.h>

#include "dq_circuits_window.h"
#include "network_map_window.h"
#include "pss2a_diagram_window.h"
#include "schematic_windows.h"
#include "shown_form.h"
#include "ui/window/main_window.h"

class TestComputationRun : public QObject {
    Q_OBJECT

private:
    tgsim::testing::ShownForm shown;
    std::unique_ptr<tgsim::window::TForm1>& form = shown.form;

    // Runs `during` once the computation is integrating, from within the window's own loop.
    void whileComputing(const std::function<void()>& during) {
        bool ran = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            if (!form->computing()) return;
            poll.stop();
            ran = true;
            during();
        });
        poll.start();
        form->runHandler("O1Click");
        QVERIFY(ran);
    }

private slots:
    void init() { QVERIFY(shown.start()); }
    void cleanup() { form.reset(); }

    void theWindowAnswersAndStopsOnEsc() {
        form->runHandler("O1Click");
        const tgsim::Session& session = form->session();
        const tgsim::ResultMatrix* earlier = &session.results();
        const tgsim::State currentData = session.currentData();
        form->session().setCell(tgsim::GridId::siatkaPraca, 1, 1, "5000");  // 5 million steps
        const std::string initial = session.grids().war_pocz.cell(6, 1);
        whileComputing([&] {
            // A menu opens and its item shows its window while the rows are integrated.
            QMenu* schematics = nullptr;
            for (QAction* top : form->menuBar()->actions())
                if (top->text() == QStringLiteral("Schematy")) schematics = top->menu();
            QTest::mouseClick(form->menuBar(), Qt::LeftButton, {},
                              form->menuBar()->actionGeometry(schematics->menuAction()).center());
            QTRY_VERIFY(schematics->isVisible());
            form->action(QStringLiteral("Poka1Click"))->trigger();
            QVERIFY(form->schematics()->SchematSiec()->isVisible());
            schematics->close();
            // What would change the session is refused: a command and a cell edit.
            QVERIFY(!form->action(QStringLiteral("G2Click"))->isEnabled());
            form->runHandler("G2Click");
            QCOMPARE(session.generatorSet(), &tgsim::kGeneratorSets[0]);
            auto* grid = form->findChild<QTableView*>(QStringLiteral("war_pocz"));
            QVERIFY(!grid->model()->setData(grid->model()->index(1, 6), QStringLiteral("2")));
            QVERIFY(form->computing());
            QVERIFY(form->findChild<QPushButton*>(QStringLiteral("Przerwij"))->isVisible());
            QTest::keyClick(form.get(), Qt::Key_Escape);
        });
        QVERIFY(!form->computing());
        QCOMPARE(shown.reported.size(), 1);
        QVERIFY2(shown.reported[0].startsWith(QStringLiteral("Obliczenia przerwane przy t = ")),
                 qPrintable(shown.reported[0]));
        // The earlier computation's rows, its current data and the grids are as they were.
        QCOMPARE(&session.results(), earlier);
        QCOMPARE(session.chartRowCount(), std::size_t(7000));
        QVERIFY(session.currentData() == currentData);
        QCOMPARE(session.grids().war_pocz.cell(6, 1), initial);
        QVERIFY(form->findChild<QPushButton*>(QStringLiteral("Przerwij"))->isHidden());
        QVERIFY(form->action(QStringLiteral("G2Click"))->isEnabled());
    }

    // Rows beyond a quarter of the machine's memory are asked about, with the figure; "no"
    // computes nothing and leaves the earlier results.
    void aRunTooLargeForTheMemoryIsAskedAbout() {
        form->runHandler("O1Click");
        const tgsim::ResultMatrix* earlier = &form->session().results();
        const double memory = double(sysconf(_SC_PHYS_PAGES)) * double(sysconf(_SC_PAGE_SIZE));
        const double steps = memory / 4 / (tgsim::kStateSize * sizeof(double)) * 1.5;
        form->session().setCell(tgsim::GridId::siatkaPraca, 1, 1, std::to_string(int(steps / 1000)));
        std::uint64_t asked = 0;
        form->setMemoryQuestion([&](std::uint64_t bytes, std::uint64_t) {
            asked = bytes;
            return false;
        });
        form->runHandler("O1Click");
        QVERIFY(asked > memory / 4 && asked < memory / 2);
        QCOMPARE(&form->session().results(), earlier);
        QCOMPARE(form->session().chartRowCount(), std::size_t(7000));
        QVERIFY(shown.reported.isEmpty());
    }
};

QTEST_MAIN(TestComputationRun)
#include "test_computation_run.moc"
