#include "pss_tuning.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/analysis/plant_response.h"
#include "core/analysis/stabilizer_response.h"
#include "base/cell_number.h"
#include "base/failure.h"
#include "core/analysis/modal_analysis.h"
#include "core/model/state_equations.h"

namespace tgsim {
namespace {

// The gain search starts where the stabilizer's torque at the swing frequency is one unit of P
// per unit of speed, doubles (or halves) at most kDoublings times until the stability changes,
// then narrows the bracket on the log scale until its ends lie within kGainResolution.
constexpr int kDoublings = 30;
constexpr double kGainResolution = 1.02;
constexpr int kBisections = 40;
// The best phase fits of each sign of the gain that are tried with their gains, and the passes:
// the second centres the band on the swing frequency the first pass's choice leaves.
constexpr std::size_t kCandidates = 3;
constexpr int kPasses = 2;

struct ModalFigures {
    SwingFigures swing;
    double largestRealPart = 0;
};

// The modes' largest real part and the least damped swing.
ModalFigures figuresOf(const TParametry& record, const State& initial) {
    const ModalResult modes = modalAnalysis(record, initial);
    ModalFigures f;
    f.largestRealPart = -INFINITY;
    for (const Mode& mode : modes.modes) {
        f.largestRealPart = std::fmax(f.largestRealPart, mode.real);
        const bool swing = mode.imag > 0.0 && mode.frequencyHz >= kSwingFromHz && mode.frequencyHz <= kSwingToHz;
        if (swing && (!f.swing.found || mode.dampingRatio < f.swing.dampingRatio))
            f.swing = {mode.frequencyHz, mode.dampingRatio, true};
    }
    return f;
}

bool stableWith(const RecordWithSetting& recordWith, PssSetting setting, double kw, const State& initial) {
    setting.kw = kw;
    return figuresOf(recordWith(setting), initial).largestRealPart <= 0.0;
}

// The net response of the stabilizer without its stages, at the band's frequencies: the
// stabilizer of `setting` with gain 1, its own stages taken out.
std::vector<std::complex<double>> baseNet(const PhaseBand& band, const HeldShaftPlant& plant,
                                          const StabilizerResponse& stabilizer, const PssSetting& setting) {
    std::vector<std::complex<double>> net;
    for (double f : band.frequenciesHz) {
        const double omega = 2.0 * std::numbers::pi * f;
        std::complex<double> stages = 1.0;
        for (const CompensationStage& s : setting.stages)
            stages *= std::complex<double>(1.0, omega * s.lead) / std::complex<double>(1.0, omega * s.lag);
        net.push_back(stabilizer.speedToSignal(f) * plant.signalToPower(f) / stages);
    }
    return net;
}

// The smallest gain at which some mode grows lies between `stable` and `unstable` (0: none
// found up to `stable`).
struct GainBracket {
    double stable = 0;
    double unstable = 0;
};

// From `firstGain`, doubled until a mode grows (or halved until none does), then the bracket
// halved on the log scale down to kGainResolution. The machine is stable with gain 0.
GainBracket instabilityGain(const RecordWithSetting& recordWith, const PssSetting& stages, double sign,
                            double firstGain, const State& initial) {
    const auto stableAt = [&](double gain) { return stableWith(recordWith, stages, sign * gain, initial); };
    GainBracket b;
    double gain = firstGain;
    const bool upwards = stableAt(gain);
    (upwards ? b.stable : b.unstable) = gain;
    for (int i = 0; i < kDoublings; ++i) {
        gain = upwards ? 2.0 * gain : gain / 2.0;
        const bool stable = stableAt(gain);
        (stable ? b.stable : b.unstable) = gain;
        if (stable != upwards) break;
    }
    if (b.stable == 0.0 || b.unstable == 0.0) return b;
    for (int i = 0; i < kBisections && b.unstable > kGainResolution * b.stable; ++i) {
        const double middle = std::sqrt(b.stable * b.unstable);
        (stableAt(middle) ? b.stable : b.unstable) = middle;
    }
    return b;
}

// A fit tried: its gain a share of the gain at which some mode grows, and the modes with it.
struct Candidate {
    PssSetting setting;
    GainBracket gain;
    ModalFigures after;
};

Candidate tried(const Compensation& fit, const PhaseBand& band, const std::vector<std::complex<double>>& net,
                const RecordWithSetting& recordWith, const State& initial) {
    Candidate c;
    c.setting.stages = fit.stages;
    const double sign = fit.inverted ? -1.0 : 1.0;
    const std::size_t swing =
        static_cast<std::size_t>(std::max_element(band.weights.begin(), band.weights.end()) - band.weights.begin());
    const double omega = 2.0 * std::numbers::pi * band.frequenciesHz[swing];
    double size = std::abs(net[swing]);
    for (const CompensationStage& s : fit.stages)
        size *= std::hypot(1.0, omega * s.lead) / std::hypot(1.0, omega * s.lag);
    c.gain = instabilityGain(recordWith, c.setting, sign, 1.0 / size, initial);
    const double instability = c.gain.unstable > 0.0 ? c.gain.unstable : c.gain.stable;
    c.setting.kw = sign * roundedToTwoDigits(kGainShareOfInstability * instability);
    c.after = figuresOf(recordWith(c.setting), initial);
    return c;
}

}  // namespace

PssSetting settingOf(const TParametry& r) {
    PssSetting s;
    if (r.pssOrder == kPss2aOrder)
        s.stages = {CompensationStage{r.T1, r.T2}, CompensationStage{r.T3, r.T4}};
    else
        s.stages = {CompensationStage{0.0, r.T2}, CompensationStage{0.0, r.T4}};
    s.kw = r.kw;
    return s;
}

PssProposal proposePssSetting(const TParametry& record, const State& initial, const RecordWithSetting& recordWith) {
    PssProposal p;
    p.pss2a = record.pssOrder == kPss2aOrder;
    p.before = settingOf(record);
    TParametry off = record;
    off.pssOn = false;
    const ModalFigures plain = figuresOf(off, initial);  // the modal analysis's refusals come first
    if (plain.largestRealPart > 0.0)
        throw Failure("The machine without stabilizer is unstable at this operating point (a mode grows at " +
                      formatGeneral(plain.largestRealPart, 3) +
                      " 1/s): the proposal's gain is a share of the gain at which a stable machine becomes unstable");
    p.withoutStabilizer = plain.swing;
    p.withBefore = figuresOf(record, initial).swing;
    p.swingFrequencyHz = p.withoutStabilizer.frequencyHz;

    PssSetting unitGain = p.before;
    unitGain.kw = 1.0;
    const TParametry unitRecord = recordWith(unitGain);
    const HeldShaftPlant plant(unitRecord, initial);
    const StabilizerResponse stabilizer(restingRecord(unitRecord), initial);
    bool chosen = false;
    double centre = p.swingFrequencyHz;
    for (int pass = 0; pass < kPasses; ++pass) {
        const PhaseBand band = phaseBand(centre);
        const std::vector<std::complex<double>> net = baseNet(band, plant, stabilizer, unitGain);
        for (const std::complex<double>& value : net)
            if (!(std::abs(value) > 0.0) || !std::isfinite(std::abs(value)))
                throw Failure(
                    "The stabilizer in Siatka_PSS gives no signal at some frequency of the swing's band "
                    "(a gain of 0 in its data?): there is nothing to compensate");
        for (bool inverted : {false, true}) {
            for (const Compensation& fit : rankCompensations(band, net, p.pss2a, inverted, kCandidates)) {
                const Candidate c = tried(fit, band, net, recordWith, initial);
                if (chosen && !(c.after.swing.found && c.after.largestRealPart <= 0.0 &&
                                c.after.swing.dampingRatio > p.withProposed.dampingRatio))
                    continue;
                chosen = true;
                p.proposed = c.setting;
                p.instabilityFound = c.gain.unstable > 0.0;
                p.instabilityGain = p.instabilityFound ? c.gain.unstable : c.gain.stable;
                p.withProposed = c.after.swing;
                p.largestRealPart = c.after.largestRealPart;
            }
        }
        centre = p.withProposed.frequencyHz;
    }
    return p;
}

}  // namespace tgsim
