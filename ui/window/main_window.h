#pragma once
// TForm1, the main window: a view over one Session. Every menu item, button, check box and
// click reaches the session's own command; after each command the widgets show the state the
// session is in, and a failure's message is shown in a message box.
#include <QMainWindow>
#include <array>
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

namespace tgsim {
class SchematicWindows;
namespace chart {
class ResultChart;
}
}  // namespace tgsim

namespace tgsim::window {

class ChartSaving;
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
    MachineFiles* machineFiles() const { return machineFiles_; }
    SchematicWindows* schematics() const { return schematics_; }
    // The menu action bound to that handler name, or nullptr.
    QAction* action(const QString& handler) const;
    QLabel* statusPanel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
    QCheckBox* seriesBox(int k) const { return boxes_.at(static_cast<std::size_t>(k)); }
    // Whether a command is running (a computation in progress).
    bool busy() const { return busy_; }

    // Runs the command of that handler name as its menu item or button does.
    void runHandler(const char* handler);
    // Shows the session's state in every widget (each command ends with this; needed only after
    // changing the session from outside the window).
    void syncFromSession();
    // Where a failure's message goes instead of a message box (a run without a screen).
    void setFailureReport(std::function<void(const QString&)> report) { failureReport_ = std::move(report); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildComponents(QWidget* client);
    void buildMenu();
    void buildStatusBar();
    void connectSavingAndSchematics();
    void connectPssTuning();
    void connectMachineFiles();
    void followClientSize(QSize size);
    // Runs one command on the session, then shows the session's state and any failure. A
    // computation is given an observer that shows its progress and keeps input out meanwhile.
    void runCommand(const std::function<void(SolveObserver*)>& command, bool computation = false);
    void reportFailure(const QString& message);
    struct CellAt {
        std::string grid;
        int column;
        int row;
    };
    TextGridView* gridNamed(const std::string& name) const;
    void syncStatusPanels();

    Session session_;
    std::array<TextGridView*, 5> grids_{};
    chart::ResultChart* chart_ = nullptr;
    ChartSaving* saving_ = nullptr;
    MachineFiles* machineFiles_ = nullptr;
    SchematicWindows* schematics_ = nullptr;
    std::array<QCheckBox*, kSeriesCount> boxes_{};  // 1..17
    QPushButton* Wykr_DaneAkt_ = nullptr;
    QPushButton* ZalWyl_PSS_ = nullptr;
    QPushButton* CalkaCieplna_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    std::vector<std::pair<QWidget*, QPoint>> belowChart_;  // with their start-up positions
    std::array<QLabel*, 4> panels_{};
    std::map<QString, QAction*> actions_;
    std::function<void(const QString&)> failureReport_;
    bool busy_ = false;
};

}  // namespace tgsim::window
