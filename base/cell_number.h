#pragma once
// Numbers in grid cells: decimal numbers written with a decimal comma ("0,05", "-0,0", "15,75").
#include <string>
#include <string_view>

namespace tgsim {

// The whole cell must be a number: optional blanks around it, an optional sign, digits with an
// optional decimal comma, an optional exponent. Anything else (an empty cell, "1.5", "1,2,3")
// raises "'<text>' is not a valid floating point value". A magnitude beyond the double range
// is refused the same way; one below it reads as zero.
double parseCellNumber(std::string_view text);

// The message of a cell that is not a number; the text is shown as quotedForMessage shows it.
std::string notANumberMessage(std::string_view text);

// General format with a decimal comma: at most `precision` significant digits, correctly
// rounded, no trailing zeros; fixed notation when the rounded magnitude is at least 0,00001 and
// has at most `precision` digits before the separator, otherwise the mantissa in the same style,
// "E", a minus sign only for a negative exponent and at least `exponentDigits` exponent digits.
// Zero (negative zero too) is "0".
std::string formatGeneral(double value, int precision = 15, int exponentDigits = 0);

}  // namespace tgsim
