// The main window's menus and the windows they open: the menu bar from the command table with
// marks on the choices in force, saving, schematics, the analysis windows, the chart's colours,
// and the editing of cells (undo, redo, clearing).
#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QSettings>
#include <QUndoStack>

#include "chart_saving.h"
#include "driver/commands.h"
#include "dq_circuits_window.h"  // the schematic windows' complete types, for their QPointers
#include "main_menu.h"
#include "machine_files.h"
#include "main_window.h"
#include "menu_bar_style.h"
#include "modal_analysis_window.h"
#include "network_map_window.h"
#include "pss2a_diagram_window.h"
#include "pss_tuning_window.h"
#include "schematic_windows.h"
#include "standard_parameters_window.h"
#include "text_grid_view.h"
#include "ui/chart/result_chart.h"

namespace tgsim::window {
namespace {

// The menu items that show which choice is in force: each group's items are radio items.
const std::vector<std::vector<const char*>> kChoiceGroups = {
    {"G1Click", "G2Click", "G3Click", "G4Click", "G5Click", "G6Click"},
    {"Klasyczny1Click", "Canaya1Click"},
    {"PSS2A_1Click", "PSS2A_2Click", "PSS2A_3Click", "PSS1wejsciowy1Click"},
};

constexpr const char* kDistinctColoursKey = "chart/distinctColours";

QSettings userSettings() { return QSettings(QStringLiteral("tgsim"), QStringLiteral("tgsim")); }

}  // namespace

void TForm1::buildMenu() {
    auto bind = [this](QAction* action, const char* handler, const QKeySequence& shortcut) {
        action->setObjectName(QString::fromLatin1(handler));
        action->setShortcut(shortcut);
        actions_[QString::fromLatin1(handler)] = action;
        // The window's own commands (schematics, saving) are connected where they are made.
        const Command* command = findCommand(handler);
        if (command && command->action)
            connect(action, &QAction::triggered, this, [this, handler] { runHandler(handler); });
    };
    for (const TopMenu& top : mainMenuLayout()) {
        if (top.items.empty()) {
            bind(menuBar()->addAction(top.caption), top.handler, top.shortcut);
            continue;
        }
        QMenu* menu = menuBar()->addMenu(top.caption);
        for (const MenuItem& item : top.items) bind(menu->addAction(item.caption), item.handler, item.shortcut);
    }
    connect(action(QStringLiteral("Koniec")), &QAction::triggered, this, &QWidget::close);
    for (const auto& handlers : kChoiceGroups) {
        auto* group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (const char* handler : handlers) {
            QAction* item = action(QString::fromLatin1(handler));
            item->setCheckable(true);
            group->addAction(item);
        }
    }
    QAction* stabilizerOn = action(QStringLiteral("ZalWylPSSClick"));
    stabilizerOn->setCheckable(true);
    connect(stabilizerOn, &QAction::triggered, this, [this] { runHandler("Stale_PSS"); });
    // Every top-level item with its check mark and picture, "Stany Pracy" as the default item.
    applyMenuBarLook(menuBar(), QStringLiteral("Stany Pracy"));
}

// The marks follow the session, whatever the last command did or failed to do.
void TForm1::markActiveChoices() {
    const GeneratorSet* generator = session_.generatorSet();
    const std::string_view generatorCaption = generator ? generator->menuCaption : std::string_view();
    const std::string_view model = session_.record().model == RotorModel::Canaya ? "Canaya1Click" : "Klasyczny1Click";
    for (const auto& handlers : kChoiceGroups) {
        for (const char* handler : handlers) {
            const Command* command = findCommand(handler);
            const bool chosen =
                handler == model || (!command->preset.empty() && (command->preset == generatorCaption ||
                                                                  command->preset == session_.stabilizerSetCaption()));
            action(QString::fromLatin1(handler))->setChecked(chosen);
        }
    }
    // The single-input set has no preset name in its row: it is named by its caption.
    if (session_.stabilizerSetCaption() == kSingleInputSet.menuCaption)
        action(QStringLiteral("PSS1wejsciowy1Click"))->setChecked(true);
    action(QStringLiteral("ZalWylPSSClick"))->setChecked(session_.stabilizerOn());
}

void TForm1::connectSavingAndSchematics() {
    saving_ = new ChartSaving(this, chart_, session_);
    saving_->setFailureReport([this](const QString& message) { reportFailure(message); });
    connect(action(QStringLiteral("Gdzie1Click")), &QAction::triggered, saving_, &ChartSaving::Gdzie1Click);
    connect(action(QStringLiteral("Gdzie2Click")), &QAction::triggered, saving_, &ChartSaving::Gdzie2Click);
    connect(action(QStringLiteral("SavePictureClick")), &QAction::triggered, saving_, &ChartSaving::SavePictureClick);
    connect(action(QStringLiteral("SaveResultsClick")), &QAction::triggered, saving_, &ChartSaving::SaveResultsClick);
    connect(action(QStringLiteral("SaveChartDataClick")), &QAction::triggered, saving_,
            &ChartSaving::SaveChartDataClick);
    QAction* legend = action(QStringLiteral("LegendaClick"));
    legend->setCheckable(true);
    connect(legend, &QAction::toggled, chart_, &chart::ResultChart::setLegendShown);
    schematics_ = new SchematicWindows(this);
    connect(action(QStringLiteral("Poka1Click")), &QAction::triggered, schematics_, &SchematicWindows::Poka1Click);
    connect(action(QStringLiteral("PokazDQcircuits")), &QAction::triggered, schematics_,
            &SchematicWindows::PokazDQcircuits);
    connect(action(QStringLiteral("SchematStabilizatorClick")), &QAction::triggered, schematics_,
            &SchematicWindows::SchematStabilizatorClick);
}

void TForm1::connectAnalysisWindows() {
    standardParameters_ = new StandardParametersWindow(this);
    connect(action(QStringLiteral("ParametryStandardoweClick")), &QAction::triggered, this,
            [this] { runCommand([this] { standardParameters_->showFor(session_); }); });
    // Open, it follows every edit of a cell as it is typed.
    for (TextGridView* grid : grids_)
        connect(&grid->gridModel(), &TextGridModel::dataChanged, this, [this] { syncOwnWindows(); });
    auto* modal = new ModalAnalysisWindow(this);
    const auto showModes = [this, modal] { runCommand([this, modal] { modal->showFor(session_); }); };
    connect(action(QStringLiteral("AnalizaModalnaClick")), &QAction::triggered, this, showModes);
    connect(modal, &ModalAnalysisWindow::recomputeRequested, this, showModes);
    connectPssTuning();
    connectMachineFiles();
}

// The import is one change of the grids and switches, undone as one step; its note comes after
// the window shows the imported machine.
void TForm1::connectMachineFiles() {
    machineFiles_ = new MachineFiles(this);
    connect(action(QStringLiteral("WczytajDyrClick")), &QAction::triggered, this, [this] {
        std::string notes;
        runCommand(
            [this, &notes] {
                if (const std::optional<MachineRequest> request = machineFiles_->askImport())
                    notes = session_.importMachine(request->file, request->choice, request->withPss);
            },
            QStringLiteral("Wczytaj maszynę z pliku .dyr"));
        if (!notes.empty()) machineFiles_->showNote(QString::fromStdString(notes));
    });
    connect(action(QStringLiteral("ZapiszDyrClick")), &QAction::triggered, this,
            [this] { runCommand([this] { machineFiles_->exportMachine(session_); }); });
}

void TForm1::syncOwnWindows() {
    if (standardParameters_ && standardParameters_->isVisible()) standardParameters_->follow(session_);
}

// "Strojenie PSS" shows the responses; "Dobierz nastawy…" asks first: the window shows the proposal
// and "Zastosuj" writes it into the grid (the command's own action, which applies it at once, is
// the runner's step).
void TForm1::connectPssTuning() {
    auto* tuning = new PssTuningWindow(this);
    const auto show = [this, tuning](bool propose) {
        runCommand([this, tuning, propose] { tuning->showFor(session_, propose); });
    };
    connect(action(QStringLiteral("StrojeniePSSClick")), &QAction::triggered, this, [show] { show(false); });
    QAction* propose = action(QStringLiteral("DobierzPSSClick"));
    disconnect(propose, &QAction::triggered, this, nullptr);
    connect(propose, &QAction::triggered, this, [show] { show(true); });
    connect(tuning, &PssTuningWindow::recomputeRequested, this, show);
    connect(tuning, &PssTuningWindow::applyRequested, this, [this, tuning] {
        runCommand(
            [this, tuning] {
                if (tuning->proposal()) session_.applyPssSetting(*tuning->proposal());
                tuning->showFor(session_, false);
            },
            QStringLiteral("Zastosuj nastawy PSS"));
    });
}

// "Kolory rozróżnialne": a colour of its own for every quantity, remembered from one start of the
// program to the next.
void TForm1::connectColourChoice() {
    QAction* distinct = action(QStringLiteral("KoloryRozroznialneClick"));
    distinct->setCheckable(true);
    distinct->setChecked(userSettings().value(QString::fromLatin1(kDistinctColoursKey), false).toBool());
    chart_->setDistinctColours(distinct->isChecked());
    connect(distinct, &QAction::toggled, this, [this](bool on) {
        chart_->setDistinctColours(on);
        QSettings settings = userSettings();
        settings.setValue(QString::fromLatin1(kDistinctColoursKey), on);
    });
}

// Ctrl+Z and Ctrl+Y take back and do again one edit, one cleared selection or one command that
// changed the input; Del in a grid clears its selected cells.
void TForm1::buildEditing() {
    undo_ = new QUndoStack(this);
    auto* undo = new QAction(QStringLiteral("Cofnij"), this);
    undo->setObjectName(QStringLiteral("Cofnij"));
    undo->setShortcut(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] {
        if (!busy_) undo_->undo();
    });
    auto* redo = new QAction(QStringLiteral("Ponów"), this);
    redo->setObjectName(QStringLiteral("Ponow"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, [this] {
        if (!busy_) undo_->redo();
    });
    addActions({undo, redo});
    for (TextGridView* grid : grids_) {
        connect(grid, &TextGridView::editStarted, this, [this] { editStart_ = session_.inputSnapshot(); });
        connect(grid, &TextGridView::editFinished, this, [this] {
            if (!editStart_) return;
            recordInputChange(*editStart_, QStringLiteral("Edycja komórki"));
            editStart_.reset();
        });
        connect(grid, &TextGridView::clearRequested, this, [this, grid] { clearSelectedCells(grid); });
    }
}

}  // namespace tgsim::window
