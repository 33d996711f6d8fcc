#include "pss2a_conversion.h"

#include <cmath>

#include "base/csv_number.h"

namespace tgsim::psse {
namespace {

// A number of the file as messages show it: whole numbers (codes, exponents) without a point.
std::string shown(double value) {
    if (std::floor(value) == value && std::fabs(value) < 1e15) return std::to_string(static_cast<long long>(value));
    return csvNumber(value);
}

bool whole(double value) { return std::floor(value) == value && value >= 1.0 && value <= 8.0; }

// The file's filter F = (1 + s T8)^N / (1 + s T9)^(M N) in one of the program's forms:
// (1 + s T8)^2/(1 + s T9)^4 itself, 1/(1 + s T9)^4 (its T8 = 0) or 1/(1 + s T9)^2 (its T8 = T9).
std::variant<std::pair<double, double>, std::string> rampFilter(const Pss2aRecord& r) {
    if (!whole(r.M) || !whole(r.N))
        return "its ramp-tracking filter has M = " + shown(r.M) + ", N = " + shown(r.N) +
               "; expected whole numbers from 1 to 8";
    int lead = static_cast<int>(r.N), lag = static_cast<int>(r.M * r.N);
    if (r.T8 == 0.0) {
        lead = 0;
    } else if (r.T8 == r.T9) {  // the lead cancels as many lags
        lag -= lead;
        lead = 0;
    }
    if (lead == 2 && lag == 4) return std::pair(r.T8, r.T9);
    if (lead == 0 && lag == 4) return std::pair(0.0, r.T9);
    if (lead == 0 && lag == 2) return std::pair(r.T9, r.T9);
    return "its ramp-tracking filter [(1 + s T8)/(1 + s T9)^M]^N with M = " + shown(r.M) + ", N = " + shown(r.N) +
           ", T8 = " + shown(r.T8) + ", T9 = " + shown(r.T9) + " is (1 + s T8)^" + std::to_string(lead) +
           "/(1 + s T9)^" + std::to_string(lag) +
           ", which this stabilizer's filter (1 + s T8)^2/(1 + s T9)^4 cannot take (it can take (1 + s T8)^2/"
           "(1 + s T9)^4, 1/(1 + s T9)^4 and 1/(1 + s T9)^2)";
}

struct Named {
    const char* name;
    double value;
};

}  // namespace

Pss2aRecord Pss2aRecord::fromNumbers(const std::vector<double>& n) {
    Pss2aRecord r;
    double* fields[] = {&r.ICS1, &r.REMBUS1, &r.ICS2, &r.REMBUS2, &r.M,   &r.N,      &r.Tw1,   &r.Tw2,
                        &r.T6,   &r.Tw3,     &r.Tw4,  &r.T7,      &r.Ks2, &r.Ks3,    &r.T8,    &r.T9,
                        &r.Ks1,  &r.T1,      &r.T2,   &r.T3,      &r.T4,  &r.VSTMAX, &r.VSTMIN};
    for (std::size_t k = 0; k < std::size(fields) && k < n.size(); ++k) *fields[k] = n[k];
    return r;
}

std::vector<double> Pss2aRecord::numbers() const {
    return {ICS1, REMBUS1, ICS2, REMBUS2, M,   N,  Tw1, Tw2, T6, Tw3,    Tw4,   T7,
            Ks2,  Ks3,     T8,   T9,      Ks1, T1, T2,  T3,  T4, VSTMAX, VSTMIN};
}

std::variant<Pss2aShape, std::string> pss2aFromRecord(const Pss2aRecord& r, double cosfin) {
    if (r.ICS1 != 1.0)
        return "its first input is ICS1 = " + shown(r.ICS1) +
               "; this stabilizer's is the rotor speed deviation (ICS1 = 1)";
    if (r.ICS2 != 3.0)
        return "its second input is ICS2 = " + shown(r.ICS2) +
               "; this stabilizer's is the generator's electrical power (ICS2 = 3)";
    const Named lags[] = {{"T2", r.T2},   {"T4", r.T4},   {"T6", r.T6},   {"T7", r.T7},  {"T9", r.T9},
                          {"Tw1", r.Tw1}, {"Tw2", r.Tw2}, {"Tw3", r.Tw3}, {"Tw4", r.Tw4}};
    for (const Named& lag : lags)
        if (!(lag.value > 0.0))
            return std::string(lag.name) + " = " + shown(lag.value) +
                   (lag.value == 0.0 ? " bypasses its block in the file" : " is negative") +
                   "; this stabilizer has no bypass: its lags and washouts (T2, T4, T6, T7, T9, Tw1 to Tw4) "
                   "must be above zero";
    const Named leads[] = {{"T1", r.T1}, {"T3", r.T3}, {"T8", r.T8}};
    for (const Named& lead : leads)
        if (lead.value < 0.0) return std::string(lead.name) + " = " + shown(lead.value) + " is negative";
    const auto filter = rampFilter(r);
    if (const auto* reason = std::get_if<std::string>(&filter)) return *reason;
    const auto [T8, T9] = std::get<std::pair<double, double>>(filter);
    Pss2aShape shape{r.T1, r.T2, r.T3, r.T4, r.T6, r.T7, T8, T9, r.Tw1, r.Tw2, r.Tw3, r.Tw4, 0.0, r.Ks3};
    shape.ks2 = -r.Ks2 * cosfin;
    return shape;
}

Pss2aRecord pss2aToRecord(const Pss2aShape& s, double cosfin, double ks1, double kw) {
    Pss2aRecord r;
    r.Tw1 = s.Tw1, r.Tw2 = s.Tw2, r.T6 = s.T6, r.Tw3 = s.Tw3, r.Tw4 = s.Tw4, r.T7 = s.T7;
    r.Ks2 = -s.ks2 / cosfin;
    r.Ks3 = s.ks3;
    r.T8 = s.T8, r.T9 = s.T9;
    r.Ks1 = -kw * ks1;
    r.T1 = s.T1, r.T2 = s.T2, r.T3 = s.T3, r.T4 = s.T4;
    r.VSTMAX = 99.0, r.VSTMIN = -99.0;
    return r;
}

}  // namespace tgsim::psse
