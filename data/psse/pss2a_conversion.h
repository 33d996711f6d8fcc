#pragma once
// The PSS2A of the dynamic data files and the program's PSS2A: the same two paths (speed and
// electrical power, each through two washouts and a lag, the ramp-tracking filter, two lead-lag
// stages), with three differences that the conversion takes exactly or refuses:
// - the ramp-tracking filter [(1 + s T8)/(1 + s T9)^M]^N of any M, N against the program's
//   (1 + s T8)^2/(1 + s T9)^4: taken where the file's filter reduces to one of the program's forms;
// - the power path: the file's is subtracted after the filter and weighted by Ks2 on the
//   machine base MBASE; the program adds it, on Sn cos(phi_n), so ks2 = -Ks2 cos(phi_n);
// - the output: the file's enters a voltage reference, the program's the exciter's firing angle,
//   so the gain Ks1 does not carry over (the grid's ks1 and kw stay).
// A zero lag or washout (a block the file bypasses) has no counterpart: the program's filters
// need every lag above zero.
#include <string>
#include <variant>
#include <vector>

namespace tgsim::psse {

// The 23 numbers of a PSS2A record, in the file's order.
struct Pss2aRecord {
    double ICS1 = 1, REMBUS1 = 0, ICS2 = 3, REMBUS2 = 0, M = 2, N = 2;
    double Tw1 = 0, Tw2 = 0, T6 = 0, Tw3 = 0, Tw4 = 0, T7 = 0, Ks2 = 0, Ks3 = 0, T8 = 0, T9 = 0, Ks1 = 0;
    double T1 = 0, T2 = 0, T3 = 0, T4 = 0, VSTMAX = 0, VSTMIN = 0;

    static Pss2aRecord fromNumbers(const std::vector<double>& numbers);
    std::vector<double> numbers() const;
};

// The values of the program's PSS2A grid that the file's stabilizer fixes (T5, ks1 and kw are
// the grid's own).
struct Pss2aShape {
    double T1 = 0, T2 = 0, T3 = 0, T4 = 0, T6 = 0, T7 = 0, T8 = 0, T9 = 0;
    double Tw1 = 0, Tw2 = 0, Tw3 = 0, Tw4 = 0, ks2 = 0, ks3 = 0;
};

// The file's stabilizer as the program's, or why it cannot be taken exactly (one sentence).
std::variant<Pss2aShape, std::string> pss2aFromRecord(const Pss2aRecord& record, double cosfin);

// The program's stabilizer as a record: M = N = 2, inputs speed (ICS1 = 1) and electrical power
// (ICS2 = 3), Ks1 = -kw ks1 (the same sense of action on the excitation; its scale differs),
// output limits +-99 (the program's output is unlimited).
Pss2aRecord pss2aToRecord(const Pss2aShape& shape, double cosfin, double ks1, double kw);

}  // namespace tgsim::psse
