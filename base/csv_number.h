#pragma once
// Numbers in the program's CSV files: a decimal point, the shortest text that reads back to the
// same double, and always a point or an exponent so that every reader takes it for a real
// number ("2.0", "0.15", "1.5e-05", "inf", "nan").
#include <string>

namespace tgsim {

std::string csvNumber(double value);

}  // namespace tgsim
