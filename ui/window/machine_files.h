#pragma once
// The loaded machine and PSS/E files in the window: "Generator" → "Wczytaj maszynę z pliku .dyr…"
// asks for a dynamic data file, lists its machines to pick one (with a tick box for the machine's
// PSS2A) and hands the choice to the session's import; "Zapisz" → "Maszyna jako .dyr…" writes the
// loaded machine as a record. What an import or export took and left out is shown in a note.
#include <QDialog>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/psse/dyr_file.h"
#include "data/psse/machine_import.h"
#include "driver/session.h"

class QCheckBox;
class QListWidget;

namespace tgsim::window {

// The machines of one file, the first GENROU chosen; the tick box is open where the chosen machine
// has a PSS2A record, and ticked then.
class MachinePickDialog : public QDialog {
    Q_OBJECT
public:
    MachinePickDialog(const psse::DyrFile& file, QWidget* parent);

    QListWidget* machineList() const { return list_; }
    QCheckBox* pssBox() const { return pss_; }
    psse::MachineChoice choice() const;
    bool withPss() const;

private:
    void followChoice();

    const psse::DyrFile& file_;
    std::vector<const psse::DyrRecord*> machines_;
    QListWidget* list_ = nullptr;
    QCheckBox* pss_ = nullptr;
};

struct MachineRequest {
    std::string file;
    psse::MachineChoice choice;
    bool withPss = false;
};

class MachineFiles : public QObject {
    Q_OBJECT
public:
    // (caption, filter) -> a file name, empty when the user cancels.
    using AskFileName = std::function<QString(const QString&, const QString&)>;
    // The machine to import from a file read whole, nullopt when the user cancels.
    using PickMachine = std::function<std::optional<MachineRequest>(const psse::DyrFile&)>;

    explicit MachineFiles(QWidget* window);

    // Replace the dialogs and the note's message box (tests answer for the user).
    void setAskOpenName(AskFileName ask) { askOpen_ = std::move(ask); }
    void setAskSaveName(AskFileName ask) { askSave_ = std::move(ask); }
    void setPickMachine(PickMachine pick) { pick_ = std::move(pick); }
    void setNoteReport(std::function<void(const QString&)> report) { note_ = std::move(report); }

    // Asks for the file and the machine; nullopt when the user cancels. A file that cannot be read
    // or has no machine throws its Failure.
    std::optional<MachineRequest> askImport();
    // Asks for a name and writes the session's machine there; a refusal throws its Failure and
    // writes nothing.
    void exportMachine(const Session& session);
    void showNote(const QString& note);

private:
    QWidget* window_;
    AskFileName askOpen_, askSave_;
    PickMachine pick_;
    std::function<void(const QString&)> note_;
};

}  // namespace tgsim::window
