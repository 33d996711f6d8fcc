#include "chart_quantities.h"

#include <cmath>
#include <numbers>

namespace tgsim {

const std::array<ChartQuantity, kSeriesCount> kChartQuantities = {{
    {"czas", "t"}, {"Id", "Id"},   {"Iw", "Iw"}, {"iD1", "iD1"}, {"Iq", "Iq"}, {"iQ1", "iQ1"},
    {"iQ2", "iQ2"}, {"w", "w"},    {"delta", "delta"}, {"alfa", "alfa"}, {"beta", "beta"},
    {"Ud", "Ud"},  {"Uq", "Uq"},   {"Uw", "Uw"}, {"Ig", "Ig"}, {"Ug", "Ug"}, {"P", "P"}, {"Q", "Q"},
}};

double chartValue(int k, std::span<const double, kStateSize> r, const TParametry& p) {
    constexpr double sqrt3 = std::numbers::sqrt3;
    switch (k) {
        case 1: return -r[1] / p.Ign;
        case 2: return r[2] * p.ksi / p.Iwn;
        case 3: return r[3] * p.ksi / p.Iwn;
        case 4: return -r[4] / p.Ign;
        case 5: return r[5] * p.ksi / p.Iwn;
        case 6: return r[6] * p.ksi / p.Iwn;
        case 7: return r[7] / p.omegan;
        case 8: return -r[8];
        case 9: return r[9];
        case 10: return r[10];
        case 11: return r[11] / p.Un;
        case 12: return r[12] / p.Un;
        case 13: return p.kF * std::cos(r[10]) * r[7] / p.omegan;
        case 14: return std::sqrt(r[1] * r[1] + r[4] * r[4]) / p.Ign / sqrt3;
        case 15: return std::sqrt(r[11] * r[11] + r[12] * r[12]) / p.Un;
        case 16: return (-r[1] * r[11] - r[4] * r[12]) / p.Sn / p.cosfin;
        // Reactive power delivered at the network side of the transformer, positive when the
        // generator is over-excited (stator currents count positive into the machine).
        case 17: return (r[4] * r[11] - r[1] * r[12]) / p.Sn;
        default: return 0.0;
    }
}

}  // namespace tgsim
