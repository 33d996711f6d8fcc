#include "pss_tuning_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/analysis/frequency_response.h"
#include "base/cell_number.h"
#include "base/failure.h"
#include "data/pss_sets.h"
#include "driver/session.h"
#include "driver/tuning_figures.h"
#include "analysis_window_parts.h"
#include "frequency_response_chart.h"

namespace tgsim::window {
namespace {

// The frequencies shown: those of the runner's default.
constexpr double kFromHz = 0.1, kToHz = 5.0;
constexpr int kFrequencyCount = 200;

QString number(double value) { return QString::fromStdString(formatGeneral(value, 4)); }

// What to do about a refusal the shared words do not cover.
QString remedy(const std::string& message) {
    if (message.rfind("The machine without stabilizer is unstable", 0) == 0)
        return QStringLiteral(
            "\nWybierz punkt pracy, w którym maszyna bez stabilizatora jest stabilna "
            "(„Analiza modalna” w menu „Obliczenia”).");
    return QString();
}

// The table as tall as its rows.
void fitHeight(QTableWidget* table) {
    int height = table->horizontalHeader()->height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row) height += table->rowHeight(row);
    table->setFixedHeight(height);
}

// Restores the cursor when the computation ends, also by a refusal.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

}  // namespace

PssTuningWindow::PssTuningWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      summary_(new QLabel(this)),
      charts_(new FrequencyResponseChart(this)),
      settings_(figureTable(this, "Nastawy",
                            {QStringLiteral("Nastawa"), QStringLiteral("Siatka_PSS"), QStringLiteral("Propozycja")})),
      swings_(figureTable(this, "Wahania",
                          {QStringLiteral("Stabilizator"), QStringLiteral("f [Hz]"), QStringLiteral("ζ [-]")})),
      method_(new QLabel(this)),
      apply_(new QPushButton(QStringLiteral("Zastosuj"), this)) {
    setObjectName(QStringLiteral("StrojeniePSS"));
    setWindowTitle(QStringLiteral("Strojenie PSS"));
    for (QLabel* label : {summary_, method_}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    summary_->setObjectName(QStringLiteral("Podsumowanie"));
    method_->setObjectName(QStringLiteral("Metoda"));
    swings_->setToolTip(QStringLiteral("Najsłabiej tłumiona oscylacja od 0,1 Hz do 4 Hz w analizie modalnej"));
    apply_->setObjectName(QStringLiteral("Zastosuj"));
    apply_->setToolTip(QStringLiteral("Wpisuje proponowane nastawy do Siatka_PSS"));
    auto* propose = new QPushButton(QStringLiteral("Dobierz nastawy"), this);
    propose->setObjectName(QStringLiteral("DobierzNastawy"));
    auto* recompute = new QPushButton(QStringLiteral("Przelicz"), this);
    recompute->setObjectName(QStringLiteral("Przelicz"));
    connect(propose, &QPushButton::clicked, this, [this] { emit recomputeRequested(true); });
    connect(recompute, &QPushButton::clicked, this, [this] { emit recomputeRequested(proposal_.has_value()); });
    connect(apply_, &QPushButton::clicked, this, &PssTuningWindow::applyRequested);

    auto* panel = new QWidget(this);
    auto* side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(settings_);
    side->addWidget(swings_);
    side->addWidget(method_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {propose, apply_, recompute}) {
        button->setMinimumWidth(button->sizeHint().width());  // the caption whole before any layout
        buttons->addWidget(button);
    }
    side->addLayout(buttons);
    side->addStretch(1);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(charts_);
    split->addWidget(panel);
    split->setSizes({820, 360});
    auto* box = new QVBoxLayout(this);
    box->addWidget(summary_);
    box->addWidget(split, 1);
    apply_->setEnabled(false);
}

void PssTuningWindow::showFor(const Session& session, bool propose) {
    const WaitCursor wait;
    proposal_.reset();
    const std::vector<double> frequencies = logSpacedFrequencies(kFromHz, kToHz, kFrequencyCount);
    FrequencyResponse current, proposed;
    try {
        current = session.frequencyResponse(frequencies);
        if (propose) {
            proposal_ = session.proposePssSetting();
            proposed = session.frequencyResponse(frequencies, &proposal_->proposed);
        }
    } catch (const Failure& failure) {
        proposal_.reset();
        charts_->clear();
        settings_->setRowCount(0);
        swings_->setRowCount(0);
        method_->clear();
        apply_->setEnabled(false);
        summary_->setText(QStringLiteral("Brak charakterystyk: ") + refusalText(failure) + remedy(failure.what()));
        present();
        rethrowInWindowWords(failure);
    }
    charts_->setResponses(current, proposal_ ? &proposed : nullptr, current.swingFrequencyHz);
    fillSettings(session);
    fillSwings(current.swingFrequencyHz, current.swingDampingRatio);
    QString text = QStringLiteral(
        "Stan początkowy z war_pocz, wał nieruchomy (prędkość i kąt mocy stałe), "
        "pętla stabilizatora otwarta; pss i net stabilizatora z Siatka_PSS.");
    if (!session.stabilizerOn())
        text += QStringLiteral(" Stabilizator jest wyłączony: włącz go przyciskiem „Zal. PSS”, aby liczyć z nim.");
    summary_->setText(text);
    apply_->setEnabled(proposal_.has_value());
    present();
}

void PssTuningWindow::fillSettings(const Session& session) {
    const bool pss2a = session.record().pssOrder == kPss2aOrder;
    const TextGrid& grid = session.grids().Siatka_PSS;
    settings_->setRowCount(0);
    for (const ProposedCell& cell : proposedCells(proposal_ ? proposal_->proposed : PssSetting{}, pss2a)) {
        const int row = settings_->rowCount();
        settings_->insertRow(row);
        settings_->setItem(row, 0, figureItem(QString::fromStdString(grid.cell(cell.column, 0)), Qt::AlignLeft));
        settings_->setItem(row, 1, figureItem(QString::fromStdString(grid.cell(cell.column, 1))));
        settings_->setItem(row, 2,
                           figureItem(proposal_ ? QString::fromStdString(formatGeneral(cell.value)) : QString()));
    }
    fitFigureColumns(settings_);
    fitHeight(settings_);
    QString method = QStringLiteral(
                         "Dobór: faza net od %1° do %2° w paśmie %3–%4 Hz, najsilniej przy częstotliwości "
                         "wahań; stałe czasowe od %5 s do %6 s, w stopniu najwyżej %7 razy różne. kw = 1/3 "
                         "wzmocnienia, przy którym pierwszy mod traci stabilność")
                         .arg(kTargetPhaseTo)
                         .arg(kTargetPhaseFrom)
                         .arg(number(kBandFromHz), number(kBandToHz), number(kShortestTimeConstant),
                              number(kLongestTimeConstant), number(kLargestStageRatio));
    if (proposal_)
        method += (proposal_->instabilityFound ? QStringLiteral(" (%1)") : QStringLiteral(" (stabilny do %1)"))
                      .arg(number(proposal_->instabilityGain));
    method_->setText(method + QStringLiteral("."));
}

void PssTuningWindow::fillSwings(double withoutHz, double withoutDamping) {
    swings_->setRowCount(0);
    const auto add = [&](const QString& name, const SwingFigures& swing) {
        const int row = swings_->rowCount();
        swings_->insertRow(row);
        swings_->setItem(row, 0, figureItem(name, Qt::AlignLeft));
        swings_->setItem(row, 1, figureItem(swing.found ? number(swing.frequencyHz) : QString()));
        swings_->setItem(row, 2, figureItem(swing.found ? number(swing.dampingRatio) : QString()));
    };
    if (proposal_) {
        add(QStringLiteral("bez PSS"), proposal_->withoutStabilizer);
        add(QStringLiteral("Siatka_PSS"), proposal_->withBefore);
        add(QStringLiteral("propozycja"), proposal_->withProposed);
    } else {
        add(QStringLiteral("bez PSS"), SwingFigures{withoutHz, withoutDamping, withoutHz > 0.0});
    }
    fitFigureColumns(swings_);
    fitHeight(swings_);
}

void PssTuningWindow::present() { presentAnalysisWindow(this, sized_, QSize(1200, 780)); }

}  // namespace tgsim::window
