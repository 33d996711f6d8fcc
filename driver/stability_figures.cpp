#include "stability_figures.h"

#include <charconv>
#include <utility>

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

template <class Name>
std::string participations(const Mode& mode, Name name) {
    std::string text;
    for (const Participation& p : mode.participation) {
        if (p.state.empty()) continue;
        if (!text.empty()) text += "; ";
        text += name(p.state) + ' ' + twoDecimals(p.factor);
    }
    return text;
}

// The stabilizer's memory by the prefix of its elements' names ("power path 5") and what the
// window calls it; the element's number follows in parentheses, apart from the factor after it.
struct StabilizerElement {
    std::string_view prefix;
    std::string_view caption;
};
constexpr StabilizerElement kStabilizerElements[] = {
    {"speed path ", "PSS tor w"},
    {"power path ", "PSS tor P"},
    {"speed sample ", "PSS próbka w"},
    {"power sample ", "PSS próbka P"},
    {"first filter ", "PSS filtr 1"},
    {"second filter ", "PSS filtr 2"},
    {"previous output", "PSS poprzednie wyjście"},
    {"stabilizer signal", "PSS sygnał"},
};

// The stored values without a chart caption of their own, by their `war_pocz` header or in words.
constexpr std::pair<std::string_view, std::string_view> kStoredValues[] = {
    {"Ug", "Ug regulatora"},
    {"dUg", "dUg regulatora"},
    {"errorIntegral", "całka uchybu regulatora"},
    {"regulatorOutput", "A (wyjście regulatora)"},
};

}  // namespace

std::string elementCaption(std::string_view element) {
    for (const auto& [name, caption] : kStoredValues)
        if (element == name) return std::string(caption);
    for (const StabilizerElement& e : kStabilizerElements)
        if (element.substr(0, e.prefix.size()) == e.prefix) {
            const std::string_view number = element.substr(e.prefix.size());
            return std::string(e.caption) + (number.empty() ? "" : " (" + std::string(number) + ")");
        }
    return std::string(element);  // a chart caption or a grid header already ("w", "dId")
}

std::string participationText(const Mode& mode) {
    return participations(mode, [](const std::string& state) { return state; });
}

std::string participationCaptions(const Mode& mode) {
    return participations(mode, [](const std::string& state) { return elementCaption(state); });
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
