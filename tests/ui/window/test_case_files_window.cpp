// The window's case files: Ctrl+S and Ctrl+O through the file dialog, the case's name and * in the
// title, the recovery copy after a computation and at close, and "Przywróć poprzednią sesję".
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "driver/case/case_session.h"
#include "main_window_driving.h"
#include "ui/window/case_files.h"

using tgsim::captureCase;
using tgsim::testing::MessageBoxWatch;
using tgsim::window::CaseFiles;

class TestCaseFilesWindow : public QObject, tgsim::testing::MainWindowDriving {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> scratch;
    QString answer;  // the file the "user" chooses
    int discardAsked = 0;
    bool discard = true;

    QString path(const char* name) { return scratch->filePath(QString::fromLatin1(name)); }
    CaseFiles* cases() { return form->caseFiles(); }
    void trigger(const char* handler) { form->action(QString::fromLatin1(handler))->trigger(); }
    void newWindow() {
        form = std::make_unique<tgsim::window::TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        cases()->setAskFileName([this](bool, const QString&) { return answer; });
        cases()->setAskDiscardChanges([this] {
            ++discardAsked;
            return discard;
        });
    }
    QByteArray bytes(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init() {
        scratch = std::make_unique<QTemporaryDir>();
        discardAsked = 0;
        discard = true;
        newWindow();
    }
    void cleanup() { form.reset(); }

    void savingAndOpeningFollowTheTitle() {
        trigger("G3Click");
        answer = path("moja.tgsim.toml");
        QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(answer));
        QVERIFY(form->windowTitle().startsWith(QStringLiteral("moja — ")));
        const auto saved = captureCase(form->session());

        trigger("G5Click");  // a change since saving
        QVERIFY(form->windowTitle().startsWith(QStringLiteral("moja* — ")));
        discard = false;  // the user keeps the changes: nothing opens
        QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(discardAsked, 1);
        QVERIFY(captureCase(form->session()) != saved);

        discard = true;
        QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(captureCase(form->session()) == saved);
        QVERIFY(form->windowTitle().startsWith(QStringLiteral("moja — ")));
    }

    // A refused file is reported and changes neither the session nor the title's case.
    void aRefusedFileChangesNothing() {
        answer = path("zly.tgsim.toml");
        QFile file(answer);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[siatka]\nXd = 2.48\n");
        file.close();
        const auto before = captureCase(form->session());
        const QString title = form->windowTitle();
        MessageBoxWatch watch;
        trigger("OtworzPrzypadekClick");
        QTRY_VERIFY(watch.text.contains(QStringLiteral("zly.tgsim.toml:2:6: siatka.Xd must be a string")));
        QVERIFY(captureCase(form->session()) == before);
        QCOMPARE(form->windowTitle(), title);
    }

    // The copy is written after a computation and at close; the next window restores the copy
    // the last one left, not the ones it writes itself.
    void theRecoveryCopyRestoresThePreviousSession() {
        const QString recovery = path("stan/recovery.tgsim.toml");
        cases()->setRecoveryFile(recovery);
        trigger("G4Click");
        QVERIFY(!QFile::exists(recovery));
        pressF10();
        QVERIFY(QFile::exists(recovery));
        trigger("G2Click");
        form->close();
        const auto left = captureCase(form->session());
        const QByteArray copy = bytes(recovery);

        newWindow();
        cases()->setRecoveryFile(recovery);
        pressF10();  // overwrites the file
        QVERIFY(bytes(recovery) != copy);
        trigger("PrzywrocSesjeClick");
        QVERIFY(captureCase(form->session()) == left);
        QCOMPARE(cases()->fileName(), QString());  // saving asks for a name
    }
};

QTEST_MAIN(TestCaseFilesWindow)
#include "test_case_files_window.moc"
