// The machine's PSS/E files in the window: the pick dialog lists the file's machines and offers
// the PSS2A where the chosen one has it; the menu items import the picked machine, show what was
// taken in a note, write it back, and leave the window as it was on a cancel or a bad file.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "data/psse/dyr_file.h"
#include "ui/window/machine_files.h"
#include "ui/window/main_window.h"

using tgsim::window::MachineFiles;
using tgsim::window::MachinePickDialog;
using tgsim::window::MachineRequest;
using tgsim::window::TForm1;

namespace {

// Bus 2 a GENSAL, bus 5 a GENROU with its PSS2A, bus 6 a GENROU without.
const char* const kDyr =
    "2 'GENSAL' 1 5 0.05 0.1 3 0 1.2 0.7 0.3 0.2 0.1 0 0 /\n"
    "5 'GENROU' 1 6 0.05 0.5 0.05 3 0 1.8 1.7 0.3 0.5 0.2 0.1 0 0 /\n"
    "5 'PSS2A' 1 1 0 3 0 2 2 10 10 0.02 10 10 10 0.3 1 0.5 0.1 20 0.15 0.03 0.25 0.05 0.1 -0.1 /\n"
    "6 'GENROU' 'B' 7 0.05 0.5 0.05 3 0 1.8 1.7 0.3 0.5 0.2 0.1 0 0 /\n";

}  // namespace

class TestMachineFiles : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;
    std::unique_ptr<QTemporaryDir> scratch;
    QString answer;
    QStringList notes, failures;

    QString path(const char* name) { return scratch->filePath(QString::fromLatin1(name)); }
    void write(const char* name, const char* text) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void trigger(const char* handler) { form->action(QString::fromLatin1(handler))->trigger(); }
    QString siatka() const { return QString::fromStdString(form->session().grids().siatka.cell(19, 1)); }

private slots:
    void init() {
        scratch = std::make_unique<QTemporaryDir>();
        form = std::make_unique<TForm1>();
        notes.clear();
        failures.clear();
        MachineFiles* files = form->machineFiles();
        const auto ask = [this](const QString&, const QString&) { return answer; };
        files->setAskOpenName(ask);
        files->setAskSaveName(ask);
        files->setNoteReport([this](const QString& note) { notes << note; });
        form->setFailureReport([this](const QString& message) { failures << message; });
    }
    void cleanup() { form.reset(); }

    void thePickDialogOffersTheStabilizerOfTheChosenMachine() {
        write("m.dyr", kDyr);
        const tgsim::psse::DyrFile file = tgsim::psse::readDyrFile(path("m.dyr").toStdString());
        MachinePickDialog dialog(file, form.get());
        QCOMPARE(dialog.machineList()->count(), 3);
        QCOMPARE(dialog.machineList()->currentRow(), 1);  // the first GENROU
        QVERIFY(dialog.pssBox()->isEnabled() && dialog.withPss());
        dialog.machineList()->setCurrentRow(2);
        QVERIFY(!dialog.pssBox()->isEnabled() && !dialog.withPss());
        QCOMPARE(*dialog.choice().bus, 6L);
        QCOMPARE(*dialog.choice().id, std::string("B"));
    }

    void theMenuItemsImportThePickedMachineAndWriteItBack() {
        write("m.dyr", kDyr);
        answer = path("m.dyr");
        form->machineFiles()->setPickMachine([](const tgsim::psse::DyrFile& file) {
            return std::optional<MachineRequest>(MachineRequest{file.name, {5, "1"}, true});
        });
        trigger("Canaya1Click");
        const QString before = siatka();
        trigger("WczytajDyrClick");
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
        QCOMPARE(siatka(), QStringLiteral("1,8"));  // Xd
        QVERIFY(form->session().stabilizerOn());
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0].contains(QStringLiteral("No network data (.raw)")), qPrintable(notes[0]));
        // The import is one step back: the cells, the switch and the rotor model as they were.
        form->undoStack()->undo();
        QCOMPARE(siatka(), before);
        QVERIFY(!form->session().stabilizerOn());
        QVERIFY(form->session().record().model == tgsim::RotorModel::Canaya);
        form->undoStack()->redo();
        QCOMPARE(siatka(), QStringLiteral("1,8"));
        QVERIFY(form->session().record().model == tgsim::RotorModel::Klasyczny);

        answer = path("back.dyr");
        trigger("ZapiszDyrClick");
        QFile back(answer);
        QVERIFY(back.open(QIODevice::ReadOnly));
        const QByteArray record = back.readAll();
        QVERIFY(record.startsWith("     5 'GENROU' '1'") && record.contains("'PSS2A'"));
    }

    void aCancelOrABadFileChangesNothing() {
        const QString before = siatka();
        answer.clear();  // the file dialog cancelled
        trigger("WczytajDyrClick");
        write("bad.dyr", "5 'GENROU' 1 6 0.05 /\n");
        answer = path("bad.dyr");
        trigger("WczytajDyrClick");
        QCOMPARE(siatka(), before);
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures[0].contains(QStringLiteral("bad.dyr:1: GENROU record of machine 5 '1' has 2 numbers")),
                 qPrintable(failures[0]));
        QVERIFY(notes.isEmpty());
    }
};

QTEST_MAIN(TestMachineFiles)
#include "test_machine_files.moc"
