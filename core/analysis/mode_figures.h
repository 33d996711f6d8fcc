#pragma once
// The figures of one mode e^(s t), shared by the modal analysis and the ringdown fit.
#include <cmath>
#include <complex>
#include <numbers>

namespace tgsim {

// A pair of modes damped more than this is no oscillation but a multiple real mode that rounding
// has split into a pair (a repeated pole of the stabilizer's filters is split so by differencing).
inline constexpr double kMostOscillationDamping = 0.9999;

struct ModeFigures {
    double frequencyHz = 0;   // |imag| / 2 pi
    double dampingRatio = 0;  // -real / |s|; 0 for s = 0
};

inline ModeFigures modeFigures(std::complex<double> s) {
    const double size = std::abs(s);
    return {std::fabs(s.imag()) / (2.0 * std::numbers::pi), size > 0.0 ? -s.real() / size : 0.0};
}

// Whether s is an oscillation: off the real axis and damped less than kMostOscillationDamping.
inline bool isOscillation(std::complex<double> s) {
    return s.imag() != 0.0 && modeFigures(s).dampingRatio < kMostOscillationDamping;
}

}  // namespace tgsim
