#include "tuning_figures.h"

#include <cmath>
#include <numbers>

#include "base/csv_number.h"

namespace tgsim {
namespace {

void writeResponse(std::complex<double> value, bool present, std::ostream& out) {
    if (present)
        out << ',' << csvNumber(std::abs(value)) << ',' << csvNumber(phaseDegrees(value));
    else
        out << ",,";
}

}  // namespace

double phaseDegrees(std::complex<double> value) {
    const double degrees = std::arg(value) * 180.0 / std::numbers::pi;
    return degrees <= -180.0 ? degrees + 360.0 : degrees;
}

void writeFrequencyResponseCsv(const FrequencyResponse& response, std::ostream& out) {
    out << "frequency_hz,gep_gain,gep_phase_deg,vref_gain,vref_phase_deg,pss_gain,pss_phase_deg,net_gain,"
           "net_phase_deg,damping_torque,synchronizing_torque\n";
    const bool pss = response.stabilizer;
    for (const FrequencyPoint& p : response.points) {
        out << csvNumber(p.frequencyHz);
        writeResponse(p.gep, true, out);
        writeResponse(p.vref, true, out);
        writeResponse(p.pss, pss, out);
        writeResponse(p.net, pss, out);
        if (pss)
            out << ',' << csvNumber(p.dampingTorque) << ',' << csvNumber(p.synchronizingTorque) << '\n';
        else
            out << ",,\n";
    }
}

std::vector<ProposedCell> proposedCells(const PssSetting& s, bool pss2a) {
    if (pss2a)
        return {{0, "T1", s.stages[0].lead},
                {1, "T2", s.stages[0].lag},
                {2, "T3", s.stages[1].lead},
                {3, "T4", s.stages[1].lag},
                {16, "kw", s.kw}};
    return {{2, "T2", s.stages[0].lag}, {4, "T4", s.stages[1].lag}, {6, "kw", s.kw}};
}

void writePssProposalCsv(const PssProposal& p, std::ostream& out) {
    out << "name,value,unit\n";
    for (const ProposedCell& cell : proposedCells(p.proposed, p.pss2a))
        out << cell.header << ',' << csvNumber(cell.value) << ',' << (cell.header == "kw" ? "-" : "s") << '\n';
    const auto figure = [&](const char* name, double value, bool present, const char* unit) {
        out << name << ',' << (present ? csvNumber(value) : "") << ',' << unit << '\n';
    };
    figure("em_frequency_hz", p.withProposed.frequencyHz, p.withProposed.found, "Hz");
    figure("em_damping_before", p.withBefore.dampingRatio, p.withBefore.found, "-");
    figure("em_damping_after", p.withProposed.dampingRatio, p.withProposed.found, "-");
    figure("instability_gain", p.instabilityGain, p.instabilityFound, "-");
    figure("em_damping_without_stabilizer", p.withoutStabilizer.dampingRatio, p.withoutStabilizer.found, "-");
}

}  // namespace tgsim
