#include "modal_analysis_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "base/cell_number.h"
#include "base/failure.h"
#include "driver/session.h"
#include "driver/stability_figures.h"
#include "analysis_window_parts.h"
#include "modal_plane_chart.h"

namespace tgsim::window {
namespace {

enum ModeColumn { kReal, kImag, kFrequency, kDamping, kTimeConstant, kParticipation, kModeColumns };
enum RingdownColumn {
    kQuantity,
    kFrom,
    kTo,
    kSwingFrequency,
    kSwingDamping,
    kAmplitude,
    kFitQuality,
    kRingdownColumns
};

const QColor kElectromechanicalColour(255, 221, 128);

// Four significant digits with the decimal comma of the cells.
QString number(double value) { return QString::fromStdString(formatGeneral(value, 4)); }

QString electromechanicalSummary(const ModalResult& result) {
    QString text;
    if (result.electromechanical >= 0) {
        const Mode& em = result.modes[static_cast<std::size_t>(result.electromechanical)];
        text = QStringLiteral("Mod elektromechaniczny: f = %1 Hz, ζ = %2.")
                   .arg(number(em.frequencyHz), number(em.dampingRatio));
    } else {
        text = QStringLiteral("Brak modu elektromechanicznego.");
    }
    return text + QStringLiteral("  Mapa stanu co %1 ms (kroków: %2), zmiennych stanu: %3.")
                      .arg(number(result.period * 1000.0))
                      .arg(result.stepsPerPeriod)
                      .arg(result.stateCount);
}

}  // namespace

ModalAnalysisWindow::ModalAnalysisWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      summary_(new QLabel(this)),
      plane_(new ModalPlaneChart(this)),
      modes_(figureTable(this, "TabelaModow",
                         {QStringLiteral("Re s [1/s]"), QStringLiteral("Im s [rad/s]"), QStringLiteral("f [Hz]"),
                          QStringLiteral("ζ [-]"), QStringLiteral("T [s]"), QStringLiteral("Udziały")})),
      ringdownCaption_(new QLabel(this)),
      ringdowns_(figureTable(
          this, "TabelaOscylacji",
          {QStringLiteral("Wielkość"), QStringLiteral("od [s]"), QStringLiteral("do [s]"), QStringLiteral("f [Hz]"),
           QStringLiteral("ζ [-]"), QStringLiteral("Amplituda"), QStringLiteral("Dopasowanie")})) {
    setObjectName(QStringLiteral("AnalizaModalna"));
    setWindowTitle(QStringLiteral("Analiza modalna"));
    summary_->setObjectName(QStringLiteral("Podsumowanie"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    modes_->setToolTip(
        QStringLiteral("Mody stanu początkowego (war_pocz), od najsłabiej tłumionego; "
                       "para sprzężona w jednym wierszu (±Im s)"));
    ringdowns_->setToolTip(
        QStringLiteral("Dominująca oscylacja każdej zaznaczonej wielkości wykresu, "
                       "od ostatniego zdarzenia scenariusza do końca obliczeń"));
    auto* recompute = new QPushButton(QStringLiteral("Przelicz"), this);
    recompute->setObjectName(QStringLiteral("Przelicz"));
    connect(recompute, &QPushButton::clicked, this, &ModalAnalysisWindow::recomputeRequested);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(plane_);
    split->addWidget(modes_);
    split->setSizes({560, 620});
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ringdownCaption_, 1);
    bottom->addWidget(recompute);
    auto* box = new QVBoxLayout(this);
    box->addWidget(summary_);
    box->addWidget(split, 4);
    box->addLayout(bottom);
    box->addWidget(ringdowns_, 1);
    ringdowns_->horizontalHeader()->setStretchLastSection(false);
}

void ModalAnalysisWindow::showFor(const Session& session) {
    fillRingdowns(session);
    try {
        fillModes(session);
    } catch (const Failure&) {
        present();
        throw;
    }
    present();
}

void ModalAnalysisWindow::fillModes(const Session& session) {
    ModalResult result;
    try {
        result = session.modalAnalysis();
    } catch (const Failure& failure) {
        plane_->clearModes();
        modes_->setRowCount(0);
        electromechanicalRow_ = -1;
        summary_->setText(QStringLiteral("Brak analizy: ") + refusalText(failure));
        rethrowInWindowWords(failure);
    }
    plane_->setModes(result);
    summary_->setText(electromechanicalSummary(result));
    // Each oscillation once, by its member with Im s > 0.
    modes_->setRowCount(0);
    electromechanicalRow_ = -1;
    for (std::size_t i = 0; i < result.modes.size(); ++i) {
        const Mode& m = result.modes[i];
        if (m.imag < 0.0) continue;
        const int row = modes_->rowCount();
        modes_->insertRow(row);
        const bool pair = m.imag > 0.0 && i + 1 < result.modes.size() && result.modes[i + 1].imag == -m.imag;
        modes_->setItem(row, kReal, figureItem(number(m.real)));
        modes_->setItem(row, kImag, figureItem((pair ? QStringLiteral("±") : QString()) + number(m.imag)));
        modes_->setItem(row, kFrequency, figureItem(m.imag != 0.0 ? number(m.frequencyHz) : QString()));
        modes_->setItem(row, kDamping, figureItem(number(m.dampingRatio)));
        modes_->setItem(row, kTimeConstant, figureItem(m.timeConstant != 0.0 ? number(m.timeConstant) : QString()));
        modes_->setItem(row, kParticipation,
                        figureItem(QString::fromStdString(participationCaptions(m)), Qt::AlignLeft));
        for (int column = 0; column < kModeColumns; ++column) modes_->item(row, column)->setToolTip(modeDescription(m));
        if (static_cast<int>(i) != result.electromechanical) continue;
        electromechanicalRow_ = row;
        for (int column = 0; column < kModeColumns; ++column) {
            QTableWidgetItem* item = modes_->item(row, column);
            item->setBackground(kElectromechanicalColour);
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
    fitFigureColumns(modes_);
}

void ModalAnalysisWindow::fillRingdowns(const Session& session) {
    ringdowns_->clearSpans();
    ringdowns_->setRowCount(0);
    QString caption = QStringLiteral("Oscylacje w przebiegach ostatnich obliczeń");
    if (session.chartRowCount() == 0) {
        ringdownCaption_->setText(caption + QStringLiteral(": brak zakończonych obliczeń (F10)."));
        return;
    }
    const RingdownWindow window = session.ringdownWindow();
    for (int k = 1; k <= kQuantityCount; ++k) {
        if (!session.view().seriesChecked[static_cast<std::size_t>(k)]) continue;
        const int row = ringdowns_->rowCount();
        ringdowns_->insertRow(row);
        ringdowns_->setItem(
            row, kQuantity,
            figureItem(QString::fromLatin1(kChartQuantities[static_cast<std::size_t>(k)].caption), Qt::AlignLeft));
        // A row without figures says why in one cell over the columns it leaves empty.
        QString note;
        int first = kFrom;
        try {
            const RingdownResult r = session.ringdown(k, window);
            ringdowns_->setItem(row, kFrom, figureItem(number(r.from)));
            ringdowns_->setItem(row, kTo, figureItem(number(r.to)));
            if (r.oscillation) {
                ringdowns_->setItem(row, kSwingFrequency, figureItem(number(r.frequencyHz)));
                ringdowns_->setItem(row, kSwingDamping, figureItem(number(r.dampingRatio)));
                ringdowns_->setItem(row, kAmplitude, figureItem(number(r.amplitude)));
                ringdowns_->setItem(row, kFitQuality, figureItem(number(r.fitQuality)));
                continue;
            }
            note = QStringLiteral("brak oscylacji");
            first = kSwingFrequency;
        } catch (const Failure& failure) {
            note = QString::fromUtf8(failure.what());
        }
        ringdowns_->setSpan(row, first, 1, kRingdownColumns - first);
        ringdowns_->setItem(row, first, figureItem(note, Qt::AlignLeft));
    }
    caption += ringdowns_->rowCount() > 0
                   ? QStringLiteral(", od %1 s do %2 s:").arg(number(window.from), number(window.to))
                   : QStringLiteral(": żadna wielkość nie jest zaznaczona na wykresie.");
    ringdownCaption_->setText(caption);
    fitFigureColumns(ringdowns_);
}

void ModalAnalysisWindow::present() { presentAnalysisWindow(this, sized_, QSize(1180, 720)); }

}  // namespace tgsim::window
