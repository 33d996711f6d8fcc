#pragma once
// The electrical power's response of the machine at rest to the stabilizer's signal and to the
// voltage set point, with the rotor speed and load angle held at their operating values and the
// stabilizer's loop open: the plant a stabilizer has to compensate, as the program integrates it.
//
// The run's one-step map, with the two inputs as parameters held over the step, is linearised
// by the central differences of the modal analysis. The shaft is held by an inertia so large that
// no speed change survives the rounding of a step. A sinusoidal input then drives the linear map
// into a periodic steady state, solved exactly per frequency:
//  - the signal is sampled like the stabilizer's, every sample interval of Ns steps, and held
//    over the interval: the state at a sample, X0, satisfies X0 = e^(-jwT) (A^Ns X0 + S_Ns u),
//    with S_i the state i steps after a unit signal from zero. The power's fundamental is taken
//    over the rows of an interval, as a time simulation reads it; the input's fundamental is that
//    of the held staircase, u (1 - e^(-jwT))/(jwT);
//  - the set point is held over each step at the sinusoid's value in the middle of the step.
#include <Eigen/Dense>
#include <complex>
#include <vector>

#include "core/model/parameter_record.h"

namespace tgsim {

using Complex = std::complex<double>;

// The moment of inertia (kg m^2) that holds the shaft: its acceleration rounds away.
inline constexpr double kHeldInertia = 1e300;

// The fundamental of a staircase that holds each sample for T, per unit of the sampled sinusoid.
Complex heldStaircaseFactor(double omega, double T);

class HeldShaftPlant {
public:
    // The machine resting at `initial` under `record` as the modal analysis rests it (the
    // scenario's events off, 1000 steps after the run's start), its stabilizer off. The state
    // must be at rest (the modal analysis refuses it otherwise). A floating-point fault raises
    // its Failure.
    HeldShaftPlant(const TParametry& record, const State& initial);

    // The chart's P per rad/s of stabilizer signal, and per unit of the set point (the `Ugz`
    // cell's unit, Un). A frequency at which the held system does not settle (an undamped mode
    // on it) raises a Failure.
    Complex signalToPower(double frequencyHz) const;
    Complex setPointToPower(double frequencyHz) const;

    double step() const { return h_; }
    int samplePeriodSteps() const { return samplePeriod_; }
    double samplePeriod() const { return h_ * samplePeriod_; }
    // The chart's P at the point.
    double power() const { return power_; }

private:
    double h_ = 0;
    int samplePeriod_ = 1;
    double Un_ = 0;
    double power_ = 0;
    Eigen::MatrixXd A_;                    // one step, over the elements held free
    Eigen::VectorXd bSignal_, bSetPoint_;  // per rad/s of signal, per V of set point
    Eigen::RowVectorXd c_;                 // P per element
    Eigen::MatrixXd AN_;                   // A^Ns
    std::vector<Eigen::RowVectorXd> cA_;   // c A^i, i = 0 .. Ns
    std::vector<double> cS_;               // c S_i, i = 0 .. Ns
    Eigen::VectorXd SN_;                   // S_Ns
};

// The run's step: (tk - to)/(stepCount + 1).
double runStep(const TParametry& record);

}  // namespace tgsim
