#include "session.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "core/cell_number.h"
#include "core/failure.h"
#include "core/fp_fault.h"
#include "core/integrator.h"
#include "data/generator_sets.h"
#include "data/pss_sets.h"
#include "data/load_parameters.h"
#include "scenarios/initial_conditions.h"
#include "scenarios/scenario_presets.h"
#include "scenarios/steady_state.h"

namespace tgsim {
namespace {

std::string elapsedText(std::chrono::steady_clock::duration elapsed) {
    const long long seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// "Stan Pracy: " and the scenario name, cut to 37 characters in all.
std::string statePanel(std::string_view scenario) {
    std::string text = "Stan Pracy: ";
    text += scenario;
    if (text.size() > 37) text.resize(37);
    return text;
}

}  // namespace

Session::Session() { Dane0(); }

void Session::Dane0() {
    ZalWyl_PSS = kPssOffCaption;
    Wykr_DaneAkt = "Dane Aktualne";
    CalkaCieplna = "Calka_Iw*Iw*dt";
    grids.siatka.width = 673, grids.siatka.height = 70;
    grids.siatkaPraca.width = 650, grids.siatkaPraca.height = 50;
    grids.zadanystanustalony.width = 522, grids.zadanystanustalony.height = 55;
    grids.war_pocz.width = 665, grids.war_pocz.height = 71;
    grids.Siatka_PSS.width = 665, grids.Siatka_PSS.height = 71;
    grids.zadanystanustalony.visible = false;
    grids.Siatka_PSS.visible = false;

    writeScenarioGrids(grids, kStartupScenario);
    chartVisible = false;
    Generator(1);
    record.model = "Klasyc";
    PSS1wejsciowy1Click();
    LoadParameters(grids, ZalWyl_PSS, record, initialState);
    record.scenario = kStartupScenario.scenarioName;
    panels = {kTimePending, statePanel(record.scenario.view()), "Liczba iteracji = ........", kHintPanel};
}

void Session::Generator(int number) {
    chartVisible = false;
    tgsim::Generator(number, grids.siatka);
}

void Session::PSS2A_1Click() { record.pssOrder = PSS2A(1, grids.Siatka_PSS); }
void Session::PSS2A_2Click() { record.pssOrder = PSS2A(2, grids.Siatka_PSS); }
void Session::PSS2A_3Click() { record.pssOrder = PSS2A(3, grids.Siatka_PSS); }
void Session::PSS1wejsciowy1Click() { record.pssOrder = PSS_klas_1(grids.Siatka_PSS); }

void Session::Stale_PSS() {
    if (ZalWyl_PSS == kPssOffCaption) {
        grids.Siatka_PSS.visible = true;
        ZalWyl_PSS = kPssOnCaption;
    } else {
        ZalWyl_PSS = kPssOffCaption;
        grids.Siatka_PSS.visible = false;
    }
}

void Session::applyScenario(int index) {
    if (index < 0 || index >= kScenarioCount) return;
    const ScenarioPreset& preset = kScenarioPresets[static_cast<std::size_t>(index)];
    chartVisible = false;
    grids.siatkaPraca.visible = grids.siatka.visible = grids.war_pocz.visible = true;
    record.scenario = preset.scenarioName;
    if (preset.switchesStabilizerOn) ZalWyl_PSS = kPssOnCaption;
    writeScenarioGrids(grids, preset);
    if (preset.switchesStabilizerOn) grids.Siatka_PSS.visible = true;
}

void Session::war_zeroweClick() {
    grids.war_pocz.visible = true;
    firstInitialState[0] = 0.0;
    writeStateToInitialGrid(firstInitialState, record, grids.war_pocz);
}

void Session::war_koncowClick() {
    grids.war_pocz.visible = true;
    currentData[0] = 0.0;
    writeStateToInitialGrid(currentData, record, grids.war_pocz);
}

void Session::war_nominalneClick() {
    grids.war_pocz.visible = true;
    const double Qr = guarded([&] { return std::sqrt(1.0 - record.cosfin * record.cosfin); });
    writeSteadyState(networkSteadyState(record, 1.0, Qr), record, grids);
}

void Session::Warunkizadane1Click() { Warunkizadane(record, grids, steadyStateDefaultsWritten); }

void Session::Obliczeniecalkicieplnej1Click() {
    const double figure = guarded([&] { return record.Uwn / record.Iwz / record.Xd; });
    CalkaCieplnaVisible = true;
    CalkaCieplna = "Calka = " + formatGeneral(figure, 4, 2);
}

void Session::writeElapsedTime(std::string_view timeText) {
    panels[0] = std::string("Czas obliczeń = ") + std::string(timeText);
}

void Session::clearAllSeries() {
    for (int k = kSeriesCount - 1; k >= 0; --k) {
        seriesFilled_[static_cast<std::size_t>(k)] = false;
        ++seriesRevision_[static_cast<std::size_t>(k)];
    }
}

void Session::O1Click(SolveObserver* observer) {
    grids.siatkaPraca.visible = grids.siatka.visible = grids.war_pocz.visible = true;
    CalkaCieplnaVisible = false;
    clearAllSeries();
    const auto start = std::chrono::steady_clock::now();
    HideSeriesBoxes();
    LoadParameters(grids, ZalWyl_PSS, record, initialState);
    grids.Siatka_PSS.visible = ZalWyl_PSS == kPssOnCaption;
    if (!firstRunDone) {
        firstInitialState = initialState;
        firstRunDone = true;
    }
    panels = {kTimePending, statePanel(record.scenario.view()), "Liczba iteracji = " + std::to_string(record.stepCount),
              kHintPanel};
    if (observer) observer->statusTextsWritten();
    const State startVector = initialState;
    progressBarVisible = true;
    resultsComplete = false;
    integrate(startVector, record, results, record.to, record.tk, observer);
    resultsComplete = true;

    grids.siatkaPraca.visible = grids.siatka.visible = grids.war_pocz.visible = false;
    grids.Siatka_PSS.visible = grids.zadanystanustalony.visible = false;
    chartVisible = true;
    zoomEnabled = true;
    const auto last = results.row(static_cast<std::size_t>(record.stepCount));
    currentData[0] = 0.0;
    for (int k = 1; k < kStateSize; ++k) currentData[static_cast<std::size_t>(k)] = last[static_cast<std::size_t>(k)];
    writeElapsedTime(elapsedText(std::chrono::steady_clock::now() - start));
    if (observer) observer->statusTextsWritten();
    Wykr_DaneAkt = "Dane Aktualne";
    UncheckSeriesBoxes();
    for (int k : {13, 15, 16}) setSeriesBox(k, true);
    progressBarVisible = false;
    chartVisible = true;
    ShowSeriesBoxes();
    Wykr_DaneAktEnabled = true;
}

void Session::Przelacz_DaneAkt_Wykres() {
    grids.Siatka_PSS.visible = ZalWyl_PSS == kPssOnCaption;
    if (Wykr_DaneAkt == "Dane Aktualne") {
        chartVisible = false;
        grids.siatkaPraca.visible = grids.siatka.visible = grids.war_pocz.visible = true;
        writeStateToInitialGrid(currentData, record, grids.war_pocz);
        Wykr_DaneAkt = "Wykresy";
    } else {
        Wykr_DaneAkt = "Dane Aktualne";
        grids.siatkaPraca.visible = grids.siatka.visible = grids.Siatka_PSS.visible = grids.war_pocz.visible = false;
        chartVisible = true;
        grids.zadanystanustalony.visible = false;
    }
}

void Session::setSeriesBox(int k, bool checked) {
    if (k < 1 || k > kQuantityCount) return;
    bool& box = seriesChecked[static_cast<std::size_t>(k)];
    if (box == checked) return;
    box = checked;
    Wykres(k);
}

void Session::Wykres(int k) {
    if (k < 1 || k > kQuantityCount) return;
    const auto index = static_cast<std::size_t>(k);
    // The points themselves are computed by whoever draws them, from `results` and the record.
    seriesFilled_[index] = seriesChecked[index] && resultsComplete;
    ++seriesRevision_[index];
}

void Session::UncheckSeriesBoxes() {
    for (int k = 1; k <= kQuantityCount; ++k) setSeriesBox(k, false);
}

std::size_t Session::chartRowCount() const {
    if (!resultsComplete || results.storedRows() == 0) return 0;
    return results.storedRows() - 1;
}

}  // namespace tgsim
