#pragma once
// Failures end the running command and carry the exact text shown to the user.
#include <stdexcept>
#include <string>

namespace tgsim {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// The three floating-point faults that are not masked.
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kOverflow = "Floating point overflow";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";

}  // namespace tgsim
