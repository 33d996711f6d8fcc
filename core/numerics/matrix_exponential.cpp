#include "matrix_exponential.h"

#include <cmath>

namespace tgsim {
namespace {

SquareMatrix multiply(const SquareMatrix& a, const SquareMatrix& b, std::size_t n) {
    SquareMatrix c{};
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = 0; k < n; ++k)
            for (std::size_t j = 0; j < n; ++j) c[i][j] += a[i][k] * b[k][j];
    return c;
}

double oneNorm(const SquareMatrix& m, std::size_t n) {
    double largest = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        double column = 0.0;
        for (std::size_t i = 0; i < n; ++i) column += std::fabs(m[i][j]);
        largest = std::fmax(largest, column);
    }
    return largest;
}

}  // namespace

SquareMatrix matrixExponential(const SquareMatrix& m, std::size_t n) {
    // Scale until the norm is at most 1/2, where 30 Taylor terms leave an error far below the
    // rounding of the result; then square back.
    int squarings = 0;
    double scale = 1.0;
    const double norm = oneNorm(m, n);
    while (norm * scale > 0.5 && squarings < 1000) {
        scale *= 0.5;
        ++squarings;
    }
    SquareMatrix scaled{};
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) scaled[i][j] = m[i][j] * scale;

    SquareMatrix sum{}, term{};
    for (std::size_t i = 0; i < n; ++i) sum[i][i] = term[i][i] = 1.0;
    for (int k = 1; k <= 30; ++k) {
        term = multiply(term, scaled, n);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j) {
                term[i][j] /= k;
                sum[i][j] += term[i][j];
            }
    }
    for (int s = 0; s < squarings; ++s) sum = multiply(sum, sum, n);
    return sum;
}

}  // namespace tgsim
