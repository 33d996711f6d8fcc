#include "study_figures.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "base/failure.h"
#include "core/analysis/modal_analysis.h"
#include "core/analysis/ringdown.h"
#include "driver/chart_quantities.h"
#include "driver/session.h"

namespace tgsim {
namespace {

// Chart quantities by box number.
constexpr int kOmegaBox = 7, kDeltaBox = 8, kUgBox = 15, kPBox = 16, kQBox = 17;

void addNote(std::string& note, const std::string& what, const std::exception& failure) {
    note += (note.empty() ? "" : "; ") + what + ": " + failure.what();
}

void runFigures(const Session& session, Figures& f, std::string& note) {
    // The rows the chart plots, scaled by the record that produced them.
    const ChartRows chart = session.chartRows();
    const std::size_t rows = chart.size();
    if (rows == 0) return;
    const auto value = [&](int box, std::size_t i) { return chart.value(box, i); };
    std::vector<double> t(rows), p(rows);
    const double delta0 = value(kDeltaBox, 0);
    double pMin = value(kPBox, 0), pMax = pMin, swing = 0;
    for (std::size_t i = 0; i < rows; ++i) {
        t[i] = chart.time(i);
        p[i] = value(kPBox, i);
        pMin = std::min(pMin, p[i]);
        pMax = std::max(pMax, p[i]);
        swing = std::max(swing, std::fabs(value(kDeltaBox, i) - delta0));
    }
    const std::size_t last = rows - 1;
    f = {p[last],
         value(kQBox, last),
         value(kUgBox, last),
         value(kOmegaBox, last),
         value(kDeltaBox, last),
         pMin,
         pMax,
         swing,
         swing > std::numbers::pi ? 1.0 : 0.0};
    try {
        const RingdownWindow window = defaultRingdownWindow(session.resultsRecord(), t.front(), t.back());
        const RingdownResult fit = ringdown(t, p, window.from, window.to);
        if (fit.oscillation) {
            f[kPFrequencyHz] = fit.frequencyHz;
            f[kPDampingRatio] = fit.dampingRatio;
        }
    } catch (const Failure& failure) {
        addNote(note, "ringdown of P", failure);
    }
}

void modalFigures(const Session& session, Figures& f, std::string& note) {
    try {
        // The grids read into a copy of the record: the session stays as the steps left it.
        const ModalResult modal = session.modalAnalysis();
        if (!modal.modes.empty()) {
            double largest = modal.modes.front().real;
            for (const Mode& mode : modal.modes) largest = std::max(largest, mode.real);
            f[kModesMaxReal] = largest;
        }
        if (modal.electromechanical >= 0)
            f[kEmDampingRatio] = modal.modes[static_cast<std::size_t>(modal.electromechanical)].dampingRatio;
    } catch (const Failure& failure) {
        addNote(note, "modes", failure);
    }
}

}  // namespace

Figures figuresOfPoint(const Session& session, bool modes, std::string& note) {
    Figures f;
    runFigures(session, f, note);
    if (modes) modalFigures(session, f, note);
    // Results are finite, but a quantity formed from huge ones need not be: no infinity in the table.
    for (std::size_t i = 0; i < f.size(); ++i)
        if (f[i] && !std::isfinite(*f[i])) {
            f[i].reset();
            note += (note.empty() ? "" : "; ") + std::string(kFigureNames[i]) + " is not finite";
        }
    return f;
}

}  // namespace tgsim
