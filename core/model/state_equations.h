#pragma once
// The right-hand side of the model: state derivatives of the generator with its exciter,
// regulator, shaft and network connection, plus the values recomputed at every evaluation.
#include <array>

#include "parameter_record.h"

namespace tgsim {

// 0 if t < tz, 0.5 if t == tz, 1 if t > tz.
double unitStep(double t, double tz);

// The soft-start set point: Un*0.85*(t - to)/10, at most 0.9*Un (Un and to of `record`).
double softstartSetPoint(double t, const TParametry& record);

// k*cos(angle).
double cosTimes(double k, double angle);

// Evaluates the equations at time t for state x. The scenario's events apply to a private copy
// of the fields they change; `record` itself is never changed. f is fully written: elements 0,
// 13 and 14 are 0. A PrSam other than "TAK" selects the on-network form (the integrator refuses
// a record whose PrSam is neither "TAK" nor "NIE" before it starts).
void stateEquations(const State& x, const TParametry& record, double t, State& f);

// The record as the machine rests under its scenario, the scenario's events switched off: the
// fields the events change hold their values before the first event ("Test SS": the set point
// Un), and for "Softstart", whose ramp starts with the run, the ceiling where the ramp ends.
TParametry restingRecord(const TParametry& record);

// The times at which the scenario's events change the equations, earliest first, as the record's
// eventTiming says: tz1 for a switch, tz1 and tz2 for a pulse, the end of the soft start's ramp;
// none for a scenario without events.
struct EventTimes {
    std::array<double, 2> times{};
    int count = 0;
};
EventTimes scenarioEventTimes(const TParametry& record);

}  // namespace tgsim
