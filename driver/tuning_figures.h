#pragma once
// The figures of stabilizer tuning as text: the frequency responses and the proposed setting as
// CSV, and the proposal's values as the stabilizer grid's cells hold them.
#include <ostream>
#include <string>
#include <vector>

#include "core/analysis/frequency_response.h"
#include "core/analysis/pss_tuning.h"

namespace tgsim {

// Header frequency_hz,gep_gain,gep_phase_deg,vref_gain,vref_phase_deg,pss_gain,pss_phase_deg,
// net_gain,net_phase_deg,damping_torque,synchronizing_torque, then one line per frequency.
// Phases in degrees within (-180, 180]; numbers with a decimal point. Without an acting
// stabilizer the pss, net and torque columns are empty.
void writeFrequencyResponseCsv(const FrequencyResponse& response, std::ostream& out);

// Header name,value,unit, then the proposed time constants (T1..T4 of the PSS2A; T2 and T4 of
// the single-input stabilizer), kw, em_frequency_hz, em_damping_before, em_damping_after,
// instability_gain, em_damping_without_stabilizer. The swing figures are those of the least
// damped oscillation from 0,1 Hz to 4 Hz; "before" is the set in the grid, switched on.
// instability_gain is empty when no gain tried made a mode grow.
void writePssProposalCsv(const PssProposal& proposal, std::ostream& out);

// A cell of the stabilizer grid and the text the proposal writes into it.
struct ProposedCell {
    int column;
    std::string header;  // without its unit: "T1", "kw", ...
    double value;
};
// The cells the setting fills: T1..T4 and kw (columns 0..3 and 16) of a PSS2A, T2, T4 and kw
// (columns 2, 4 and 6) of the single-input stabilizer.
std::vector<ProposedCell> proposedCells(const PssSetting& setting, bool pss2a);

// Degrees in (-180, 180].
double phaseDegrees(std::complex<double> value);

}  // namespace tgsim
