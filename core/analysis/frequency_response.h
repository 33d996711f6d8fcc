#pragma once
// Frequency responses of the machine at an operating point at rest, for tuning its stabilizer:
// each the steady-state ratio of the fundamentals that a small sinusoidal input produces in a
// run of the model, sampling and hold included (see plant_response.h, stabilizer_response.h).
#include <complex>
#include <vector>

#include "core/model/parameter_record.h"

namespace tgsim {

struct FrequencyPoint {
    double frequencyHz = 0;
    // The chart's P per rad/s of the stabilizer's signal (where the model adds it to d alfa/dt,
    // held between samples), the rotor speed and load angle held, the stabilizer's loop open.
    std::complex<double> gep;
    // The chart's P per unit of the voltage set point (the `Ugz` cell), held the same way.
    std::complex<double> vref;
    // The stabilizer's signal (rad/s) per unit of speed, its power input fed with the power of a
    // swing at this frequency; 0 when no stabilizer acts.
    std::complex<double> pss;
    // pss * gep: the power the stabilizer moves per unit of speed; its phase is that of the
    // stabilizer's electrical torque against the speed (0 = pure damping).
    std::complex<double> net;
    // net = dampingTorque + synchronizingTorque * (load angle per unit speed): the damping torque
    // coefficient Re(net), P per unit speed, and the synchronising one, P per rad of the chart's
    // delta (which advances with the rotor): -Im(net) * omega / omegan.
    double dampingTorque = 0;
    double synchronizingTorque = 0;
};

struct FrequencyResponse {
    std::vector<FrequencyPoint> points;
    bool stabilizer = false;  // pss and net are those of an acting stabilizer
    // The electromechanical mode of the machine without stabilizer (0 Hz, 0 when there is none).
    double swingFrequencyHz = 0;
    double swingDampingRatio = 0;
};

// The responses of the machine resting at `initial` under `record` (its stabilizer as the record
// has it, for pss and net) at each frequency. The modal analysis of the point without stabilizer
// comes first: its refusals (a state not at rest, ...) are this one's. A frequency at which the
// system does not settle, or a floating-point fault, raises a Failure.
FrequencyResponse frequencyResponse(const TParametry& record, const State& initial,
                                    const std::vector<double>& frequenciesHz);

// `count` frequencies from `fromHz` to `toHz`, evenly spaced on a log scale (count 1: fromHz).
std::vector<double> logSpacedFrequencies(double fromHz, double toHz, int count);

// The torque coefficients of `net` at that frequency (fills dampingTorque, synchronizingTorque).
void setTorqueCoefficients(FrequencyPoint& point, double omegan);

}  // namespace tgsim
