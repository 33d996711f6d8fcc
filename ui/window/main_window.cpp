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

#include "case_files.h"
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
    buildEditing();
    caseFiles_ = new CaseFiles(this, session_, [this](const std::function<void()>& command) {
        runCommand(command, QStringLiteral("Otwórz przypadek"));
    });
    caseFiles_->setFailureReport([this](const QString& message) { reportFailure(message); });
    caseFiles_->bindActions(action(QStringLiteral("OtworzPrzypadekClick")),
                            action(QStringLiteral("ZapiszPrzypadekClick")),
                            action(QStringLiteral("PrzywrocSesjeClick")));
    // A cell typed in changes the case: the title's * follows at once.
    for (TextGridView* grid : grids_)
        connect(&grid->gridModel(), &TextGridModel::dataChanged, caseFiles_, &CaseFiles::updateTitle);
    // The start-up (Dane0) ran when the session was made; show what it left.
    syncFromSession();
    move(224, 198);
    resize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
    // After the main window, the three schematic windows, hidden until their menu items.
    connectSavingAndSchematics();
    connectAnalysisWindows();
    connectColourChoice();
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
    buildSeriesBoxes(client);
    buildButtons(client);
}

void TForm1::buildSeriesBoxes(QWidget* client) {
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
        connect(box, &QCheckBox::toggled, this,
                [this, k](bool checked) { runCommand([this, k, checked] { session_.setSeriesBox(k, checked); }); });
        boxes_[static_cast<std::size_t>(k)] = box;
    }
}

void TForm1::buildButtons(QWidget* client) {
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
    // Beside the bar while a computation integrates; Esc presses it.
    Przerwij_ = makeButton(client, "Przerwij", {516, 508, 75, 23});
    Przerwij_->setText(QStringLiteral("Przerwij"));
    Przerwij_->setToolTip(QStringLiteral("Przerywa obliczenia (Esc); poprzednie wyniki zostają"));
    Przerwij_->setShortcut(Qt::Key_Escape);
    Przerwij_->setAutoDefault(false);
    Przerwij_->hide();
    // On the press: the shortcut's click is animated and would end a tenth of a second later.
    connect(Przerwij_, &QPushButton::pressed, this, &TForm1::stopComputation);
    for (QWidget* below :
         std::initializer_list<QWidget*>{Wykr_DaneAkt_, ZalWyl_PSS_, CalkaCieplna_, ProgressBar1_, Przerwij_})
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
    markActiveChoices();
    syncOwnWindows();
    if (caseFiles_) caseFiles_->updateTitle();
}

void TForm1::writeRecoveryCopy() { caseFiles_->writeRecoveryCopy(); }

void TForm1::syncStatusPanels() {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const QString text = QString::fromStdString(session_.view().panels[i]);
        if (panels_[i]->text() == text) continue;
        panels_[i]->setText(text);
        panels_[i]->setToolTip(text);
    }
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter presses the default button unless a grid takes the key for its cells.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool inGrid = qobject_cast<QAbstractItemView*>(QApplication::focusWidget()) != nullptr;
    if (enter && !inGrid && ZalWyl_PSS_->isVisible() && ZalWyl_PSS_->isEnabled()) {
        ZalWyl_PSS_->click();
        return;
    }
    // Ctrl+C that no grid took copies what the chart shows.
    if (event->matches(QKeySequence::Copy) && !inGrid && chart_->isVisible()) {
        chart_->copyVisibleRange();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace tgsim::window
