#pragma once
// Small matrix routines of the numeric unit. Matrices are stored row by row in fixed arrays and
// passed by value, so a result may be written over its argument.
#include <array>

namespace tgsim {

using Matrix2 = std::array<double, 4>;
using Matrix3 = std::array<double, 9>;

// Inverse of a 2x2 matrix: [[m11, -m10], [-m01, m00]] / (m00*m11 - m01*m10). Every matrix the
// system inverts is symmetric, where this equals the ordinary inverse.
Matrix2 Inverse2(Matrix2 m);

// Ordinary inverse of a 3x3 matrix: adjugate divided by determinant, no pivoting.
Matrix3 Inverse3(Matrix3 m);

// r[i] = sum over j of M[i][j]*v[j], for a 3x3 matrix stored row by row.
inline std::array<double, 3> multiplyMatrix3(const Matrix3& m, const std::array<double, 3>& v) {
    return {m[0] * v[0] + m[1] * v[1] + m[2] * v[2], m[3] * v[0] + m[4] * v[1] + m[5] * v[2],
            m[6] * v[0] + m[7] * v[1] + m[8] * v[2]};
}

}  // namespace tgsim
