// The window's side of a running computation: the progress bar and blocked input.
#include <QLineEdit>
#include <QProgressBar>
#include <QtTest>

#include "ui/window/solve_progress.h"

class TestSolveProgress : public QObject {
    Q_OBJECT

private slots:
    void barEndsAtTheLastPosition() {
        QProgressBar bar;
        int statusWrites = 0;
        {
            tgsim::window::SolveProgress progress(&bar, [&] { ++statusWrites; });
            progress.statusTextsWritten();
            progress.setMaximum(70000);
            for (int i = 0; i < 70000; ++i) progress.setPosition(i);
            QCOMPARE(progress.position(), 69999);
        }
        QCOMPARE(statusWrites, 1);
        QCOMPARE(bar.maximum(), 70000);
        QCOMPARE(bar.value(), 69999);  // even when the last repaint was skipped
        QVERIFY(!bar.isHidden());
    }

    // While a computation runs, typing and clicking reach no widget; afterwards they do again.
    void inputIsSwallowedDuringTheRun() {
        QLineEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        QProgressBar bar;
        {
            tgsim::window::SolveProgress progress(&bar, [] {});
            QTest::keyClicks(&edit, QStringLiteral("abc"));
            QTest::mouseDClick(&edit, Qt::LeftButton);
            QCOMPARE(edit.text(), QString());
        }
        QTest::keyClicks(&edit, QStringLiteral("abc"));
        QCOMPARE(edit.text(), QStringLiteral("abc"));
    }
};

QTEST_MAIN(TestSolveProgress)
#include "test_solve_progress.moc"
