#pragma once
// The figures of a study's point, read from its session after the steps.
#include <string>

#include "study_table.h"

namespace tgsim {

class Session;

// From the last computation, over the rows the chart plots (0 .. N - 1, as --chart writes them;
// "final" is row N - 1): the final values of P, Q, Ug, w and delta, the range of P, the largest
// swing of delta from its first value and whether it passed pi (a pole slip), and the ringdown of
// P over the run's default window. With `modes`, the modal analysis of the initial state the grids
// hold: the largest real part of the modes and the damping ratio of the electromechanical mode.
// Without a computation the run's figures are unset. An analysis that refuses leaves its figures
// unset and its message in `note`.
Figures figuresOfPoint(const Session& session, bool modes, std::string& note);

}  // namespace tgsim
