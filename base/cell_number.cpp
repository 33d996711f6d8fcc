#include "base/cell_number.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "base/failure.h"
#include "base/message_text.h"

namespace tgsim {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the decimal-comma grammar and returns the same number in the form from_chars reads
// (decimal point), or an empty string when the text is not a number.
std::string toPointForm(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    std::string out;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') out += '-';
        ++i;
    }
    int digits = 0;
    while (i < end && isDigit(text[i])) out += text[i++], ++digits;
    if (i < end && text[i] == ',') {
        out += '.';
        ++i;
        while (i < end && isDigit(text[i])) out += text[i++], ++digits;
    }
    if (digits == 0) return {};
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) out += text[i++];
        int exponentDigits = 0;
        while (i < end && isDigit(text[i])) out += text[i++], ++exponentDigits;
        if (exponentDigits == 0) return {};
    }
    if (i != end) return {};
    return out;
}

// A finite non-zero value rounded to `precision` significant decimal digits, halves away from
// zero, trailing zeros removed: value = 0,d1d2d3... * 10^(exponent + 1).
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal roundedDecimal(double value, int precision) {
    // Every double has an exact decimal expansion of at most 767 significant digits, so this
    // conversion is exact and the rounding below sees true ties.
    char buffer[800];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 770);
    std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal d;
    d.negative = sci.front() == '-';
    if (d.negative) sci.remove_prefix(1);
    const std::size_t ePos = sci.find('e');
    d.exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());
    std::string all;
    for (char c : sci.substr(0, ePos))
        if (isDigit(c)) all += c;
    const std::size_t keep = static_cast<std::size_t>(precision);
    d.digits = all.substr(0, keep);
    if (all.size() > keep && all[keep] >= '5') {
        std::size_t i = keep;
        while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

}  // namespace

std::string notANumberMessage(std::string_view text) {
    std::string message(1, '\'');
    message.append(quotedForMessage(text));
    message.append("' is not a valid floating point value");
    return message;
}

double parseCellNumber(std::string_view text) {
    const std::string number = toPointForm(text);
    if (number.empty()) throw Failure(notANumberMessage(text));
    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: a tiny magnitude reads as zero, a huge one is refused.
        const double approx = std::strtod(number.c_str(), nullptr);
        if (std::isinf(approx)) throw Failure(notANumberMessage(text));
        return number[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != last) throw Failure(notANumberMessage(text));
    return value;
}

std::string formatGeneral(double value, int precision, int exponentDigits) {
    if (value == 0.0) return "0";
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    const Decimal decimal = roundedDecimal(value, precision);
    std::string out = decimal.negative ? "-" : "";
    const std::string& digits = decimal.digits;
    const int exponent = decimal.exponent;
    if (exponent >= -5 && exponent < precision) {
        if (exponent < 0) {
            out += "0,";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += digits;
                out.append(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits);
                out += ',';
                out += digits.substr(intDigits);
            }
        }
        return out;
    }
    out += digits.substr(0, 1);
    if (digits.size() > 1) {
        out += ',';
        out += digits.substr(1);
    }
    out += 'E';
    if (exponent < 0) out += '-';
    std::string exponentText = std::to_string(std::abs(exponent));
    if (static_cast<int>(exponentText.size()) < exponentDigits)
        exponentText.insert(0, static_cast<std::size_t>(exponentDigits) - exponentText.size(), '0');
    return out + exponentText;
}

}  // namespace tgsim
