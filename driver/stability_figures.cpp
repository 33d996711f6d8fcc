#include "stability_figures.h"

#include <charconv>

#include "base/csv_number.h"

namespace tgsim {
namespace {

// Two decimals with a decimal comma, whatever the process's locale.
std::string twoDecimals(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

}  // namespace

std::string participationText(const Mode& mode) {
    std::string text;
    for (const Participation& p : mode.participation) {
        if (p.state.empty()) continue;
        if (!text.empty()) text += "; ";
        text += p.state + ' ' + twoDecimals(p.factor);
    }
    return text;
}

void writeModesCsv(const ModalResult& modes, std::ostream& out) {
    out << "real,imag,frequency_hz,damping_ratio,time_constant_s,participation,electromechanical\n";
    for (std::size_t i = 0; i < modes.modes.size(); ++i) {
        const Mode& m = modes.modes[i];
        const bool electromechanical = static_cast<int>(i) == modes.electromechanical;
        out << csvNumber(m.real) << ',' << csvNumber(m.imag) << ',' << csvNumber(m.frequencyHz) << ','
            << csvNumber(m.dampingRatio) << ',' << (m.timeConstant != 0.0 ? csvNumber(m.timeConstant) : "") << ",\""
            << participationText(m) << "\"," << (electromechanical ? "yes" : "no") << '\n';
    }
}

void writeRingdownCsv(std::span<const RingdownRow> rows, std::ostream& out) {
    out << "quantity,from_s,to_s,frequency_hz,damping_ratio,amplitude,fit_quality,oscillation\n";
    for (const RingdownRow& row : rows) {
        const RingdownResult& r = row.figures;
        out << row.quantity << ',' << csvNumber(r.from) << ',' << csvNumber(r.to) << ',';
        if (r.oscillation)
            out << csvNumber(r.frequencyHz) << ',' << csvNumber(r.dampingRatio) << ',' << csvNumber(r.amplitude) << ','
                << csvNumber(r.fitQuality) << ",yes\n";
        else
            out << ",,,,no\n";
    }
}

}  // namespace tgsim
