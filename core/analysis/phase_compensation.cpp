#include "phase_compensation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tgsim {
namespace {

constexpr double kStepsPerDecade = 12.0;
// Weight of the frequencies far from the swing against the swing's own.
constexpr double kFarWeight = 0.1;
// Weight of the pull towards kTargetPhase inside the band, against the distance outside it.
constexpr double kTieBreak = 0.01;

double degreesOf(double radians) { return radians * 180.0 / std::numbers::pi; }

double distanceFromTarget(double phase) {
    if (phase > kTargetPhaseTo) return phase - kTargetPhaseTo;
    if (phase < kTargetPhaseFrom) return kTargetPhaseFrom - phase;
    return 0.0;
}

struct StageTable {
    CompensationStage stage;
    std::vector<double> phase;  // at the band's frequencies, degrees
    std::vector<double> gain;   // |1 + j w lead| / |1 + j w lag|
};

std::vector<StageTable> stageTables(const PhaseBand& band, bool leads) {
    const std::vector<double> ladder = timeConstantLadder();
    std::vector<double> leadValues = leads ? ladder : std::vector<double>{0.0};
    std::vector<StageTable> tables;
    for (double lead : leadValues) {
        for (double lag : ladder) {
            if (leads && (lead > kLargestStageRatio * lag || lag > kLargestStageRatio * lead)) continue;
            StageTable t{{lead, lag}, {}, {}};
            for (double f : band.frequenciesHz) {
                const double omega = 2.0 * std::numbers::pi * f;
                t.phase.push_back(stagesPhase({t.stage, {0.0, 0.0}}, f));
                t.gain.push_back(std::hypot(1.0, omega * lead) / std::hypot(1.0, omega * lag));
            }
            tables.push_back(std::move(t));
        }
    }
    return tables;
}

}  // namespace

double roundedToTwoDigits(double value) {
    if (value == 0.0 || !std::isfinite(value)) return value;
    // digits / 10^k with 10^k exact: the double nearest to the two-digit decimal, as a cell reads it.
    const int k = 1 - static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const double power = std::pow(10.0, std::abs(k));
    return k >= 0 ? std::round(value * power) / power : std::round(value / power) * power;
}

double wrappedDegrees(double degrees) {
    double w = std::fmod(degrees, 360.0);
    if (w > 180.0) w -= 360.0;
    if (w <= -180.0) w += 360.0;
    return w;
}

std::vector<double> timeConstantLadder() {
    std::vector<double> ladder;
    const int first = static_cast<int>(std::floor(kStepsPerDecade * std::log10(kShortestTimeConstant)));
    const int last = static_cast<int>(std::ceil(kStepsPerDecade * std::log10(kLongestTimeConstant)));
    for (int k = first; k <= last; ++k) {
        const double value = roundedToTwoDigits(std::pow(10.0, k / kStepsPerDecade));
        if (value >= kShortestTimeConstant && value <= kLongestTimeConstant) ladder.push_back(value);
    }
    return ladder;
}

double stagesPhase(const std::array<CompensationStage, 2>& stages, double frequencyHz) {
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    double phase = 0.0;
    for (const CompensationStage& s : stages) phase += std::atan(omega * s.lead) - std::atan(omega * s.lag);
    return degreesOf(phase);
}

PhaseBand phaseBand(double swingFrequencyHz) {
    constexpr int kPoints = 24;
    PhaseBand band;
    for (int i = 0; i < kPoints; ++i)
        band.frequenciesHz.push_back(kBandFromHz *
                                     std::pow(kBandToHz / kBandFromHz, static_cast<double>(i) / (kPoints - 1)));
    if (swingFrequencyHz > kBandFromHz && swingFrequencyHz < kBandToHz) band.frequenciesHz.push_back(swingFrequencyHz);
    for (double f : band.frequenciesHz) {
        const double octaves = swingFrequencyHz > 0.0 ? std::log2(f / swingFrequencyHz) : 0.0;
        band.weights.push_back(kFarWeight + std::exp(-4.0 * octaves * octaves));
    }
    return band;
}

std::vector<Compensation> rankCompensations(const PhaseBand& band, const std::vector<std::complex<double>>& baseNet,
                                            bool leads, bool inverted, std::size_t count) {
    const std::vector<StageTable> tables = stageTables(band, leads);
    const std::size_t n = band.frequenciesHz.size();
    const std::size_t swing =
        static_cast<std::size_t>(std::max_element(band.weights.begin(), band.weights.end()) - band.weights.begin());
    std::vector<double> basePhase, baseSize;
    for (const std::complex<double>& net : baseNet) {
        basePhase.push_back(degreesOf(std::arg(net)) + (inverted ? 180.0 : 0.0));
        baseSize.push_back(std::abs(net) / std::abs(baseNet[swing]));
    }
    std::vector<Compensation> ranked;  // best first
    const auto worst = [&] { return ranked.size() < count ? INFINITY : ranked.back().cost; };
    const auto byCost = [](const Compensation& x, const Compensation& y) { return x.cost < y.cost; };
    for (std::size_t a = 0; a < tables.size(); ++a) {
        for (std::size_t b = a; b < tables.size(); ++b) {
            const StageTable &A = tables[a], &B = tables[b];
            const double sizeAtSwing = A.gain[swing] * B.gain[swing];
            double cost = 0.0;
            for (std::size_t i = 0; i < n && cost < worst(); ++i) {
                const double phase = wrappedDegrees(basePhase[i] + A.phase[i] + B.phase[i]);
                const double size = baseSize[i] * A.gain[i] * B.gain[i] / sizeAtSwing;
                const double outside = distanceFromTarget(phase), off = phase - kTargetPhase;
                cost += band.weights[i] * size * (outside * outside + kTieBreak * off * off);
            }
            if (!(cost < worst())) continue;
            const Compensation c{{A.stage, B.stage}, inverted, cost};
            ranked.insert(std::upper_bound(ranked.begin(), ranked.end(), c, byCost), c);
            if (ranked.size() > count) ranked.pop_back();
        }
    }
    return ranked;
}

}  // namespace tgsim
