#pragma once
// Floating-point faults (division by zero, overflow, invalid operation) are read from the FPU's
// sticky flags: cleared before a formula, tested after it, and raised as a Failure carrying the
// system's message. Underflow, denormals and inexact results stay masked.
#include "failure.h"

namespace tgsim {

// Clears the three fault flags (and the masked ones, which are never read).
void clearFpFaults() noexcept;

// The message of a pending fault, or nullptr. When several flags are set, the one an evaluation
// raises first is reported: a division by zero or an overflow produces an infinity whose later
// use may also raise an invalid operation, never the reverse.
const char* pendingFpFault() noexcept;

// Whether a fault flag is set: the test a run makes after every step, without a call. On
// x86-64, where all double arithmetic (the C library's functions included) runs in SSE, it
// reads the SSE status register: invalid operation, division by zero, overflow. pendingFpFault
// (which reads the x87 flags too) then names the fault.
inline bool fpFaultRaised() noexcept {
#if defined(__GNUC__) && defined(__x86_64__)
    constexpr unsigned kInvalidFlag = 0x01, kDivisionFlag = 0x04, kOverflowFlag = 0x08;
    return (__builtin_ia32_stmxcsr() & (kInvalidFlag | kDivisionFlag | kOverflowFlag)) != 0;
#else
    return pendingFpFault() != nullptr;
#endif
}

// Makes `value`, and so the formula that produced it, be computed at this point of the program:
// the compiler may neither drop a formula whose result goes unused nor move it past a test of
// the fault flags.
inline void forceEvaluated(double value) noexcept {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    asm volatile("" : : "x"(value));  // the value must sit in an SSE register here
#elif defined(__GNUC__)
    asm volatile("" : : "r,m"(value) : "memory");
#else
    volatile double sink = value;
    (void)sink;
#endif
}

// Throws the pending fault, if any. Taking the value by argument forces the formula that
// produced it to be evaluated before the flags are read.
void throwIfFpFault(double value);

// Evaluates one formula (or group of formulas) with the flags cleared before and tested after.
template <class Formula>
double guarded(Formula&& formula) {
    clearFpFaults();
    const double value = formula();
    throwIfFpFault(value);
    return value;
}

// The same for a formula that yields a fixed array of values (a polynomial, a matrix).
template <class Formula>
auto guardedArray(Formula&& formula) {
    clearFpFaults();
    const auto value = formula();
    for (double v : value) throwIfFpFault(v);
    return value;
}

}  // namespace tgsim
