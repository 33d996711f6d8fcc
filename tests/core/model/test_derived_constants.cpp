// Circuit constants of both rotor models, the inverse inductance matrices, the stabilizer
// polynomials and companion matrices, and the rated operating point.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/failure.h"
#include "core/model/derived_constants.h"
#include "data/load_parameters.h"
#include "startup_grids.h"

namespace tgsim {
namespace {

using testing::StartupInputs;

template <std::size_t N>
void expectIdentity(const std::array<double, N * N>& inverse, const std::array<double, N * N>& m, const char* what) {
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = 0; j < N; ++j) {
            double sum = 0;
            for (std::size_t k = 0; k < N; ++k) sum += inverse[i * N + k] * m[k * N + j];
            EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-12) << what << " " << i << "," << j;
        }
}

TEST(DerivedConstants, EveryReadableSetGivesFiniteConstantsAndTrueInverses) {
    for (const char* model : {"Klasyc", "Canaya"}) {
        for (int set : {1, 2, 3, 4, 6}) {
            StartupInputs in(set, model);
            LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
            const TParametry& r = in.record;
            for (double v :
                 {r.Rf, r.RD, r.RQ1,  r.RQ2,  r.Lsf, r.LsD, r.Lc,  r.Lad,    r.Laq,           r.Ls,
                  r.Ld, r.Lq, r.LsQ1, r.LsQ2, r.Ltr, r.fin, r.Efn, r.deltaN, r.nominalTorque, r.baseImpedance})
                EXPECT_TRUE(std::isfinite(v)) << model << " set " << set;
            const double fd = r.Lad + r.Lc;
            const std::string what = std::string(model) + " set " + std::to_string(set);
            expectIdentity<2>(r.invLfD, {r.Lsf + r.Lad + r.Lc, fd, fd, r.LsD + r.Lad + r.Lc}, what.c_str());
            expectIdentity<2>(r.invLQ, {r.LsQ1 + r.Laq, r.Laq, r.Laq, r.LsQ2 + r.Laq}, what.c_str());
            expectIdentity<3>(r.invLd3, {r.Ls + r.Lad, r.Lad, r.Lad, r.Lad, r.Lsf + fd, fd, r.Lad, fd, r.LsD + fd},
                              what.c_str());
            expectIdentity<3>(r.invLq3,
                              {r.Ls + r.Laq, r.Laq, r.Laq, r.Laq, r.LsQ1 + r.Laq, r.Laq, r.Laq, r.Laq, r.LsQ2 + r.Laq},
                              what.c_str());
        }
    }
}

TEST(DerivedConstants, ClassicalModelOfSetOne) {
    StartupInputs in;
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    const TParametry& r = in.record;
    const double Lb = r.baseImpedance / r.omegan;
    EXPECT_DOUBLE_EQ(r.Lsf, (2.48 - 0.139) * Lb * (0.27 - 0.139) / (2.48 - 0.27));
    EXPECT_DOUBLE_EQ(r.Rf, (2.48 - 0.139) * (2.48 - 0.139) * r.baseImpedance / 7 / r.omegan / (2.48 - 0.27));
    EXPECT_EQ(r.Lc, 0.0);
    EXPECT_DOUBLE_EQ(r.Ltr, 0.15 * Lb);
    EXPECT_DOUBLE_EQ(r.Ld, (2.48 - 0.139) * Lb + (0.139 + 0.15) * Lb);
    // Lc = 0: the d-axis rotor matrix is [[Lsf + Lad, Lad], [Lad, LsD + Lad]].
    expectIdentity<2>(r.invLfD, {r.Lsf + r.Lad, r.Lad, r.Lad, r.LsD + r.Lad}, "classical");
}

TEST(DerivedConstants, CanayWithXcEqualToXsHasNoCharacteristicInductance) {
    StartupInputs in(1, "Canaya");
    in.grids.siatka.setCell(18, 1, "0,139");
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    EXPECT_EQ(in.record.Lc, 0.0);
    StartupInputs classical;
    LoadParameters(classical.grids, classical.stabilizerOn, classical.record, classical.initialState);
    EXPECT_DOUBLE_EQ(in.record.Lsf, classical.record.Lsf);  // gamma = 1
    EXPECT_DOUBLE_EQ(in.record.RQ1, classical.record.RQ1);
}

TEST(DerivedConstants, RatedPointAtUnityPowerFactor) {
    TParametry r;
    r.cosfin = 1.0;
    r.Xd = 2.0;
    r.Xq = 1.5;
    computeRatedPoint(r);
    EXPECT_EQ(r.fin, 0.0);
    EXPECT_DOUBLE_EQ(r.Efn, (1.0 + 2.0 * 1.5) / std::sqrt(1.0 + 1.5 * 1.5));
    EXPECT_DOUBLE_EQ(r.deltaN, std::asin(2.0 / r.Efn));
    r.Xd = 1.5;  // round rotor
    computeRatedPoint(r);
    EXPECT_DOUBLE_EQ(r.Efn, std::sqrt(1.0 + 1.5 * 1.5));
}

TEST(DerivedConstants, CosfinAboveOneIsAnInvalidOperation) {
    TParametry r;
    r.cosfin = 1.1;
    r.fin = 7.0;
    try {
        computeRatedPoint(r);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()), "Invalid floating point operation");
    }
    EXPECT_EQ(r.fin, 7.0);
}

void setAllPss2aTimeConstants(TParametry& r, double T) {
    for (double* f : {&r.T1, &r.T2, &r.T3, &r.T4, &r.T5, &r.T6, &r.T7, &r.T8, &r.T9, &r.Tw1, &r.Tw2, &r.Tw3, &r.Tw4})
        *f = T;
}

TEST(DerivedConstants, Pss2aWithAllTimeConstantsOneGivesTheBinomialRow) {
    TParametry r;
    setAllPss2aTimeConstants(r, 1.0);
    computeSingleInputCoefficients(r, 2.0);  // a 4x4 stabilizer before, as after a single-input run
    computePss2aCoefficients(r);
    EXPECT_EQ(r.pssDen1[9], 1.0);
    EXPECT_EQ(r.pssDen1[1], 9.0);
    const double binomial[9] = {1, 9, 36, 84, 126, 126, 84, 36, 9};
    ASSERT_EQ(r.pssA1.n, 9);
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j) {
            const double expected = i == 8 ? -binomial[j] : (j == i + 1 ? 1.0 : 0.0);
            EXPECT_EQ(r.pssA1.a[i][j], expected) << i << "," << j;
            EXPECT_EQ(r.pssA2.a[i][j], expected) << i << "," << j;
        }
    // Numerators: s^2 (1+s)^4 for the speed path and s^2 (1+s)^6 for the bypass.
    const double four[5] = {1, 4, 6, 4, 1};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(r.pssNum1[k], four[k]);
    const double six[7] = {1, 6, 15, 20, 15, 6, 1};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(r.pssNum3[k], six[k]);
}

TEST(DerivedConstants, Pss2aPolynomialsOfSetDO) {
    TParametry r;
    r.T1 = r.T3 = 0.05;
    r.T2 = r.T4 = 0.02;
    r.T6 = r.T7 = 0.005;
    r.T8 = 0.3;
    r.T9 = 0.1;
    r.Tw1 = r.Tw2 = r.Tw3 = r.Tw4 = 15;
    computePss2aCoefficients(r);
    EXPECT_DOUBLE_EQ(r.pssDen1[1], 0.02 + 0.02 + 0.005 + 4 * 0.1 + 15 + 15);
    EXPECT_DOUBLE_EQ(r.pssDen1[9], 0.02 * 0.02 * 0.005 * 1e-4 * 225);
    EXPECT_DOUBLE_EQ(r.pssNum1[0], 225.0);
    EXPECT_DOUBLE_EQ(r.pssNum1[4], 225.0 * 0.05 * 0.05 * 0.09);
    EXPECT_DOUBLE_EQ(r.pssNum3[6], 225.0 * 0.05 * 0.05 * 1e-4);
}

TEST(DerivedConstants, ZeroLeadingStabilizerCoefficientIsADivisionByZero) {
    TParametry r;
    setAllPss2aTimeConstants(r, 1.0);
    r.T9 = 0.0;
    try {
        computePss2aCoefficients(r);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()), "Floating point division by zero");
    }
}

TEST(DerivedConstants, SingleInputStabilizer) {
    TParametry r;
    r.T1 = 2.0;
    r.T2 = 0.4;
    r.T3 = 1.0;
    r.T4 = 0.1;
    r.T5 = 0.05;
    computeSingleInputCoefficients(r, 2.0);
    EXPECT_DOUBLE_EQ(r.pssDen1[1], 2.0 + 2.0 + 1.0 + 0.05);
    EXPECT_DOUBLE_EQ(r.pssDen1[2], 2 * 2 + 2 * 1 + 2 * 0.05 + 2 * 1 + 2 * 0.05 + 1 * 0.05);
    EXPECT_DOUBLE_EQ(r.pssDen1[4], 0.2);
    EXPECT_DOUBLE_EQ(r.pssNum1[1], 4.0 * 0.5);
    EXPECT_DOUBLE_EQ(r.pssNum1[2], 4.0 * 0.04);
    EXPECT_EQ(r.pssA2.n, 4);
    EXPECT_DOUBLE_EQ(r.pssA2.a[3][2], -4.0 / 0.16);
    EXPECT_DOUBLE_EQ(r.pssA2.a[3][3], -2.0 / 0.16);
    EXPECT_EQ(r.pssA2.a[3][0], 0.0);
    EXPECT_EQ(r.pssA2.a[0][1], 1.0);
    EXPECT_DOUBLE_EQ(r.pssA1.a[3][3], -r.pssDen1[3] / 0.2);
}

}  // namespace
}  // namespace tgsim
