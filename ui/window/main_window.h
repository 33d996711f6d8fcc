#pragma once
// TForm1, the main window: a view over one Session. Every menu item, button, check box and
// click reaches the session's own command; after each command the widgets show the state the
// session is in, and a failure's message is shown in a message box. The computation integrates
// on a thread of its own while the window stays live and takes no command that would change
// the session; cell edits, cleared cells and loaded data sets can be undone.
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver/session.h"

class QAction;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QUndoStack;

namespace tgsim {
class SchematicWindows;
namespace chart {
class ResultChart;
}
}  // namespace tgsim

namespace tgsim::window {

class CaseFiles;
class ChartSaving;
class ComputationRun;
class StandardParametersWindow;
class MachineFiles;
class TextGridView;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    Session& session() { return session_; }
    chart::ResultChart* Chart1() const { return chart_; }
    ChartSaving* saving() const { return saving_; }
    CaseFiles* caseFiles() const { return caseFiles_; }
    // Writes the recovery copy of the session (see CaseFiles); the window does it after every
    // computation and when it closes.
    void writeRecoveryCopy();
    MachineFiles* machineFiles() const { return machineFiles_; }
    SchematicWindows* schematics() const { return schematics_; }
    QUndoStack* undoStack() const { return undo_; }
    // The menu action bound to that handler name, or nullptr.
    QAction* action(const QString& handler) const;
    QLabel* statusPanel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
    QCheckBox* seriesBox(int k) const { return boxes_.at(static_cast<std::size_t>(k)); }
    // Whether a command is running (a computation in progress).
    bool busy() const { return busy_; }
    // Whether a computation is integrating (on its own thread); "Przerwij" (Esc) stops it.
    bool computing() const { return run_ != nullptr; }
    void stopComputation();

    // Runs the command of that handler name as its menu item or button does. A computation
    // returns when it has ended; the window handles events meanwhile.
    void runHandler(const char* handler);
    // Shows the session's state in every widget (each command ends with this; needed only after
    // changing the session from outside the window).
    void syncFromSession();
    // Where a failure's message goes instead of a message box (a run without a screen).
    void setFailureReport(std::function<void(const QString&)> report) { failureReport_ = std::move(report); }
    // Asks whether to start a computation whose rows take `bytes` of the machine's `memory`
    // (more than a quarter of it); a message box by default.
    using MemoryQuestion = std::function<bool(std::uint64_t bytes, std::uint64_t memory)>;
    void setMemoryQuestion(MemoryQuestion ask) { askMemory_ = std::move(ask); }
    // What every way of ending the program goes through, once: a running computation is stopped
    // and the case's recovery copy written.
    void aboutToEnd();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct CellAt {
        std::string grid;
        int column;
        int row;
    };
    struct CommandFailure {
        QString message;
        std::optional<CellAt> cell;
    };

    void buildComponents(QWidget* client);
    void buildSeriesBoxes(QWidget* client);
    void buildButtons(QWidget* client);
    void buildMenu();
    void buildStatusBar();
    void buildEditing();
    void markActiveChoices();
    void connectSavingAndSchematics();
    void connectAnalysisWindows();
    void connectPssTuning();
    void connectMachineFiles();
    void connectColourChoice();
    void followClientSize(QSize size);
    // Runs one command on the session, then shows the session's state and any failure. Whatever
    // it changed of the input (grid cells, data sets, presets) becomes one step of the undo stack.
    void runCommand(const std::function<void()>& command, const QString& undoText = {});
    // The computation: its rows integrated on a thread of their own, "Przerwij" shown.
    void runComputation();
    bool memoryAllowsComputation();
    // Runs `step`, turning a failure into its message (and the cell that caused it).
    std::optional<CommandFailure> attempt(const std::function<void()>& step);
    void showOutcome(const std::optional<CommandFailure>& failure);
    void setComputing(bool computing);
    void recordInputChange(const InputSnapshot& before, const QString& text);
    void clearSelectedCells(TextGridView* grid);
    void reportFailure(const QString& message);
    TextGridView* gridNamed(const std::string& name) const;
    void syncStatusPanels();
    void syncOwnWindows();

    Session session_;
    std::array<TextGridView*, 5> grids_{};
    chart::ResultChart* chart_ = nullptr;
    ChartSaving* saving_ = nullptr;
    CaseFiles* caseFiles_ = nullptr;
    MachineFiles* machineFiles_ = nullptr;
    SchematicWindows* schematics_ = nullptr;
    StandardParametersWindow* standardParameters_ = nullptr;
    std::array<QCheckBox*, kSeriesCount> boxes_{};  // 1..17
    QPushButton* Wykr_DaneAkt_ = nullptr;
    QPushButton* ZalWyl_PSS_ = nullptr;
    QPushButton* CalkaCieplna_ = nullptr;
    QPushButton* Przerwij_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    std::vector<std::pair<QWidget*, QPoint>> belowChart_;  // with their start-up positions
    std::array<QLabel*, 4> panels_{};
    std::map<QString, QAction*> actions_;
    std::function<void(const QString&)> failureReport_;
    MemoryQuestion askMemory_;
    QUndoStack* undo_ = nullptr;
    std::optional<InputSnapshot> editStart_;  // the input when the open cell editor opened
    ComputationRun* run_ = nullptr;
    bool busy_ = false;
    bool closeAfterRun_ = false;
    bool ended_ = false;
};

}  // namespace tgsim::window
