#pragma once
// The exponential of a small square matrix by scaling and squaring of its Taylor series.
// Used once per run to discretise the stabilizer's filters, so accuracy matters, speed does not.
#include <array>
#include <cstddef>

namespace tgsim {

inline constexpr std::size_t kMaxExponentialSize = 10;
// A square matrix of n rows of n, stored in the top-left corner of a fixed array.
using SquareMatrix = std::array<std::array<double, kMaxExponentialSize>, kMaxExponentialSize>;

// e^M for the n x n matrix M (n <= kMaxExponentialSize); entries outside n x n are 0.
SquareMatrix matrixExponential(const SquareMatrix& m, std::size_t n);

}  // namespace tgsim
