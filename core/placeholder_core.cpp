// Placeholder until the integrator lands: holds the start vector for every step.
#include "integrator.h"
#include "state_equations.h"

namespace tgsim {

double unitStep(double t, double tz) { return t < tz ? 0.0 : (t == tz ? 0.5 : 1.0); }
double softstartSetPoint(double, const TParametry&) { return 0.0; }
double cosTimes(double k, double angle) { return k * angle; }
void stateEquations(const State&, const TParametry&, double, State& f) { f.fill(0.0); }

void integrate(const State& initialState, TParametry record, ResultMatrix& results, double tStart, double tEnd,
               Progress* progress) {
    const std::size_t rows = static_cast<std::size_t>(record.stepCount) + 1;
    const double h = (tEnd - tStart) / static_cast<double>(rows);
    results.reset(rows);
    if (progress) progress->setMaximum(static_cast<int>(rows));
    double t = tStart;
    for (std::size_t i = 0; i < rows; ++i) {
        double* row = results.rowData(i);
        for (int k = 0; k < kStateSize; ++k) row[k] = initialState[static_cast<std::size_t>(k)];
        row[0] = t;
        t += h;
        if (progress) progress->setPosition(static_cast<int>(i));
    }
    results.setStoredRows(rows);
}

}  // namespace tgsim
