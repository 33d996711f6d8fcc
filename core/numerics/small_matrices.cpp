#include "small_matrices.h"

namespace tgsim {

Matrix2 Inverse2(Matrix2 m) {
    const double det = m[0] * m[3] - m[1] * m[2];
    return {m[3] / det, -m[2] / det, -m[1] / det, m[0] / det};
}

Matrix3 Inverse3(Matrix3 m) {
    const double a = m[0], b = m[1], c = m[2];
    const double d = m[3], e = m[4], f = m[5];
    const double g = m[6], h = m[7], i = m[8];
    const double c00 = e * i - f * h;
    const double c01 = f * g - d * i;
    const double c02 = d * h - e * g;
    const double det = a * c00 + b * c01 + c * c02;
    return {c00 / det, (c * h - b * i) / det, (b * f - c * e) / det,
            c01 / det, (a * i - c * g) / det, (c * d - a * f) / det,
            c02 / det, (b * g - a * h) / det, (a * e - b * d) / det};
}

}  // namespace tgsim
