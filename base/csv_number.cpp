#include "csv_number.h"

#include <charconv>

namespace tgsim {

std::string csvNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".ein") == std::string::npos) return text + ".0";
    const std::size_t e = text.find('e');
    if (e != std::string::npos && text.find('.') == std::string::npos) text.insert(e, ".0");
    return text;
}

}  // namespace tgsim
