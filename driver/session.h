#pragma once
// The whole application state, headless: the grids, the parameter record, the stored states and
// results, what the window shows (captions, visible components, status texts), with every
// command of the main menu as an operation on it. The window and the command-line runner are
// views over one Session; they read it through const accessors and change it only through its
// commands and cell edits.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart_quantities.h"
#include "core/analysis/frequency_response.h"
#include "core/analysis/pss_tuning.h"
#include "core/analysis/modal_analysis.h"
#include "core/model/parameter_record.h"
#include "core/numerics/progress.h"
#include "core/numerics/result_matrix.h"
#include "core/analysis/ringdown.h"
#include "core/analysis/standard_parameters.h"
#include "data/generator_sets.h"
#include "data/grids.h"
#include "data/psse/dyr_export.h"
#include "data/psse/machine_import.h"
#include "data/pss_sets.h"
#include "kept_run.h"
#include "scenarios/scenario_presets.h"

namespace tgsim {

// What a computation tells its view while it runs: the status texts are written and must show
// at once, and the progress of the integration.
class SolveObserver : public Progress {
public:
    virtual void statusTextsWritten() {}
    void setMaximum(int) override {}
    void setPosition(int) override {}
};

// The state of the window's components that the commands change.
struct ViewState {
    std::array<bool, kGridCount> gridVisible{};  // by GridId
    bool chartVisible = false;
    bool zoomEnabled = false;
    bool progressBarVisible = true;
    bool seriesBoxesVisible = false;
    std::array<bool, kSeriesCount> seriesChecked{};  // index 1..17
    std::string Wykr_DaneAkt;                        // the view its next press shows
    bool Wykr_DaneAktEnabled = false;
    std::string CalkaCieplna;  // caption of the thermal-figure button
    bool CalkaCieplnaVisible = false;
    std::array<std::string, 4> panels;  // status bar

    bool visible(GridId id) const { return gridVisible[static_cast<std::size_t>(id)]; }
};

// Captions of the view switch `Wykr_DaneAkt`: the view its next press shows.
inline constexpr const char* kDataViewCaption = "Dane Aktualne";
inline constexpr const char* kChartViewCaption = "Wykresy";

class Session {
public:
    Session();  // the start-up (Dane0)

    // ---- Commands ----
    // Start-up: defaults, generator set 1, classical model, single-input stabilizer (off),
    // the record read once, scenario "wzbudzenie", status texts.
    void Dane0();

    // A generator data set (the menu "Generator").
    void loadGeneratorSet(const GeneratorSet& set);

    // Stabilizer data sets (the three PSS2A sets, the single-input set) and the on/off switch.
    void loadPss2aSet(const PssSet& set);
    void PSS1wejsciowy1Click();
    void Stale_PSS();

    // A scenario preset (the menu "Stany Pracy").
    void applyScenario(const ScenarioPreset& preset);

    // Initial conditions.
    void war_zeroweClick();
    void war_koncowClick();
    void war_nominalneClick();
    void Warunkizadane1Click();

    // Model choice.
    void Klasyczny1Click() { record_.model = RotorModel::Klasyczny; }
    void Canaya1Click() { record_.model = RotorModel::Canaya; }

    // The computation (F10) and the rotor thermal figure.
    void O1Click(SolveObserver* observer = nullptr);
    void Obliczeniecalkicieplnej1Click();

    // Chart: the data/chart view switch and the seventeen quantity boxes (k = 1..17).
    void Przelacz_DaneAkt_Wykres();
    void setSeriesBox(int k, bool checked);  // runs the box's handler only on a change

    // Comparison of runs: keeps the last completed computation (the oldest kept one goes when
    // there would be more than kMaxKeptRuns); refused with a Failure when there is none or it is
    // kept already. Removing forgets every kept run.
    void ZachowajPrzebiegClick();
    void UsunPorownaniaClick();

    // Machines from dynamic data files (.dyr). The network data (.raw) that the following imports
    // take their bases from: read at once, so that a bad file refuses this command.
    void useNetworkFile(const std::string& name);
    // Imports the chosen machine of the file, with its PSS2A when `withPss` and the file has one;
    // the bases come from the network data named last, else from the file of the same stem beside
    // it (NAME.raw) when there is one. Returns what was taken from where and what was left out.
    // A refusal (a bad file, a machine that is not there or that the model cannot take) throws
    // its Failure with nothing changed.
    std::string importMachine(const std::string& dyrFile, const psse::MachineChoice& choice, bool withPss);
    // Applies a planned import: the cells, the classical rotor model, the stabilizer's layout and
    // switch, the set's names.
    void applyMachineImport(const psse::MachineImport& plan);
    // The machine as the grids hold it as dynamic data (the bus and identifier it was imported
    // under, else 1 '1').
    psse::DyrExport exportMachine() const;

    // A cell edit as the user types it (cells outside the grid are ignored).
    void setCell(GridId grid, int column, int row, std::string_view text);
    // Shows the grid (where a failing cell is to be corrected).
    void revealGrid(GridId grid) { showGrid(grid); }

    // ---- State, read only ----
    const Grids& grids() const { return grids_; }
    const TParametry& record() const { return record_; }
    const State& initialState() const { return initialState_; }
    const State& firstInitialState() const { return firstInitialState_; }
    const State& currentData() const { return currentData_; }
    const ResultMatrix& results() const { return *results_; }
    // The last computation ended without a fault: it stored all its rows, and their chart
    // quantities are finite.
    bool resultsComplete() const { return resultsComplete_; }
    const ViewState& view() const { return view_; }
    // Whether the stabilizer is switched on (the button `ZalWyl_PSS` shows it in its caption).
    bool stabilizerOn() const { return stabilizerOn_; }
    // The scenario chosen last (the start-up scenario until one is chosen).
    const ScenarioPreset& scenario() const { return *scenario_; }

    // The standard parameters of the machine the grids describe as they stand now (data set,
    // model and every cell edit), read into a copy of the record: nothing is computed and the
    // session is left as it is. A cell that is not a number or a formula that faults raises its
    // Failure, as the computation would.
    StandardParameters standardParameters() const;

    // The record of the last completed computation: the scales of `currentData` and of the
    // chart's rows. `record()` may have been read since by a computation that failed.
    const TParametry& resultsRecord() const { return resultsRecord_; }

    // The rows the chart plots (0 .. N - 1 of a completed computation; none otherwise), with
    // the record that scales them.
    std::size_t chartRowCount() const;
    ChartRows chartRows() const { return {*results_, chartRowCount(), resultsRecord_}; }
    // The name of the last completed computation (see runName).
    const std::string& resultsName() const { return resultsName_; }
    // The kept runs, oldest first, and a counter that changes whenever they change.
    const std::vector<KeptRun>& keptRuns() const { return keptRuns_; }
    // Whether the last completed computation is the last kept run.
    bool resultsKept() const { return !keptRuns_.empty() && keptRuns_.back().results == results_; }
    unsigned keptRevision() const { return keptRevision_; }
    // Whether series k currently holds the points of quantity k (its box was ticked after the
    // last computation), and a counter that changes whenever series k is refilled or emptied.
    bool seriesFilled(int k) const { return seriesFilled_[static_cast<std::size_t>(k)]; }
    unsigned seriesRevision(int k) const { return seriesRevision_[static_cast<std::size_t>(k)]; }

    // The modes of the present initial state: the values in `war_pocz` with the record as the
    // grids stand now (data set, model, control, stabilizer and every cell edit), read into a
    // copy; the session is left as it is. A cell that is not a number, a formula that faults,
    // or a state the analysis refuses (not at rest, ...) raises its Failure.
    ModalResult modalAnalysis() const;
    // Stabilizer tuning for the present initial state (read as modalAnalysis reads it), with the
    // stabilizer set in `Siatka_PSS` taken as switched on whatever its switch says: the frequency
    // responses at these frequencies, and a proposed setting; the session is left as it is. They
    // refuse as the modal analysis refuses.
    // With `setting`, the responses with that setting written into a copy of the grid.
    FrequencyResponse frequencyResponse(const std::vector<double>& frequenciesHz,
                                        const PssSetting* setting = nullptr) const;
    PssProposal proposePssSetting() const;
    // Writes the proposed values into `Siatka_PSS` (the stages' time constants and kw; the other
    // cells and the switch stay as they are).
    void applyPssSetting(const PssProposal& proposal);
    // The runner's step "Dobierz nastawy": the proposal applied.
    void DobierzPSSClick();
    // The window a ringdown of the last completed computation is read in by default: from the
    // last event of its scenario to its last plotted row. Failure without a completed computation.
    RingdownWindow ringdownWindow() const;
    // The dominant oscillation of chart quantity k (1..17) over `window` of the rows the chart
    // plots, in the chart's units. Failure without a completed computation, and as the fit
    // refuses (a window of too few rows, ...).
    RingdownResult ringdown(int k, const RingdownWindow& window) const;

private:
    // Reads every grid into the record and the initial state; the fields read before a failing
    // cell or formula keep their new values.
    void LoadParameters();
    // Failure unless the last computation stored all its rows.
    void requireRingdownRows() const;
    // The machine (`siatka`, with the record's rotor model) read into a copy of the record.
    TParametry machineAsTheGridsStand() const;
    void setStabilizerSwitch(bool on);
    void showGrid(GridId id, bool visible = true);
    void showInputGrids(bool visible);  // siatka, siatkaPraca and war_pocz
    void showDataView();
    void showChartView();
    void Wykres(int k);  // the handler of box k: refreshes series k
    void UncheckSeriesBoxes();
    void clearAllSeries();
    void writeElapsedTime(std::string_view timeText);

    Grids grids_;
    TParametry record_;
    bool stabilizerOn_ = false;
    const ScenarioPreset* scenario_ = &kStartupScenario;
    State initialState_{};
    State firstInitialState_{};
    bool firstRunDone_ = false;
    State currentData_{};
    // Shared with the kept runs: a computation writes into a new matrix while one is kept.
    std::shared_ptr<ResultMatrix> results_ = std::make_shared<ResultMatrix>();
    bool resultsComplete_ = false;
    TParametry resultsRecord_;
    std::string resultsName_;
    // The data sets last loaded, by name, for the names of the runs.
    std::string generatorSet_ = "G1";
    std::string stabilizerSet_;
    std::optional<psse::NetworkCase> networkCase_;  // the network data named for imports
    psse::MachineKey machineKey_{1, "1"};           // the machine's bus and identifier in files
    std::vector<KeptRun> keptRuns_;
    unsigned keptRevision_ = 0;
    bool steadyStateDefaultsWritten_ = false;
    ViewState view_;
    std::array<bool, kSeriesCount> seriesFilled_{};
    std::array<unsigned, kSeriesCount> seriesRevision_{};
};

// Status texts.
inline constexpr const char* kTimePending = "Czas obliczeń = .... ?";
inline constexpr const char* kHintPanel = "Obliczenia: 1.wybierz: Dane Aktualne,  2.kliknij: Formularz lub F10";

}  // namespace tgsim
