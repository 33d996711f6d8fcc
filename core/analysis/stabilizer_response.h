#pragma once
// The stabilizer's own response, from the per-unit speed to its signal, as it samples in a run:
// its memory over one sample is an exactly linear map of the memory and the two samples (speed,
// power), linearised by the central differences of the modal analysis. For a sinusoid sampled
// every interval T and the signal held over the next interval, the memory settles at
// M = (I - e^(-jwT) F)^-1 G u, and the signal's fundamental is its sample times the held
// staircase's factor (1 - e^(-jwT))/(jwT).
//
// The power input is fed with the power of a swing of the rotor at that frequency, the turbine
// torque constant (swingPowerPerSpeed): for the PSS2A the contribution of its power path; the
// single-input stabilizer reads nothing else.
#include <Eigen/Dense>
#include <complex>

#include "core/model/parameter_record.h"

namespace tgsim {

using Complex = std::complex<double>;

// The change of the delivered power P (the stabilizer's input, in units of Sn cosfin) per unit of
// speed deviation in a swing of angular frequency omega with the turbine torque constant, from
// the linearised shaft equation (J/p) d omega/dt = (p Te - Tmr Tn - D omega)/2 at rest (Te the
// electrical torque per pole pair) and the air-gap power -Te omega:
//   dP = -[omegan^2 (2 J j omega / p^2 + D / p) + (Tmr Tn + D omegan) omegan / p] / (Sn cosfin) * dw.
// The stator's losses and transients are left out.
Complex swingPowerPerSpeed(const TParametry& record, double omega);

class StabilizerResponse {
public:
    // The stabilizer of `record` (its switch on) as it samples in a run of the record's step,
    // rested at `row` (seeded with its speed and power). A record whose stabilizer is off or never
    // samples gives a response that is not acting. A fault of its discretisation raises its Failure.
    StabilizerResponse(const TParametry& record, const State& row);

    bool acting() const { return acting_; }
    // Signal (rad/s) per unit speed; 0 when not acting.
    Complex speedToSignal(double frequencyHz) const;

private:
    TParametry record_;
    bool acting_ = false;
    double T_ = 0;             // the sample interval, s
    Eigen::MatrixXd F_, G_;    // memory <- memory, (speed, power)
    Eigen::Index signal_ = 0;  // the signal's element of the memory
};

}  // namespace tgsim
