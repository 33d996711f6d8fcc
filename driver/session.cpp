#include "session.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/cell_number.h"
#include "base/failure.h"
#include "base/fp_fault.h"
#include "core/numerics/integrator.h"
#include "data/load_parameters.h"
#include "scenarios/initial_conditions.h"
#include "scenarios/given_steady_state.h"

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
    stabilizerOn_ = false;
    view_.Wykr_DaneAkt = kDataViewCaption;
    view_.CalkaCieplna = "Calka_Iw*Iw*dt";
    view_.gridVisible.fill(true);
    showGrid(GridId::zadanystanustalony, false);
    showGrid(GridId::Siatka_PSS, false);

    writeScenarioGrids(grids_, kStartupScenario);
    view_.chartVisible = false;
    Generator(1, grids_.siatka);
    generator_ = &kGeneratorSets[0];
    record_.model = RotorModel::Klasyczny;
    PSS1wejsciowy1Click();
    LoadParameters();
    scenario_ = &kStartupScenario;
    kStartupScenario.setEvents(record_);
    resultsRecord_ = record_;
    view_.panels = {kTimePending, statePanel(scenario_->scenarioName), "Liczba iteracji = ........", kHintPanel};
}

void Session::setCell(GridId grid, int column, int row, std::string_view text) {
    TextGrid& cells = grids_.byId(grid);
    if (grid == GridId::war_pocz && row == 1 && cells.contains(column, row) && cells.cell(column, row) != text)
        initialEdited_ = true;
    cells.setCell(column, row, text);
}

void Session::writeInitialState(const State& state, const TParametry& scales, bool final) {
    writeStateToInitialGrid(state, scales, grids_.war_pocz);
    initialFromFinalState_ = final;
    initialEdited_ = false;
}

// ---- View transitions ----

void Session::showGrid(GridId id, bool visible) { view_.gridVisible[static_cast<std::size_t>(id)] = visible; }

void Session::showInputGrids(bool visible) {
    for (GridId id : {GridId::siatkaPraca, GridId::siatka, GridId::war_pocz}) showGrid(id, visible);
}

void Session::setStabilizerSwitch(bool on) {
    stabilizerOn_ = on;
    showGrid(GridId::Siatka_PSS, on);
}

// The grids come back with the final state of the last computation in `war_pocz`.
void Session::showDataView() {
    view_.chartVisible = false;
    showInputGrids(true);
    writeInitialState(currentData_, resultsRecord_, true);
    view_.Wykr_DaneAkt = kChartViewCaption;
}

void Session::showChartView() {
    view_.Wykr_DaneAkt = kDataViewCaption;
    showInputGrids(false);
    showGrid(GridId::Siatka_PSS, false);
    view_.chartVisible = true;
    showGrid(GridId::zadanystanustalony, false);
}

// ---- Data sets ----

void Session::loadGeneratorSet(const GeneratorSet& set) {
    // The sets of the menu are named as their commands, G1 .. G6.
    const std::ptrdiff_t number = &set - kGeneratorSets.data();
    if (number >= 0 && number < static_cast<std::ptrdiff_t>(kGeneratorSets.size())) {
        generatorSet_ = {'G', static_cast<char>('1' + number)};
    } else {
        generatorSet_ = captionAsName(set.menuCaption);
    }
    generator_ = &set;
    machineKey_ = psse::MachineKey{1, "1"};  // a built-in machine is exported as 1 '1'
    view_.chartVisible = false;
    showGrid(GridId::siatka);
    writeGeneratorSet(set, grids_.siatka);
}

void Session::loadPss2aSet(const PssSet& set) {
    stabilizerSet_ = set.menuCaption;
    record_.pssOrder = writePss2aSet(set, grids_.Siatka_PSS);
}

void Session::PSS1wejsciowy1Click() {
    stabilizerSet_ = kSingleInputSet.menuCaption;
    record_.pssOrder = PSS_klas_1(grids_.Siatka_PSS);
}

void Session::Stale_PSS() { setStabilizerSwitch(!stabilizerOn()); }

void Session::applyScenario(const ScenarioPreset& preset) {
    view_.chartVisible = false;
    showInputGrids(true);
    scenario_ = &preset;
    preset.setEvents(record_);
    if (preset.switchesStabilizerOn) stabilizerOn_ = true;
    writeScenarioGrids(grids_, preset);
    // A preset that writes the whole state gives the grids a state of its own; one that writes
    // alfa and beta alone keeps where the rest came from.
    if (preset.initial == InitialConditions::RestUnexcited || preset.initial == InitialConditions::LoadedPoint)
        initialFromFinalState_ = initialEdited_ = false;
    if (preset.switchesStabilizerOn) showGrid(GridId::Siatka_PSS);
}

// ---- Initial conditions ----

void Session::war_zeroweClick() {
    showGrid(GridId::war_pocz);
    firstInitialState_[0] = 0.0;
    writeInitialState(firstInitialState_, record_, false);
}

void Session::war_koncowClick() {
    showGrid(GridId::war_pocz);
    currentData_[0] = 0.0;
    writeInitialState(currentData_, resultsRecord_, true);
}

// The steady states are those of the machine as the grids stand now, also when a data set was
// loaded or a cell edited since the last computation; the session's record itself is refreshed
// only by a computation.
TParametry Session::machineAsTheGridsStand() const {
    TParametry machine = record_;
    readMachine(grids_, machine);
    return machine;
}

void Session::war_nominalneClick() {
    const TParametry machine = machineAsTheGridsStand();
    showGrid(GridId::war_pocz);
    const double Qr = guarded([&] { return std::sqrt(1.0 - machine.cosfin * machine.cosfin); });
    writeSteadyState(networkSteadyState(machine, 1.0, Qr), machine, grids_);
    initialFromFinalState_ = initialEdited_ = false;
}

void Session::Warunkizadane1Click() {
    const TParametry machine = machineAsTheGridsStand();
    showGrid(GridId::zadanystanustalony);
    const SteadyState state = Warunkizadane(machine, grids_, steadyStateDefaultsWritten_);
    showGrid(GridId::war_pocz);
    writeSteadyState(state, machine, grids_);
    initialFromFinalState_ = initialEdited_ = false;
}

void Session::Obliczeniecalkicieplnej1Click() {
    const double figure = guarded([&] { return record_.Uwn / record_.Iwz / record_.Xd; });
    view_.CalkaCieplnaVisible = true;
    view_.CalkaCieplna = "Calka = " + formatGeneral(figure, 4, 2);
}

// ---- Queries ----

StandardParameters Session::standardParameters() const { return tgsim::standardParameters(machineAsTheGridsStand()); }

ModalResult Session::modalAnalysis() const {
    TParametry record = record_;
    State initial{};
    tgsim::LoadParameters(grids_, stabilizerOn_, record, initial);
    return tgsim::modalAnalysis(record, initial);
}

void Session::requireRingdownRows() const {
    if (!resultsComplete_ || results_->storedRows() == 0)
        throw Failure("A ringdown needs a completed computation (F10)");
}

RingdownWindow Session::ringdownWindow() const {
    requireRingdownRows();
    // A run of no step stores only its start, which the chart does not plot: a window of no sample.
    if (chartRowCount() == 0) return {results_->row(0)[kT], results_->row(0)[kT]};
    const ChartRows rows = chartRows();
    return defaultRingdownWindow(resultsRecord(), rows.time(0), rows.time(rows.size() - 1));
}

RingdownResult Session::ringdown(int k, const RingdownWindow& window) const {
    requireRingdownRows();
    if (k < 1 || k > kQuantityCount) throw Failure("No chart quantity " + std::to_string(k));
    if (chartRowCount() == 0) throw Failure(tooFewSamplesMessage(window.from, window.to, 0));
    const ChartRows rows = chartRows();
    std::vector<double> t(rows.size()), y(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        t[i] = rows.time(i);
        y[i] = rows.value(k, i);
    }
    return tgsim::ringdown(t, y, window.from, window.to);
}

// ---- The computation ----

void Session::LoadParameters() {
    showInputGrids(true);
    readMachineAndControl(grids_, record_);
    writeInitialHeaders(grids_.war_pocz);
    readInitialStateAndDerived(grids_, stabilizerOn_, record_, initialState_);
}

void Session::writeElapsedTime(std::string_view timeText) {
    view_.panels[0] = std::string("Czas obliczeń = ") + std::string(timeText);
}

void Session::clearAllSeries() {
    for (int k = kSeriesCount - 1; k >= 0; --k) {
        seriesFilled_[static_cast<std::size_t>(k)] = false;
        ++seriesRevision_[static_cast<std::size_t>(k)];
    }
}

void Session::O1Click(SolveObserver* observer) {
    SolveJob job = beginSolve(observer);
    job.run(observer);
    finishSolve(job, observer);
}

SolveJob Session::beginSolve(SolveObserver* observer) {
    showInputGrids(true);
    view_.CalkaCieplnaVisible = false;
    clearAllSeries();
    SolveJob job;
    job.started_ = std::chrono::steady_clock::now();
    view_.seriesBoxesVisible = false;
    LoadParameters();
    showGrid(GridId::Siatka_PSS, stabilizerOn());
    if (!firstRunDone_) {
        firstInitialState_ = initialState_;
        firstRunDone_ = true;
    }
    view_.panels = {kTimePending, statePanel(scenario_->scenarioName),
                    "Liczba iteracji = " + std::to_string(record_.stepCount), kHintPanel};
    if (observer) observer->statusTextsWritten();
    job.start_ = initialState_;
    job.record_ = record_;
    job.startNote_ = initialStateNote();
    view_.progressBarVisible = true;
    return job;
}

void SolveJob::run(Progress* progress) noexcept {
    try {
        // The rows of the earlier computation (and of every kept run) stay as they are: this
        // one writes into a matrix of its own.
        integrate(start_, record_, *results_, record_.to, record_.tk, progress);
        // The chart's quantities are part of the computation: a fault in any of them ends it
        // here, as a fault in the integration does, so that no box, no exported value and no
        // picture can meet a value that is not finite (the boxes then redraw the checked
        // values only).
        checkChartValues(ChartRows(*results_, results_->storedRows() - 1, record_));
    } catch (...) {
        failure_ = std::current_exception();
    }
}

namespace {

std::string stoppedMessage(const SolveJob& job) {
    const ResultMatrix& rows = job.results();
    std::string text = "Obliczenia przerwane";
    if (rows.storedRows() > 0)
        text += " przy t = " + formatGeneral(rows.row(rows.storedRows() - 1)[kT], 4) +
                " s z tk = " + formatGeneral(job.endTime(), 4) + " s";
    return text + ": wyniki poprzednich obliczeń, dane aktualne i siatki zostają bez zmian.";
}

}  // namespace

void Session::finishSolve(SolveJob& job, SolveObserver* observer) {
    if (job.failure_) {
        try {
            std::rethrow_exception(job.failure_);
        } catch (const ComputationStopped&) {
            throw ComputationStopped(stoppedMessage(job));
        } catch (...) {
            // A failed computation keeps the rows it stored before the fault. One refused before
            // it stored any leaves the earlier rows where they are, unless a kept run holds them.
            if (job.results_->capacity() > 0 || results_.use_count() > 1) results_ = job.results_;
            resultsComplete_ = false;
            throw;
        }
    }
    results_ = job.results_;
    resultsComplete_ = true;
    resultsRecord_ = record_;
    resultsName_ = runName(*scenario_, record_, stabilizerSet_, generatorSet_, job.startNote_);

    showInputGrids(false);
    showGrid(GridId::Siatka_PSS, false);
    showGrid(GridId::zadanystanustalony, false);
    view_.chartVisible = true;
    view_.zoomEnabled = true;
    const auto last = results_->row(static_cast<std::size_t>(record_.stepCount));
    currentData_[0] = 0.0;
    for (int k = 1; k < kStateSize; ++k) currentData_[static_cast<std::size_t>(k)] = last[static_cast<std::size_t>(k)];
    writeElapsedTime(elapsedText(std::chrono::steady_clock::now() - job.started_));
    if (observer) observer->statusTextsWritten();
    view_.Wykr_DaneAkt = kDataViewCaption;
    UncheckSeriesBoxes();
    for (int k : {13, 15, 16}) setSeriesBox(k, true);
    view_.progressBarVisible = false;
    view_.chartVisible = true;
    view_.seriesBoxesVisible = true;
    view_.Wykr_DaneAktEnabled = true;
}

std::optional<std::uint64_t> Session::plannedResultBytes() const {
    TParametry record = record_;
    State initial{};
    try {
        tgsim::LoadParameters(grids_, stabilizerOn_, record, initial);
    } catch (const Failure&) {
        return std::nullopt;
    }
    if (record.stepCount < 0) return std::nullopt;
    return (static_cast<std::uint64_t>(record.stepCount) + 1) * kStateSize * sizeof(double);
}

// ---- Chart ----

void Session::Przelacz_DaneAkt_Wykres() {
    showGrid(GridId::Siatka_PSS, stabilizerOn());
    if (view_.Wykr_DaneAkt == kDataViewCaption)
        showDataView();
    else
        showChartView();
}

void Session::setSeriesBox(int k, bool checked) {
    if (k < 1 || k > kQuantityCount) return;
    bool& box = view_.seriesChecked[static_cast<std::size_t>(k)];
    if (box == checked) return;
    box = checked;
    Wykres(k);
}

void Session::Wykres(int k) {
    const auto index = static_cast<std::size_t>(k);
    // The points themselves are computed by whoever draws them, from `results` and the record.
    seriesFilled_[index] = view_.seriesChecked[index] && resultsComplete_;
    ++seriesRevision_[index];
}

void Session::UncheckSeriesBoxes() {
    for (int k = 1; k <= kQuantityCount; ++k) setSeriesBox(k, false);
}

std::size_t Session::chartRowCount() const {
    if (!resultsComplete_ || results_->storedRows() == 0) return 0;
    return results_->storedRows() - 1;
}

// ---- Comparison of runs ----

void Session::ZachowajPrzebiegClick() {
    if (chartRowCount() == 0) throw Failure("There is no completed computation to keep: compute first (F10)");
    if (resultsKept()) throw Failure("This computation is kept already");
    if (keptRuns_.size() == kMaxKeptRuns) keptRuns_.erase(keptRuns_.begin());
    keptRuns_.push_back({results_, chartRowCount(), resultsRecord_, resultsName_});
    ++keptRevision_;
}

void Session::UsunPorownaniaClick() {
    if (keptRuns_.empty()) return;
    keptRuns_.clear();
    ++keptRevision_;
}

}  // namespace tgsim
