// The menu "Zapisz" (chart pictures and result tables under a chosen name) and the menu
// "Schematy" of the main window.
#include <QAction>
#include <QFile>
#include <QFileInfo>
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

    // A picture is what its name says: the item's own format under a name without an extension,
    // the format a picture extension names, a picture type the chart is not saved in refused.
    void aPictureIsWhatItsNameSays_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");  // empty: refused
        QTest::addColumn<QString>("kind");
        QTest::newRow("wmf item, no extension") << "Gdzie1Click"
                                                << "wykres"
                                                << "wykres.wmf"
                                                << "wmf";
        QTest::newRow("emf item, no extension") << "Gdzie2Click"
                                                << "form"
                                                << "form.emf"
                                                << "emf";
        QTest::newRow("wmf item, .png typed") << "Gdzie1Click"
                                              << "wykres.png"
                                              << "wykres.png"
                                              << "png";
        QTest::newRow("png item, .EMF typed") << "SavePictureClick"
                                              << "w.EMF"
                                              << "w.EMF"
                                              << "emf";
        QTest::newRow("png item, not a picture type") << "SavePictureClick"
                                                      << "w.v2"
                                                      << "w.v2.png"
                                                      << "png";
        QTest::newRow("emf item, .bmp typed") << "Gdzie2Click"
                                              << "wykres.bmp"
                                              << ""
                                              << "";
        QTest::newRow("png item, .jpg typed") << "SavePictureClick"
                                              << "w.jpg"
                                              << ""
                                              << "";
    }
    void aPictureIsWhatItsNameSays() {
        QFETCH(QString, handler);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, kind);
        QTest::keyClick(form.get(), Qt::Key_F10);
        answer = scratch->filePath(typed);
        trigger(qPrintable(handler));
        if (written.isEmpty()) {
            QCOMPARE(reported.size(), 1);
            QVERIFY(reported[0].contains(QFileInfo(typed).suffix()));
            QCOMPARE(QDir(scratch->path()).entryList(QDir::Files).size(), 0);
            return;
        }
        QVERIFY(reported.isEmpty());
        const QByteArray bytes = head(scratch->filePath(written), 44);
        QVERIFY(kind == "wmf" ? isPlaceableWmf(bytes) : kind == "emf" ? isEmf(bytes) : bytes.startsWith("\x89PNG"));
        QCOMPARE(QDir(scratch->path()).entryList(QDir::Files), QStringList{written});
        trigger(qPrintable(handler));
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered[0], tgsim::window::ChartSaving::startFolder());
        QCOMPARE(offered[1], scratch->filePath(written));  // the name written is offered again
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
