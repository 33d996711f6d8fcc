// How the main window runs commands: one at a time, each shown when it ends; the computation on a
// thread of its own with "Przerwij" beside the progress bar; input changes recorded for undo;
// and the ways the program ends.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <new>
#include <unistd.h>

#include "base/cell_number.h"
#include "base/failure.h"
#include "computation_run.h"
#include "data/cell_failure.h"
#include "driver/commands.h"
#include "main_window.h"
#include "standard_parameters_window.h"
#include "text_grid_view.h"
#include "ui/chart/result_chart.h"

namespace tgsim::window {
namespace {

// The session's status texts must show as soon as the computation writes them, also while it
// integrates.
class StatusShown : public SolveObserver {
public:
    explicit StatusShown(std::function<void()> show) : show_(std::move(show)) {}
    void statusTextsWritten() override { show_(); }

private:
    std::function<void()> show_;
};

// An input change already made when it is recorded: the first redo does nothing.
class InputUndo : public QUndoCommand {
public:
    InputUndo(Session& session, InputChange change, const QString& text, std::function<void()> shown)
        : QUndoCommand(text), session_(session), change_(std::move(change)), shown_(std::move(shown)) {}
    void undo() override { apply(true); }
    void redo() override {
        if (std::exchange(made_, false)) return;
        apply(false);
    }

private:
    void apply(bool undo) {
        session_.applyInputChange(change_, undo);
        shown_();
    }

    Session& session_;
    InputChange change_;
    std::function<void()> shown_;
    bool made_ = true;
};

std::uint64_t physicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) : 0;
}

QString gigabytes(std::uint64_t bytes) {
    return QString::fromStdString(formatGeneral(static_cast<double>(bytes) / 1e9, 3)) + QStringLiteral(" GB");
}

}  // namespace

QAction* TForm1::action(const QString& handler) const {
    const auto found = actions_.find(handler);
    return found == actions_.end() ? nullptr : found->second;
}

void TForm1::runHandler(const char* handler) {
    const Command* command = findCommand(handler);
    if (!command) return;
    if (!command->action) {
        if (QAction* own = action(QString::fromLatin1(handler))) own->trigger();
        return;
    }
    if (QLatin1String(handler) == QLatin1String("O1Click")) return runComputation();
    runCommand([this, command] { command->action(session_, nullptr); },
               command->caption ? QString::fromUtf8(command->caption).trimmed() : QString::fromLatin1(handler));
}

std::optional<TForm1::CommandFailure> TForm1::attempt(const std::function<void()>& step) {
    try {
        step();
    } catch (const CellFailure& error) {
        return CommandFailure{QString::fromStdString(error.what()), CellAt{error.grid(), error.column(), error.row()}};
    } catch (const Failure& error) {
        return CommandFailure{QString::fromStdString(error.what()), std::nullopt};
    } catch (const std::bad_alloc&) {
        return CommandFailure{QStringLiteral("Out of memory"), std::nullopt};
    }
    return std::nullopt;
}

void TForm1::showOutcome(const std::optional<CommandFailure>& failure) {
    TextGridView* failedGrid = failure && failure->cell ? gridNamed(failure->cell->grid) : nullptr;
    if (failedGrid) session_.revealGrid(failedGrid->gridModel().gridId());
    syncFromSession();
    // The cell to correct is in sight when the message appears.
    if (failedGrid) failedGrid->showCell(failure->cell->column, failure->cell->row);
    if (failure) reportFailure(failure->message);
}

void TForm1::runCommand(const std::function<void()>& command, const QString& undoText) {
    if (busy_) return;
    busy_ = true;
    const InputSnapshot before = session_.inputSnapshot();
    const std::optional<CommandFailure> failure = attempt(command);
    busy_ = false;
    recordInputChange(before, undoText);
    showOutcome(failure);
}

void TForm1::recordInputChange(const InputSnapshot& before, const QString& text) {
    InputChange change = inputChange(before, session_.inputSnapshot());
    if (change.empty()) return;
    undo_->push(new InputUndo(session_, std::move(change), text, [this] { syncFromSession(); }));
}

// The status texts show as the computation writes them; the rows are integrated off this
// thread; a stop, a failure and the finished chart are shown as the session leaves them.
void TForm1::runComputation() {
    if (busy_ || !memoryAllowsComputation()) return;
    busy_ = true;
    chart_->resetZoom();  // new results open in the full view
    StatusShown shown([this] {
        syncFromSession();
        statusBar()->repaint();
    });
    SolveJob job;
    std::optional<CommandFailure> failure = attempt([&] { job = session_.beginSolve(&shown); });
    bool ending = false;
    if (!failure) {
        ComputationRun run(ProgressBar1_);
        run_ = &run;
        setComputing(true);
        run.execute(job);
        setComputing(false);
        run_ = nullptr;
        failure = attempt([&] { session_.finishSolve(job, &shown); });
        ending = closeAfterRun_ || run.endedFromOutside();
    }
    busy_ = false;
    if (!ending) writeRecoveryCopy();  // when the program ends, aboutToEnd() writes it
    // A computation stopped because the program ends says nothing: no message may hold the end.
    showOutcome(ending ? std::nullopt : failure);
    if (closeAfterRun_) close();
}

bool TForm1::memoryAllowsComputation() {
    const std::optional<std::uint64_t> bytes = session_.plannedResultBytes();
    const std::uint64_t memory = physicalMemory();
    if (!bytes || memory == 0 || *bytes <= memory / 4) return true;
    if (askMemory_) return askMemory_(*bytes, memory);
    const QString question =
        QStringLiteral("Wyniki tych obliczeń zajmą %1 pamięci, ponad ćwierć z %2 pamięci tego komputera. Liczyć?")
            .arg(gigabytes(*bytes), gigabytes(memory));
    return QMessageBox::question(this, QGuiApplication::applicationDisplayName(), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

// While the rows are integrated nothing may change the session: the grids take no edit, the
// commands that change the session are greyed (and refused by runCommand), "Przerwij" shows.
// The window's own views stay: schematics, legend, colours, saving, the chart's readout.
void TForm1::setComputing(bool computing) {
    static const QStringList kViews = {QStringLiteral("Poka1Click"),
                                       QStringLiteral("PokazDQcircuits"),
                                       QStringLiteral("SchematStabilizatorClick"),
                                       QStringLiteral("LegendaClick"),
                                       QStringLiteral("KoloryRozroznialneClick"),
                                       QStringLiteral("Gdzie1Click"),
                                       QStringLiteral("Gdzie2Click"),
                                       QStringLiteral("SavePictureClick"),
                                       QStringLiteral("SaveResultsClick"),
                                       QStringLiteral("SaveChartDataClick"),
                                       QStringLiteral("Koniec")};
    for (TextGridView* grid : grids_) grid->setLocked(computing);
    for (const auto& [handler, item] : actions_)
        if (!kViews.contains(handler)) item->setEnabled(!computing);
    for (QPushButton* button : {Wykr_DaneAkt_, ZalWyl_PSS_}) button->setEnabled(!computing);
    if (!computing) Wykr_DaneAkt_->setEnabled(session_.view().Wykr_DaneAktEnabled);
    Przerwij_->setVisible(computing);
}

void TForm1::stopComputation() {
    if (run_) run_->stop();
}

void TForm1::clearSelectedCells(TextGridView* grid) {
    const GridId id = grid->gridModel().gridId();
    const QModelIndexList cells = grid->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) return;
    runCommand(
        [this, id, cells] {
            for (const QModelIndex& cell : cells) session_.setCell(id, cell.column(), cell.row(), "");
        },
        QStringLiteral("Wyczyść komórki"));
}

TextGridView* TForm1::gridNamed(const std::string& name) const {
    for (TextGridView* grid : grids_)
        if (grid->gridModel().grid().name() == name) return grid;
    return nullptr;
}

void TForm1::reportFailure(const QString& message) {
    if (failureReport_)
        failureReport_(message);
    else
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), message);
}

// ---- The end of the program ----

void TForm1::closeEvent(QCloseEvent* event) {
    // A computation is stopped first; the window closes as soon as it has ended.
    if (busy_) {
        closeAfterRun_ = true;
        stopComputation();
        event->ignore();
        return;
    }
    aboutToEnd();
    QMainWindow::closeEvent(event);
}

void TForm1::aboutToEnd() {
    if (std::exchange(ended_, true)) return;
    stopComputation();
    writeRecoveryCopy();
}

}  // namespace tgsim::window
