#include "main_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QChart>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <new>

#include "chart_saving.h"
#include "base/failure.h"
#include "data/cell_failure.h"
#include "schematic_windows.h"
#include "dq_circuits_window.h"  // the schematic windows' complete types, for their QPointers
#include "pss2a_diagram_window.h"
#include "network_map_window.h"
#include "driver/commands.h"
#include "machine_files.h"
#include "main_menu.h"
#include "menu_bar_style.h"
#include "modal_analysis_window.h"
#include "pss_tuning_window.h"
#include "ui/chart/result_chart.h"
#include "solve_progress.h"
#include "standard_parameters_window.h"
#include "text_grid_view.h"

namespace tgsim::window {
namespace {

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 562;
constexpr int kStatusBarHeight = 21;
constexpr std::array<int, 4> kPanelWidths = {150, 150, 150, 200};

// The client area below the menu: components sit at fixed pixel positions, and a click on a
// spot that no component covers runs the computation.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent) : QWidget(parent) {}
    std::function<void()> clicked;
    std::function<void(QSize)> resized;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (resized) resized(event->size());
    }
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click =
            pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        pressed_ = false;
        event->accept();
        if (click && clicked) clicked();
    }

private:
    bool pressed_ = false;
};

QColor tooltipColour() { return QApplication::palette().color(QPalette::ToolTipBase); }

QColor seriesBoxColour(int k) {
    if (k <= 10) return tooltipColour();
    if (k <= 12) return QColor(255, 255, 0);  // yellow
    if (k == 13) return QColor(0, 255, 0);    // lime
    if (k <= 15) return QColor(0, 255, 255);  // aqua
    return QColor(0, 128, 128);               // teal
}

QPushButton* makeButton(QWidget* parent, const char* name, QRect geometry) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Generator Synchroniczny z Regulatorem PID i Stabilizatorem Systemowym"));
    // The layout is in fixed pixels and made for a small sans-serif face of 11 pixels (Arial
    // metrics; Liberation Sans on Linux): a larger desktop font would cut the captions.
    QFont face(QStringLiteral("Arial"));
    face.setStyleHint(QFont::SansSerif);
    face.setPixelSize(11);
    setFont(face);
    auto* client = new ClientArea(this);
    // The start-up size is the smallest; a larger window gives the chart the room it gains.
    client->setMinimumSize(kClientWidth, kClientHeight - kStatusBarHeight);
    client->clicked = [this] { runHandler("O1Click"); };
    setCentralWidget(client);
    buildComponents(client);
    client->resized = [this](QSize size) { followClientSize(size); };
    buildMenu();
    buildStatusBar();
    // The start-up (Dane0) ran when the session was made; show what it left.
    syncFromSession();
    move(224, 198);
    resize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
    // After the main window, the three schematic windows, hidden until their menu items.
    connectSavingAndSchematics();
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
    auto* standardParameters = new StandardParametersWindow(this);
    connect(action(QStringLiteral("ParametryStandardoweClick")), &QAction::triggered, this, [this, standardParameters] {
        runCommand([this, standardParameters](SolveObserver*) { standardParameters->showFor(session_); });
    });
    auto* modal = new ModalAnalysisWindow(this);
    const auto showModes = [this, modal] { runCommand([this, modal](SolveObserver*) { modal->showFor(session_); }); };
    connect(action(QStringLiteral("AnalizaModalnaClick")), &QAction::triggered, this, showModes);
    connect(modal, &ModalAnalysisWindow::recomputeRequested, this, showModes);
    connectPssTuning();
    connectMachineFiles();
}

// The import is one change of the grids (Session::applyMachineImport); its note comes after the
// window shows the imported machine.
void TForm1::connectMachineFiles() {
    machineFiles_ = new MachineFiles(this);
    connect(action(QStringLiteral("WczytajDyrClick")), &QAction::triggered, this, [this] {
        std::string notes;
        runCommand([this, &notes](SolveObserver*) {
            if (const std::optional<MachineRequest> request = machineFiles_->askImport())
                notes = session_.importMachine(request->file, request->choice, request->withPss);
        });
        if (!notes.empty()) machineFiles_->showNote(QString::fromStdString(notes));
    });
    connect(action(QStringLiteral("ZapiszDyrClick")), &QAction::triggered, this,
            [this] { runCommand([this](SolveObserver*) { machineFiles_->exportMachine(session_); }); });
}

// "Strojenie PSS" shows the responses; "Dobierz nastawy…" asks first: the window shows the proposal
// and "Zastosuj" writes it into the grid (the command's own action, which applies it at once, is
// the runner's step).
void TForm1::connectPssTuning() {
    auto* tuning = new PssTuningWindow(this);
    const auto show = [this, tuning](bool propose) {
        runCommand([this, tuning, propose](SolveObserver*) { tuning->showFor(session_, propose); });
    };
    connect(action(QStringLiteral("StrojeniePSSClick")), &QAction::triggered, this, [show] { show(false); });
    QAction* propose = action(QStringLiteral("DobierzPSSClick"));
    disconnect(propose, &QAction::triggered, this, nullptr);
    connect(propose, &QAction::triggered, this, [show] { show(true); });
    connect(tuning, &PssTuningWindow::recomputeRequested, this, show);
    connect(tuning, &PssTuningWindow::applyRequested, this, [this, tuning] {
        runCommand([this, tuning](SolveObserver*) {
            if (tuning->proposal()) session_.applyPssSetting(*tuning->proposal());
            tuning->showFor(session_, false);
        });
    });
}

TForm1::~TForm1() {
    // The grids write to the session (an open cell editor commits when it loses the focus), so
    // they go while the session still exists.
    delete centralWidget();
}

void TForm1::buildComponents(QWidget* client) {
    // Created first, so that the grids lie above it where both show (after a failed
    // computation the grids must stay reachable for correcting the cell).
    chart_ = new chart::ResultChart(client);
    chart_->setGeometry(QRect(QPoint(72, 8), chart::kChartSize));
    connect(chart_, &chart::ResultChart::doubleClicked, this, [this] { runHandler("Przelacz_DaneAkt_Wykres"); });

    const GridLook generatorLook{{673, 70}, Qt::white, 40, {{7, 43}, {8, 75}}};
    const GridLook controlLook{{650, 50}, tooltipColour(), 37, {{5, 38}}};
    const GridLook steadyStateLook{{522, 55}, Qt::white, 64, {{4, 63}}, 25, false};
    GridLook initialLook{{665, 71}, QColor(255, 255, 0), 35, {}};
    initialLook.resizableColumns = true;
    // The single-input set's seven columns make a smaller grid.
    const GridLook pssLook{{665, 71}, QColor(0, 128, 0), 64, {}, 24, true, {{kSingleInputColumns, {458, 54}}}};
    const std::array<std::pair<GridId, const GridLook*>, 5> grids = {{
        {GridId::siatka, &generatorLook},
        {GridId::siatkaPraca, &controlLook},
        {GridId::zadanystanustalony, &steadyStateLook},
        {GridId::war_pocz, &initialLook},
        {GridId::Siatka_PSS, &pssLook},
    }};
    const std::array<QPoint, 5> positions = {{{80, 40}, {80, 144}, {200, 208}, {80, 288}, {80, 400}}};
    for (std::size_t i = 0; i < grids.size(); ++i) {
        grids_[i] = new TextGridView(session_, grids[i].first, *grids[i].second, client);
        grids_[i]->move(positions[i]);
    }
    connect(grids_[2], &TextGridView::gridClicked, this, [this] { runHandler("Warunkizadane1Click"); });

    for (int k = 1; k <= kQuantityCount; ++k) {
        auto* box = new QCheckBox(QString::fromLatin1(kChartQuantities[static_cast<std::size_t>(k)].caption), client);
        box->setObjectName(QStringLiteral("ChBox%1").arg(k));
        box->setGeometry(8, 16 + 24 * (k - 1), 50, 20);
        box->setAutoFillBackground(true);
        box->setBackgroundRole(QPalette::Window);  // buttons fill with the button colour otherwise
        QPalette colours = box->palette();
        colours.setColor(QPalette::Window, seriesBoxColour(k));
        colours.setColor(QPalette::WindowText, Qt::black);
        box->setPalette(colours);
        box->setAttribute(Qt::WA_NoMousePropagation);
        connect(box, &QCheckBox::toggled, this, [this, k](bool checked) {
            runCommand([this, k, checked](SolveObserver*) { session_.setSeriesBox(k, checked); });
        });
        boxes_[static_cast<std::size_t>(k)] = box;
    }

    Wykr_DaneAkt_ = makeButton(client, "Wykr_DaneAkt", {8, 504, 81, 25});
    connect(Wykr_DaneAkt_, &QPushButton::clicked, this, [this] { runHandler("Przelacz_DaneAkt_Wykres"); });
    ZalWyl_PSS_ = makeButton(client, "ZalWyl_PSS", {112, 504, 57, 25});
    ZalWyl_PSS_->setDefault(true);
    connect(ZalWyl_PSS_, &QPushButton::clicked, this, [this] { runHandler("Stale_PSS"); });
    CalkaCieplna_ = makeButton(client, "CalkaCieplna", {624, 504, 129, 25});
    connect(CalkaCieplna_, &QPushButton::clicked, this, [this] { runHandler("Obliczeniecalkicieplnej1Click"); });

    ProgressBar1_ = new QProgressBar(client);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setGeometry(291, 512, 217, 17);
    // An empty bar until the first computation sets the range (an empty range would make Qt
    // show a busy indicator instead).
    ProgressBar1_->setRange(0, 1);
    ProgressBar1_->setValue(0);
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->setAttribute(Qt::WA_NoMousePropagation);
    for (QWidget* below : std::initializer_list<QWidget*>{Wykr_DaneAkt_, ZalWyl_PSS_, CalkaCieplna_, ProgressBar1_})
        belowChart_.push_back({below, below->pos()});
}

// The chart takes every pixel the client area has beyond its start-up size; the row below the
// chart (buttons and progress bar) keeps its distance from the bottom edge. The grids and the
// check-box column stay where they are.
void TForm1::followClientSize(QSize size) {
    const QSize extra = (size - QSize(kClientWidth, kClientHeight - kStatusBarHeight)).expandedTo(QSize(0, 0));
    chart_->setGeometry(QRect(QPoint(72, 8), chart::kChartSize + extra));
    for (const auto& [widget, startPosition] : belowChart_) widget->move(startPosition + QPoint(0, extra.height()));
}

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
    // Every top-level item with its check mark and picture, "Stany Pracy" as the default item.
    applyMenuBarLook(menuBar(), QStringLiteral("Stany Pracy"));
}

void TForm1::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(kStatusBarHeight);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(kPanelWidths[i]);
        const bool last = i + 1 == panels_.size();
        if (!last) panel->setMaximumWidth(kPanelWidths[i]);
        bar->addWidget(panel, last ? 1 : 0);  // the last panel reaches the right edge
        panels_[i] = panel;
    }
}

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
    const bool computation = QLatin1String(handler) == QLatin1String("O1Click");
    if (computation && !busy_) chart_->resetZoom();  // new results open in the full view
    runCommand([this, command](SolveObserver* progress) { command->action(session_, progress); }, computation);
}

void TForm1::runCommand(const std::function<void(SolveObserver*)>& command, bool computation) {
    if (busy_) return;
    busy_ = true;
    QString failure;
    std::optional<CellAt> failedCell;
    try {
        if (computation) {
            SolveProgress progress(ProgressBar1_, [this] {
                syncFromSession();
                statusBar()->repaint();
            });
            command(&progress);
        } else {
            command(nullptr);
        }
    } catch (const CellFailure& error) {
        failure = QString::fromStdString(error.what());
        failedCell = CellAt{error.grid(), error.column(), error.row()};
    } catch (const Failure& error) {
        failure = QString::fromStdString(error.what());
    } catch (const std::bad_alloc&) {
        failure = QStringLiteral("Out of memory");
    }
    busy_ = false;
    TextGridView* failedGrid = failedCell ? gridNamed(failedCell->grid) : nullptr;
    if (failedGrid) session_.revealGrid(failedGrid->gridModel().gridId());
    syncFromSession();
    // The cell to correct is in sight when the message appears.
    if (failedGrid) failedGrid->showCell(failedCell->column, failedCell->row);
    if (!failure.isEmpty()) reportFailure(failure);
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

void TForm1::syncFromSession() {
    const ViewState& view = session_.view();
    for (TextGridView* grid : grids_) grid->syncFromSession(session_);
    chart_->syncFromSession(session_);
    chart_->setZoomEnabled(view.zoomEnabled);
    chart_->setVisible(view.chartVisible);
    for (int k = 1; k <= kQuantityCount; ++k) {
        QCheckBox* box = boxes_[static_cast<std::size_t>(k)];
        const QSignalBlocker quiet(box);
        box->setChecked(view.seriesChecked[static_cast<std::size_t>(k)]);
        box->setVisible(view.seriesBoxesVisible);
    }
    Wykr_DaneAkt_->setText(QString::fromStdString(view.Wykr_DaneAkt));
    Wykr_DaneAkt_->setEnabled(view.Wykr_DaneAktEnabled);
    ZalWyl_PSS_->setText(QString::fromLatin1(pssSwitchCaption(session_.stabilizerOn())));
    CalkaCieplna_->setText(QString::fromStdString(view.CalkaCieplna));
    CalkaCieplna_->setVisible(view.CalkaCieplnaVisible);
    ProgressBar1_->setVisible(view.progressBarVisible);
    syncStatusPanels();
}

void TForm1::syncStatusPanels() {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const QString text = QString::fromStdString(session_.view().panels[i]);
        if (panels_[i]->text() == text) continue;
        panels_[i]->setText(text);
        panels_[i]->setToolTip(text);
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A computation cannot be abandoned halfway; the window closes once it has finished.
    if (busy_) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter presses the default button unless a grid takes the key for its cells.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool inGrid = qobject_cast<QAbstractItemView*>(QApplication::focusWidget()) != nullptr;
    if (enter && !inGrid && ZalWyl_PSS_->isVisible() && ZalWyl_PSS_->isEnabled()) {
        ZalWyl_PSS_->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace tgsim::window
