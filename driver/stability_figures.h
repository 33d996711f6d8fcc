#pragma once
// The figures of the operating point's modes and of a run's ringdowns as text: the modes'
// participations as the window and the runner show them, and both tables as CSV.
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "core/analysis/modal_analysis.h"
#include "core/analysis/ringdown.h"

namespace tgsim {

// The mode's largest participations, largest first, with two decimals and the decimal comma of
// the cells: "w 0,48; delta 0,45; Iw 0,03".
std::string participationText(const Mode& mode);
// The same with each state named as the window names it (elementCaption).
std::string participationCaptions(const Mode& mode);

// An element of the discrete state as the window names it: a chart quantity by its caption
// ("w", "delta", "Iw"), a stored value by its grid header or in words ("dId", "Ug regulatora",
// "całka uchybu regulatora"), the stabilizer's memory by the quantity its path filters ("PSS
// tor P (5)", "PSS sygnał").
std::string elementCaption(std::string_view element);

// Header real,imag,frequency_hz,damping_ratio,time_constant_s,participation,electromechanical,
// then one line per listed mode in the result's order. Numbers with a decimal point; the time
// constant empty where there is none (an oscillation, a mode at rest); the participation quoted,
// for its commas; "yes" in the last column of the electromechanical mode (its member with
// imag > 0), "no" in the others.
void writeModesCsv(const ModalResult& modes, std::ostream& out);

struct RingdownRow {
    std::string quantity;  // the chart quantity's caption
    RingdownResult figures;
};

// Header quantity,from_s,to_s,frequency_hz,damping_ratio,amplitude,fit_quality,oscillation, then
// one line per row. from_s and to_s are the times of the first and last sample the fit read. A
// window without an oscillation has the four figures empty and "no" in the last column.
void writeRingdownCsv(std::span<const RingdownRow> rows, std::ostream& out);

}  // namespace tgsim
