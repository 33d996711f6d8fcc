// The menu "Zapisz" (chart pictures and result tables under a chosen name) and the menu
// "Schematy" of the main window.
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "schematic_windows.h"
#include "dq_circuits_window.h"
#include "pss2a_diagram_window.h"
#include "network_map_window.h"
#include "ui/window/chart_saving.h"
#include "ui/window/main_window.h"

using tgsim::window::TForm1;

class TestSavingAndSchematics : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;
    std::unique_ptr<QTemporaryDir> scratch;
    QStringList offered;  // what the dialog was asked to start from
    QString answer;       // what the "user" chooses
    QStringList reported;

    QString path(const char* name) { return scratch->filePath(QString::fromLatin1(name)); }
    void trigger(const char* handler) { form->action(QString::fromLatin1(handler))->trigger(); }
    QByteArray head(const QString& name, int bytes) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
    }
    static bool isPlaceableWmf(const QByteArray& bytes) { return bytes.startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4)); }
    static bool isEmf(const QByteArray& bytes) { return bytes.size() >= 44 && bytes.mid(40, 4) == " EMF"; }

private slots:
    void init() {
        scratch = std::make_unique<QTemporaryDir>();
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        offered.clear();
        reported.clear();
        form->saving()->setAskFileName([this](const QString&, const QString& start, const QString&) {
            offered << start;
            return answer;
        });
        form->saving()->setFailureReport([this](const QString& message) { reported << message; });
    }
    void cleanup() { form.reset(); }

    void bothMetafileFormatsUnderTheSameName() {
        QTest::keyClick(form.get(), Qt::Key_F10);
        answer = path("wykres.bmp");  // the name is used as it is
        trigger("Gdzie1Click");
        QVERIFY(isPlaceableWmf(head(answer, 4)));
        trigger("Gdzie2Click");  // replaces the file without a question
        QVERIFY(isEmf(head(answer, 44)));
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered[0], tgsim::window::ChartSaving::startFolder());
        QCOMPARE(offered[1], answer);  // the last name is offered again
        QVERIFY(reported.isEmpty());
    }

    void beforeAnyComputationAndInTheDataView() {
        answer = path("empty.wmf");
        trigger("Gdzie1Click");
        QVERIFY(isPlaceableWmf(head(answer, 4)));
        QTest::keyClick(form.get(), Qt::Key_F10);
        form->runHandler("Przelacz_DaneAkt_Wykres");
        answer = path("data-view.emf");
        trigger("Gdzie2Click");
        QVERIFY(isEmf(head(answer, 44)));
        QVERIFY(QFile(answer).size() > QFile(path("empty.wmf")).size());
    }

    void cancelWritesNothing() {
        answer.clear();
        trigger("Gdzie1Click");
        trigger("SaveResultsClick");
        QCOMPARE(QDir(scratch->path()).entryList(QDir::Files).size(), 0);
        QVERIFY(reported.isEmpty());
    }

    void aMissingFolderIsReportedAndLeavesNoFile() {
        answer = path("missing/wykres.wmf");
        trigger("Gdzie1Click");
        QCOMPARE(reported,
                 QStringList{QStringLiteral("Cannot create file ") + answer + QStringLiteral("\nNo such folder")});
        QVERIFY(!QFile::exists(answer));
    }

    void otherFormatsAndResultTables() {
        QTest::keyClick(form.get(), Qt::Key_F10);
        answer = path("wykres.png");
        trigger("SavePictureClick");
        QCOMPARE(head(answer, 4), QByteArray("\x89PNG", 4));
        answer = path("wyniki.csv");
        trigger("SaveResultsClick");
        QVERIFY(head(answer, 20).startsWith("t,Id,Iw,iD1,Iq"));
        answer = path("przebiegi.csv");
        trigger("SaveChartDataClick");
        QFile chart(answer);
        QVERIFY(chart.open(QIODevice::ReadOnly));
        QCOMPARE(chart.readAll().count('\n'), 7001);
        answer = path("wykres.xyz");
        trigger("SavePictureClick");
        QCOMPARE(reported.size(), 1);
        QVERIFY(reported[0].contains(QStringLiteral("wykres.xyz")));
    }

    void schematicWindowsOpenFromTheMenuOnce() {
        tgsim::SchematicWindows* windows = form->schematics();
        QVERIFY(windows->SchematSiec()->isHidden());
        QVERIFY(windows->Schemat_dq()->isHidden());
        QVERIFY(windows->SchematPSS2A()->isHidden());
        trigger("PokazDQcircuits");
        trigger("PokazDQcircuits");
        QVERIFY(windows->Schemat_dq()->isVisible());
        QCOMPARE(windows->Schemat_dq()->windowTitle(), QStringLiteral("Schemat_dq"));
        trigger("Poka1Click");
        QCOMPARE(windows->SchematSiec()->windowTitle(), QStringLiteral("SchematSiec"));
        trigger("SchematStabilizatorClick");
        QCOMPARE(windows->SchematPSS2A()->windowTitle(), QStringLiteral("SchematPSS2A"));
        QCOMPARE(form->findChildren<tgsim::TSchemat_dq*>().size(), 1);
    }
};

QTEST_MAIN(TestSavingAndSchematics)
#include "test_saving_and_schematics.moc"
