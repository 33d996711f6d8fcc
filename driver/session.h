#pragma once
// The whole application state, headless: the grids, the parameter record, the stored states and
// results, what the window shows (captions, visible components, status texts), with every
// command of the main menu as an operation on it. The window and the command-line runner are
// views over one Session; they read it through const accessors and change it only through its
// commands and cell edits.
#include <array>
#include <chrono>
#include <cstdint>
#include <exception>
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
#include "base/failure.h"
#include "data/generator_sets.h"
#include "data/grids.h"
#include "data/psse/dyr_export.h"
#include "data/psse/machine_import.h"
#include "data/pss_sets.h"
#include "kept_run.h"
#include "scenarios/scenario_presets.h"
#include "session_input.h"

namespace tgsim {

// What a computation tells its view while it runs: the status texts are written and must show
// at once, and the progress of the integration.
class SolveObserver : public Progress {
public:
    virtual void statusTextsWritten() {}
    void setMaximum(int) override {}
    void setPosition(int) override {}
};

// A computation stopped from outside before its end (the window's "Przerwij"): thrown by the
// observer's progress report on the computing thread. The session then leaves its results,
// current data and grids as they were before the computation.
class ComputationStopped : public Failure {
public:
    using Failure::Failure;
};

// One computation between its start and its end: what the integration reads, copied from the
// session, and the rows it writes. Its run touches nothing else, so it may run on another
// thread while the session stays as it is (the window's thread keeps owning it).
class SolveJob {
public:
    // Integrates the run and checks its chart values; a failure, or a stop thrown by `progress`,
    // is kept for the session's finishSolve. `progress` may be null.
    void run(Progress* progress) noexcept;
    // The rows of the run, as far as it got.
    const ResultMatrix& results() const { return *results_; }
    double endTime() const { return record_.tk; }

private:
    friend class Session;
    State start_{};
    TParametry record_;
    std::shared_ptr<ResultMatrix> results_ = std::make_shared<ResultMatrix>();
    std::chrono::steady_clock::time_point started_;
    std::string startNote_;  // how the run started, for its name
    std::exception_ptr failure_;
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

// What a case file holds beyond the grids' cells (driver/case): the switches that are no cells,
// the names of the data sets loaded last (which name the runs) and the case's own title and
// description. Unset switches and names stay as they are when a case is opened; the title and
// description are the opened case's own, set or not.
struct CaseSwitches {
    std::optional<RotorModel> model;
    std::optional<std::uint8_t> pssOrder;  // the stabilizer kind: kPss2aOrder or kSingleInputOrder
    std::optional<bool> stabilizerOn;
    const ScenarioPreset* scenario = nullptr;
    std::optional<std::string> generatorSet, stabilizerSet;
    std::optional<std::string> title, description;
    // The case gives the operating point of the given steady state, which "zadany stan Ustalony"
    // then computes from instead of writing its defaults over it (the defaults are written when
    // the case opens, under the case's own cells).
    bool steadyStatePointGiven = false;

    bool operator==(const CaseSwitches&) const = default;
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

    // The computation (F10): beginSolve, the job's run and finishSolve on one thread. The window
    // runs the job on a thread of its own between the two. beginSolve writes what the
    // computation shows before integrating (and fails as reading the grids fails); finishSolve
    // takes the rows and shows the chart, or, for a job that failed, leaves the session as that
    // failure leaves it and throws it. A stopped job leaves the results, the current data and
    // the grids as they were and throws ComputationStopped, saying so.
    void O1Click(SolveObserver* observer = nullptr);
    SolveJob beginSolve(SolveObserver* observer);
    void finishSolve(SolveJob& job, SolveObserver* observer);
    // The bytes the rows of a computation started now would take (none when reading the grids
    // fails, which the computation then reports itself).
    std::optional<std::uint64_t> plannedResultBytes() const;
    // The rotor thermal figure.
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
    // The input as it stands, and a change of it taken back (undo) or done again (redo): the
    // grids' cells and the fields of the commands that loaded data sets and presets.
    InputSnapshot inputSnapshot() const;
    void applyInputChange(const InputChange& change, bool undo);
    // Shows the grid (where a failing cell is to be corrected).
    void revealGrid(GridId grid) { showGrid(grid); }

    // Case files (driver/case). The switches as they stand, every field set (the point of the
    // given steady state counts as given once its defaults are written).
    CaseSwitches caseSwitches() const;
    // Puts an opened case's switches in place (session_case.cpp) and shows the input grids, as
    // loading a data set does; nothing is computed. A stabilizer kind other than the one in
    // `Siatka_PSS` lays the grid out for that kind with its headers and empty value cells.
    void setCaseSwitches(const CaseSwitches& switches);

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
    // The generator set loaded last (nullptr when the generator grid came from elsewhere), and
    // whether any cell of `siatka` differs from what loading it wrote.
    const GeneratorSet* generatorSet() const { return generator_; }
    bool generatorCellsEdited() const;
    // The menu caption of the stabilizer set loaded last.
    const std::string& stabilizerSetCaption() const { return stabilizerSet_; }
    // How a computation started now would start, when not from a state the grids were given by
    // a preset, a steady state or the start-up: "od warunków końcowych" (the final state of a
    // computation), "od warunków zmienionych" (values typed into `war_pocz`), both, or "".
    std::string initialStateNote() const;

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
    // last event of its scenario to its last plotted row (a run of no step plots none: its start
    // at both ends). Failure without a completed computation.
    RingdownWindow ringdownWindow() const;
    // The dominant oscillation of chart quantity k (1..17) over `window` of the rows the chart
    // plots, in the chart's units. Failure without a completed computation, and as the fit
    // refuses (a window of too few rows, ...).
    RingdownResult ringdown(int k, const RingdownWindow& window) const;

private:
    // Reads every grid into the record and the initial state; the fields read before a failing
    // cell or formula keep their new values.
    void LoadParameters();
    // Failure unless the last computation stored all its rows (a run of no step plots none:
    // its windows hold no sample).
    void requireRingdownRows() const;
    // The machine (`siatka`, with the record's rotor model) read into a copy of the record.
    TParametry machineAsTheGridsStand() const;
    void setStabilizerSwitch(bool on);
    void showGrid(GridId id, bool visible = true);
    void showInputGrids(bool visible);  // siatka, siatkaPraca and war_pocz
    void showDataView();
    void showChartView();
    // Writes the state into `war_pocz`; `final`: it is the final state of a computation.
    void writeInitialState(const State& state, const TParametry& scales, bool final);
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
    const GeneratorSet* generator_ = nullptr;
    std::string generatorSet_ = "G1";
    std::string stabilizerSet_;
    std::optional<psse::NetworkCase> networkCase_;  // the network data named for imports
    psse::MachineKey machineKey_{1, "1"};           // the machine's bus and identifier in files
    std::vector<KeptRun> keptRuns_;
    unsigned keptRevision_ = 0;
    bool steadyStateDefaultsWritten_ = false;
    bool initialFromFinalState_ = false;
    bool initialEdited_ = false;
    std::optional<std::string> caseTitle_, caseDescription_;  // of the case opened last
    ViewState view_;
    std::array<bool, kSeriesCount> seriesFilled_{};
    std::array<unsigned, kSeriesCount> seriesRevision_{};
};

// Status texts.
inline constexpr const char* kTimePending = "Czas obliczeń = .... ?";
inline constexpr const char* kHintPanel = "Obliczenia: 1.wybierz: Dane Aktualne,  2.kliknij: Formularz lub F10";

}  // namespace tgsim
