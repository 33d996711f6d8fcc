#include "fp_fault.h"

#include <cfenv>

namespace tgsim {

void clearFpFaults() noexcept { std::feclearexcept(FE_ALL_EXCEPT); }

const char* pendingFpFault() noexcept {
    const int flags = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (flags & FE_DIVBYZERO) return kDivisionByZero;
    if (flags & FE_OVERFLOW) return kOverflow;
    if (flags & FE_INVALID) return kInvalidOperation;
    return nullptr;
}

void throwIfFpFault(double value) {
    forceEvaluated(value);  // the formula runs before the flags are read
    if (const char* message = pendingFpFault()) throw Failure(message);
}

}  // namespace tgsim
