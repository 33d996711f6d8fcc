#pragma once
// The choice of a stabilizer's two compensation stages by the phase of its electrical torque
// against speed: over a band of frequencies, the stages (and the sign of the gain) that bring
// the net phase closest to a small lag, the swing frequency weighted most.
//
// Time constants are taken from a ladder of twelve values a decade, rounded to two significant
// digits as users type them (0,022 0,026 0,032 ... 1,5 1,8), from kShortestTimeConstant to
// kLongestTimeConstant; a lead-lag stage keeps its two time constants within a factor
// kLargestStageRatio of each other (no stage turns the phase by more than about 55 degrees).
#include <array>
#include <complex>
#include <vector>

namespace tgsim {

inline constexpr double kShortestTimeConstant = 0.02;  // s
inline constexpr double kLongestTimeConstant = 2.0;    // s
inline constexpr double kLargestStageRatio = 10.0;
// The net phase aimed at: a small lag, within this band (degrees), and the band of frequencies.
inline constexpr double kTargetPhaseFrom = -20.0, kTargetPhaseTo = 0.0;
inline constexpr double kTargetPhase = -10.0;  // within the band, where ties are broken
inline constexpr double kBandFromHz = 0.2, kBandToHz = 3.0;

// (1 + s lead)/(1 + s lag); lead 0 for a plain lag.
struct CompensationStage {
    double lead = 0;
    double lag = 0;
};

struct Compensation {
    std::array<CompensationStage, 2> stages{};
    bool inverted = false;  // the gain's sign turned
    double cost = 0;        // the weighted squared distance from the target band, degrees^2
};

// The phase (degrees) both stages add at f.
double stagesPhase(const std::array<CompensationStage, 2>& stages, double frequencyHz);

// The frequencies the fit weighs (the band, log-spaced, and the swing frequency when in it) and
// their weights: largest at the swing frequency, falling off by half an octave either side.
struct PhaseBand {
    std::vector<double> frequenciesHz, weights;
};
PhaseBand phaseBand(double swingFrequencyHz);

// The stages that, with the gain's sign turned or not, put the net phase closest to the target
// band over `band`, best first (at most `count`): `baseNet` is the net response without any stage
// at the band's frequencies.
// A frequency's phase error counts with its weight times the size of the compensated net response
// there against its size at the swing frequency (the band's point of largest weight): where the
// stabilizer's torque is small its phase matters little. With `leads` each stage is a lead-lag
// stage, otherwise a plain lag (lead 0).
std::vector<Compensation> rankCompensations(const PhaseBand& band, const std::vector<std::complex<double>>& baseNet,
                                            bool leads, bool inverted, std::size_t count);

// The ladder of time constants the fit chooses from.
std::vector<double> timeConstantLadder();

// The two-digit decimal nearest to `value`, as the double a cell holding it reads as.
double roundedToTwoDigits(double value);

// The phase wrapped into (-180, 180].
double wrappedDegrees(double degrees);

}  // namespace tgsim
