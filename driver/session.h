#pragma once
// The whole application state, headless: the grids, the parameter record, the stored states and
// results, captions, view flags and status texts, with every command of the main menu as an
// operation on it. The window and the command-line runner are views over one Session.
#include <array>
#include <string>
#include <string_view>

#include "chart_quantities.h"
#include "core/parametry.h"
#include "core/progress.h"
#include "core/result_matrix.h"
#include "data/grids.h"

namespace tgsim {

// What a computation tells its view while it runs: the status texts are written and must show
// at once, and the progress of the integration.
class SolveObserver : public Progress {
public:
    virtual void statusTextsWritten() {}
    void setMaximum(int) override {}
    void setPosition(int) override {}
};

class Session {
public:
    Session();  // the start-up (Dane0)

    // Start-up: defaults, generator set 1, classical model, single-input stabilizer (off),
    // the record read once, scenario "wzbudzenie", status texts.
    void Dane0();

    // Generator data sets 1..6 and their menu handlers.
    void Generator(int number);
    void G1Click() { Generator(1); }
    void G2Click() { Generator(2); }
    void G3Click() { Generator(3); }
    void G4Click() { Generator(4); }
    void G5Click() { Generator(5); }
    void G6Click() { Generator(6); }

    // Stabilizer data sets and the on/off switch.
    void PSS2A_1Click();
    void PSS2A_2Click();
    void PSS2A_3Click();
    void PSS1wejsciowy1Click();
    void Stale_PSS();

    // Scenario presets (index into kScenarioPresets) and their handlers.
    void applyScenario(int index);
    void Softstart1Click() { applyScenario(0); }
    void Synchroniz1Click() { applyScenario(1); }
    void ZabwAutom1Click() { applyScenario(2); }
    void Zwarcie1Click() { applyScenario(3); }
    void Pracawsieci1Click() { applyScenario(4); }
    void ZrzutQ1Click() { applyScenario(5); }
    void TestPSS1Click() { applyScenario(6); }

    // Initial conditions.
    void war_zeroweClick();
    void war_koncowClick();
    void war_nominalneClick();
    void Warunkizadane1Click();

    // Model choice.
    void Klasyczny1Click() { record.model = "Klasyc"; }
    void Canaya1Click() { record.model = "Canaya"; }

    // The computation (F10) and the rotor thermal figure.
    void O1Click(SolveObserver* observer = nullptr);
    void Obliczeniecalkicieplnej1Click();

    // Chart: the data/chart view switch and the seventeen quantity boxes (k = 1..17).
    void Przelacz_DaneAkt_Wykres();
    void setSeriesBox(int k, bool checked);  // runs the box's handler only on a change
    void Wykres(int k);                       // the handler of box k: refreshes series k
    void ShowSeriesBoxes() { seriesBoxesVisible = true; }
    void HideSeriesBoxes() { seriesBoxesVisible = false; }
    void UncheckSeriesBoxes();

    // Cell edits as the user types them.
    void setCell(TextGrid& grid, int column, int row, std::string_view text) { grid.setCell(column, row, text); }

    // The rows the chart plots (0 .. N - 1 of a completed computation; none otherwise).
    std::size_t chartRowCount() const;
    // Whether series k currently holds the points of quantity k (its box was ticked after the
    // last computation), and a counter that changes whenever series k is refilled or emptied.
    bool seriesFilled(int k) const { return seriesFilled_[static_cast<std::size_t>(k)]; }
    unsigned seriesRevision(int k) const { return seriesRevision_[static_cast<std::size_t>(k)]; }

    // ---- State ----
    Grids grids;
    TParametry record;
    State initialState{};
    State firstInitialState{};
    bool firstRunDone = false;
    State currentData{};
    ResultMatrix results;
    bool resultsComplete = false;  // the last computation stored all its rows

    std::string ZalWyl_PSS;    // "Zal. PSS" (off) or "Wyl. PSS" (on)
    std::string Wykr_DaneAkt;  // the view its next press shows
    bool Wykr_DaneAktEnabled = false;
    std::string CalkaCieplna;  // caption of the thermal-figure button
    bool CalkaCieplnaVisible = false;
    bool chartVisible = false;
    bool zoomEnabled = false;
    bool progressBarVisible = true;
    bool seriesBoxesVisible = false;
    std::array<bool, kSeriesCount> seriesChecked{};  // index 1..17
    std::array<std::string, 4> panels;
    bool steadyStateDefaultsWritten = false;

private:
    void writeElapsedTime(std::string_view timeText);
    void clearAllSeries();
    std::array<bool, kSeriesCount> seriesFilled_{};
    std::array<unsigned, kSeriesCount> seriesRevision_{};
};

// Status texts.
inline constexpr const char* kTimePending = "Czas obliczeń = .... ?";
inline constexpr const char* kHintPanel = "Obliczenia: 1.wybierz: Dane Aktualne,  2.kliknij: Formularz lub F10";

}  // namespace tgsim
