#pragma once
// Modes of the machine at an operating point, exactly as the system is integrated: the map that
// takes the whole discrete state of a run (plant elements 1..20 with the stored values, the
// stabilizer's filters, histories, previous output and held signal) from one stabilizer sample
// to the next (one step when no stabilizer acts) is linearised by central differences; its
// eigenvalues z give the modes s = ln(z)/T, T the period of the map.
//
// The machine is analysed as it rests: the scenario's events are switched off, the fields they
// change held at their values before the first event (restingRecord), and the time is placed
// 1000 steps after the run's start, away from the regulator's hold at the start of a run. The
// stabilizer is taken as it rests at the state: seeded with its speed and power, filters at rest.
//
// The map sees the system once per period, so a mode's frequency is known only up to whole
// multiples of 1/T: ln takes the one within the map's Nyquist frequency 1/(2T). With a
// stabilizer sampling every 11 steps at 50 Hz that is 45 Hz, and the stator's modes at the
// network frequency show at their alias near 41 Hz; the swings of the machine lie far below.
#include <array>
#include <string>
#include <vector>

#include "base/failure.h"
#include "core/model/parameter_record.h"

namespace tgsim {

// The largest drift an element of the state may have per second, relative to its natural
// scale (rated current, voltage and speed, a radian, ...), for the state to count as at rest.
inline constexpr double kRestTolerance = 1e-6;

// Central differences step each element by this share of its magnitude (its value, or its
// natural scale when that is larger): 2^-17, about the cube root of the double precision,
// where the error of the difference (which shrinks with the step squared) meets the rounding
// of the map (which grows as the step shrinks).
inline constexpr double kDifferenceStep = 0x1p-17;

struct Participation {
    std::string state;  // the element's name: a chart caption ("w", "delta", "Iw", ...), a stored
                        // value ("Ug", "errorIntegral", ...) or a stabilizer element
    double factor = 0;  // normalised: the factors of one mode over all elements sum to 1
};

struct Mode {
    double real = 0;                             // 1/s
    double imag = 0;                             // rad/s; a pair of modes for each oscillation, the one > 0 first
    double frequencyHz = 0;                      // |imag| / 2 pi
    double dampingRatio = 0;                     // -real / |s|: 1 for a decaying real mode, -1 for a growing one.
                                                 // A pair damped more than 0.9999 is a multiple real mode split by
                                                 // the differences: it is listed as two real modes
    double timeConstant = 0;                     // s, -1/real for a real mode (negative: growing); 0 for oscillations
                                                 // and for a real mode at rest (real = 0)
    std::array<Participation, 3> participation;  // the largest three, largest first
};

struct ModalResult {
    double period = 0;  // T, s
    int stepsPerPeriod = 1;
    int stateCount = 0;  // elements of the discrete state
    // By damping ratio, least damped first; the two modes of an oscillation next to each other.
    std::vector<Mode> modes;
    // The electromechanical mode: of the oscillations below the map's Nyquist frequency, the
    // one in which speed and load angle together participate most (its member with imag > 0);
    // -1 when there is none.
    int electromechanical = -1;
    // Eigenvalues of the map at zero (|z| < 1e-6): elements that nothing reads within one period
    // (the one-step delays of stored values, such as dUd and dUq) and modes that decay by more
    // than a millionth within one period. ln(z) has no meaning for them: they are counted here,
    // not listed.
    int vanishing = 0;
};

// The refusal of a state that moves: the element that moves too fast and how fast, relative to
// its scale per second (the message says both, in the runner's words).
class StateNotAtRest : public Failure {
public:
    StateNotAtRest(std::string element, double relativeDrift);
    const std::string& element() const { return element_; }
    double relativeDrift() const { return drift_; }

private:
    std::string element_;
    double drift_;
};

// The refusal of a firing angle within a differencing step of its limit.
class FiringAngleAtLimit : public Failure {
public:
    explicit FiringAngleAtLimit(double beta);
    double beta() const { return beta_; }

private:
    double beta_;
};

// Refuses with a Failure, and no result: the refusals of a run (checkRunInputs); a record
// without steps; a state that is not at rest under the resting record (the drift of an element
// above kRestTolerance, named in the message); a firing angle within a differencing step of its
// limit (the map has no derivative there); a floating-point fault. `differenceStep` is there
// to check the differences against a smaller step.
ModalResult modalAnalysis(const TParametry& record, const State& initial, double differenceStep = kDifferenceStep);

}  // namespace tgsim
