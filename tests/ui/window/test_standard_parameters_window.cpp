// The window "Parametry standardowe" of the menu "Generator": opened from its menu item, filled
// from the grids as they stand each time it is shown, hidden with the message on a refusal.
#include <QAction>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "ui/window/standard_parameters_window.h"
#include "shown_form.h"
#include "ui/window/main_window.h"

using tgsim::window::StandardParametersWindow;
using tgsim::window::TForm1;

class TestStandardParametersWindow : public QObject {
    Q_OBJECT

private:
    tgsim::testing::ShownForm shown;
    std::unique_ptr<TForm1>& form = shown.form;
    QStringList& reported = shown.reported;

    StandardParametersWindow* window() { return form->findChild<StandardParametersWindow*>(); }
    void open() { form->action(QStringLiteral("ParametryStandardoweClick"))->trigger(); }
    QString cell(int row, int column) { return tgsim::testing::cellText(window()->table(), row, column); }

private slots:
    void init() { QVERIFY(shown.start()); }
    void cleanup() { form.reset(); }

    void menuItemShowsTheTableOfTheGridsAsTheyStand() {
        QVERIFY(window());
        QVERIFY(window()->isHidden());
        open();
        QVERIFY(window()->isVisible());
        QVERIFY(!window()->isModal());
        QCOMPARE(window()->windowTitle(), QStringLiteral("Parametry standardowe"));
        QCOMPARE(window()->table()->rowCount(), 20);
        // Set 1, classical: Xd as typed, with the decimal comma; Td' has no catalogue value.
        QCOMPARE(cell(0, 0), QStringLiteral("Xd"));
        QCOMPARE(cell(0, 1), QStringLiteral("2,48"));
        QCOMPARE(cell(0, 3), QStringLiteral("2,48"));
        QCOMPARE(cell(0, 4), QStringLiteral("1"));
        QCOMPARE(cell(8, 0), QStringLiteral("Td'"));
        QCOMPARE(cell(8, 1), QStringLiteral("0,8192"));
        QCOMPARE(cell(8, 3), QString());
        QCOMPARE(cell(19, 0), QStringLiteral("deltaN"));

        // Shown again after a cell edit, without a computation in between.
        form->session().setCell(tgsim::GridId::siatka, 19, 1, "3,1");
        open();
        QCOMPARE(cell(0, 1), QStringLiteral("3,1"));
        QVERIFY(reported.isEmpty());

        form->session().setCell(tgsim::GridId::siatka, 19, 1, "3.1");
        open();
        QCOMPARE(reported, QStringList{QStringLiteral("'3.1' is not a valid floating point value")});
        QVERIFY(window()->isHidden());
    }

    // Open, it follows the grids: another set, the model, an edit typed into a cell, an undo.
    void followsTheGridsWhileOpen() {
        open();
        QVERIFY(window()->heading()->text().startsWith(QStringLiteral("Zestaw G1")));
        const QString xd = cell(0, 1);
        form->runHandler("G2Click");
        QVERIFY2(window()->heading()->text().startsWith(QStringLiteral("Zestaw G2")),
                 qPrintable(window()->heading()->text()));
        QVERIFY(cell(0, 1) != xd);
        form->runHandler("Canaya1Click");
        QVERIFY(window()->heading()->text().contains(QStringLiteral("Canay")));
        auto* grid = form->findChild<QTableView*>(QStringLiteral("siatka"));
        grid->model()->setData(grid->model()->index(1, 19), QStringLiteral("3,1"));
        QCOMPARE(cell(0, 1), QStringLiteral("3,1"));
        QVERIFY(window()->heading()->text().contains(QStringLiteral("zmienione")));
        QVERIFY(reported.isEmpty());
    }
};

QTEST_MAIN(TestStandardParametersWindow)
#include "test_standard_parameters_window.moc"
