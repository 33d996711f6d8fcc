#pragma once
// Ascending-power polynomial expansion of products of first-order factors (1 + s*T).
#include <array>
#include <cstddef>
#include <initializer_list>

namespace tgsim {

// Coefficients of s^0.. of the product of (1 + s*T) over the given time constants, multiplied
// in the order given. N must exceed the number of factors.
template <std::size_t N>
std::array<double, N> expandFactors(std::initializer_list<double> timeConstants) {
    std::array<double, N> c{};
    c[0] = 1.0;
    std::size_t degree = 0;
    for (double T : timeConstants) {
        ++degree;
        for (std::size_t k = degree; k > 0; --k) c[k] = c[k] + T * c[k - 1];
    }
    return c;
}

}  // namespace tgsim
