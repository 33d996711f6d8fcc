#pragma once
// The window "Strojenie PSS" (menu "Stab. Syst. PSS"): the frequency responses of the present
// initial state with the stabilizer set in `Siatka_PSS` (gep, pss, net: gain and phase against
// frequency), the swing frequency marked, and on request ("Dobierz nastawy…" or its button) the
// proposed setting with the swing's frequency and damping without stabilizer, with the set and
// with the proposal; "Zastosuj" writes the proposal into `Siatka_PSS`. It does not block the
// main window and shows the figures of the moment its command ran.
#include <QWidget>
#include <optional>

#include "core/analysis/pss_tuning.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tgsim {
class Session;
}

namespace tgsim::window {

class FrequencyResponseChart;

class PssTuningWindow : public QWidget {
    Q_OBJECT
public:
    // With an owner (the main window) it stays in front of it and goes with it.
    explicit PssTuningWindow(QWidget* owner = nullptr);

    // Computes the responses (and with `propose` the proposal) for the session as it stands and
    // shows the window. A refusal leaves the window empty, says why and what to do, and raises the
    // Failure.
    void showFor(const Session& session, bool propose);
    // The proposal shown, if any.
    const std::optional<PssProposal>& proposal() const { return proposal_; }

    FrequencyResponseChart* charts() const { return charts_; }
    QLabel* summary() const { return summary_; }
    QTableWidget* settingTable() const { return settings_; }
    QTableWidget* swingTable() const { return swings_; }
    QPushButton* applyButton() const { return apply_; }

signals:
    // "Przelicz" (what is shown, again) and "Dobierz nastawy" (with the proposal).
    void recomputeRequested(bool propose);
    // "Zastosuj": the owner writes the proposal into the grid.
    void applyRequested();

private:
    void fillSettings(const Session& session);
    void fillSwings(double withoutHz, double withoutDamping);
    void present();

    QLabel* summary_;
    FrequencyResponseChart* charts_;
    QTableWidget* settings_;
    QTableWidget* swings_;
    QLabel* method_;
    QPushButton* apply_;
    std::optional<PssProposal> proposal_;
    bool sized_ = false;
};

}  // namespace tgsim::window
