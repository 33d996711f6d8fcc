#include "steady_state.h"

#include <cmath>
#include <complex>
#include <string>

#include "base/cell_number.h"
#include "base/failure.h"
#include "base/fp_fault.h"

namespace tgsim {
namespace {

using Complex = std::complex<double>;

// The four check values, recomputed from the state: the powers delivered at the network bus
// relative to Sn*cosfin and Sn, once from the d-q products and once from U*I and the angle
// between voltage and current.
std::array<double, 4> checkValues(const State& x, const TParametry& r) {
    const Complex voltage(x[kUd], x[kUq]);
    const Complex delivered(-x[kId], -x[kIq]);  // the current out of the machine
    const double phi = std::arg(voltage) - std::arg(delivered);
    const double UI = std::abs(voltage) * std::abs(delivered);
    return {-(x[kId] * x[kUd] + x[kIq] * x[kUq]) / r.Sn / r.cosfin, std::cos(phi) * UI / r.Sn / r.cosfin,
            (x[kIq] * x[kUd] - x[kId] * x[kUq]) / r.Sn, std::sin(phi) * UI / r.Sn};
}

}  // namespace

SteadyState networkSteadyState(const TParametry& r, double Pr, double Qr) {
    clearFpFaults();
    const double V = r.Un;
    const double w = r.omegan;
    // Bus frame: the bus voltage is real; the current flows into the machine (consumer sign).
    const Complex busCurrent = Complex(-Pr * r.Sn * r.cosfin, Qr * r.Sn) / V;
    // V - (R + j w Lq) I lies on the rotor's q axis; its angle fixes the load angle.
    const Complex qAxisEmf = V - Complex(r.R, w * r.Lq) * busCurrent;
    const double delta = -std::arg(qAxisEmf);
    const Complex rotation = Complex(0.0, 1.0) * std::polar(1.0, delta);  // bus frame to d-q
    const Complex current = busCurrent * rotation;

    SteadyState s;
    State& x = s.x;
    x[kId] = current.real();
    x[kIq] = current.imag();
    x[kOmega] = w;
    x[kDelta] = delta;
    x[kUd] = -V * std::sin(delta);
    x[kUq] = V * std::cos(delta);
    x[kIw] = (x[kUq] - r.R * x[kIq] - w * r.Ld * x[kId]) / (w * r.Lad);
    throwIfFpFault(x[kIw]);

    // The firing angle whose field voltage balances the field resistance.
    const double cosBeta = r.Rf * x[kIw] / (r.kF * r.Iwn * r.cw * r.ksi * w / r.omegan);
    throwIfFpFault(cosBeta);
    if (cosBeta > 1.0)
        throw Failure("This operating point needs more field voltage than the exciter can give (cos beta = " +
                      formatGeneral(cosBeta, 6) + " > 1)");
    const double beta = std::acos(cosBeta);
    if (beta > r.betaMax)
        throw Failure("This operating point needs a firing angle beyond the exciter's limit (beta = " +
                      formatGeneral(beta, 6) + " rad > " + formatGeneral(r.betaMax, 6) + " rad)");
    x[kAlfa] = beta;
    x[kBeta] = beta;
    x[kRegulatorOutput] = beta;

    // Terminal voltage on the machine side of the transformer, as the regulator measures it.
    x[kUg] = std::sqrt((x[kUd] + w * r.Ltr * x[kIq]) * (x[kUd] + w * r.Ltr * x[kIq]) +
                       (x[kUq] - w * r.Ltr * x[kId]) * (x[kUq] - w * r.Ltr * x[kId]));
    // Zero voltage error: the regulator output equals beta through the integral alone.
    x[kErrorIntegral] = beta * r.TI * x[kUg] / r.K;
    s.setPoint = x[kUg] / r.Un;

    const double psid = r.Ld * x[kId] + r.Lad * x[kIw];
    const double psiq = r.Lq * x[kIq];
    s.torque = (r.p * (psid * x[kIq] - psiq * x[kId]) - r.D * w) / r.nominalTorque;
    s.checks = checkValues(x, r);
    throwIfFpFault(s.torque + s.setPoint + x[kErrorIntegral] + s.checks[0] + s.checks[1] + s.checks[2] + s.checks[3]);
    return s;
}

}  // namespace tgsim
