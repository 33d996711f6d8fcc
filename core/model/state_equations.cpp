#include "state_equations.h"

#include <cmath>

#include "base/fp_fault.h"

namespace tgsim {
namespace {

// The soft start ramps the set point by kSoftstartShare*Un in kSoftstartSeconds up to kSoftstartCeiling*Un.
constexpr double kSoftstartShare = 0.85;
constexpr double kSoftstartSeconds = 10.0;
constexpr double kSoftstartCeiling = 0.9;

// The record fields a scenario event may change, copied for one evaluation.
struct EventInputs {
    double Ugz;
    double Tmr;
    double networkVoltage;
    bool offNetwork;  // PrSam "TAK"
};

// The pulse factor of "ZabwAutom" and "Test SS": 1 + Zaburz between tz1 and tz2.
double pulseFactor(double t, const TParametry& r) {
    return 1.0 + r.Zaburz * unitStep(t, r.tz1) - r.Zaburz * unitStep(t, r.tz2);
}

EventInputs applyEvents(double t, const TParametry& r) {
    EventInputs in{r.Ugz, r.Tmr, r.networkVoltage, r.PrSam == Connection::OffNetwork};
    switch (r.scenario) {
    case ScenarioEvents::Softstart: in.Ugz = softstartSetPoint(t, r); break;
    case ScenarioEvents::ZabwAutom: in.Ugz = pulseFactor(t, r) * in.Ugz; break;
    case ScenarioEvents::ZrzutQ:
        if (t > r.tz1) {
            in.offNetwork = true;
            in.Ugz = r.Un;
        }
        break;
    case ScenarioEvents::TestSS:
        in.Ugz = r.Un;
        in.Tmr = pulseFactor(t, r) * in.Tmr;
        break;
    case ScenarioEvents::Synchronizacja:
        if (t > r.tz1) {
            in.Ugz = r.Un;
            in.offNetwork = false;
        }
        break;
    case ScenarioEvents::Zwarcie:
        if (t > r.tz1) {
            in.networkVoltage = 0.0;
            in.offNetwork = false;
        }
        break;
    case ScenarioEvents::None: break;
    }
    return in;
}

}  // namespace

double unitStep(double t, double tz) {
    if (t < tz) return 0.0;
    if (t == tz) return 0.5;
    return 1.0;
}

double softstartSetPoint(double t, const TParametry& record) {
    const double ramp = record.Un * kSoftstartShare * (t - record.to) / kSoftstartSeconds;
    const double ceiling = kSoftstartCeiling * record.Un;
    return ceiling >= ramp ? ramp : ceiling;
}

double cosTimes(double k, double angle) { return k * std::cos(angle); }

TParametry restingRecord(const TParametry& record) {
    TParametry r = record;
    switch (record.scenario) {
    case ScenarioEvents::Softstart: r.Ugz = kSoftstartCeiling * r.Un; break;
    case ScenarioEvents::TestSS: r.Ugz = r.Un; break;
    default: break;
    }
    r.scenario = ScenarioEvents::None;
    r.eventTiming = EventTiming::None;
    return r;
}

EventTimes scenarioEventTimes(const TParametry& r) {
    switch (r.eventTiming) {
    case EventTiming::EndOfRamp: return {{r.to + kSoftstartCeiling * kSoftstartSeconds / kSoftstartShare, 0.0}, 1};
    case EventTiming::Tz1ToTz2: return {{std::fmin(r.tz1, r.tz2), std::fmax(r.tz1, r.tz2)}, 2};
    case EventTiming::AtTz1: return {{r.tz1, 0.0}, 1};
    case EventTiming::None: break;
    }
    return {};
}

// Every formula keeps the written order of its operations: results must agree to the last bit
// between builds, so no term is regrouped or precomputed.
void stateEquations(const State& x, const TParametry& r, double t, State& f) {
    const EventInputs in = applyEvents(t, r);

    const double Id = x[kId], Iw = x[kIw], iD1 = x[kiD1];
    const double Iq = x[kIq], iQ1 = x[kiQ1], iQ2 = x[kiQ2];
    const double omega = x[kOmega], delta = x[kDelta], alfa = x[kAlfa], beta = x[kBeta];
    const double storedUd = x[kUd], storedUq = x[kUq];
    const double storeddId = x[kdId], storeddIq = x[kdIq];
    const double storedUg = x[kUg], storeddUg = x[kdUg];

    // Field voltage referred to the stator, proportional to the rotor speed.
    const double Uf = cosTimes(r.kF, beta) * r.Iwn * r.cw * r.ksi * omega / r.omegan;

    const double psid = r.Ld * Id + r.Lad * (Iw + iD1);
    const double psiq = r.Lq * Iq + r.Laq * (iQ1 + iQ2);

    double dId, dIw, diD1, dIq, diQ1, diQ2, Ud, Uq;
    if (in.offNetwork) {
        // Stator currents forced to decay; the rotor circuits see the stored current derivatives.
        dId = r.b * Id;
        dIq = r.b * Iq;
        const Matrix2& rd = r.invLfD;
        dIw = rd[0] * Uf - (rd[0] + rd[1]) * r.Lad * storeddId - rd[0] * r.Rf * Iw - rd[1] * r.RD * iD1;
        diD1 = rd[2] * Uf - (rd[2] + rd[3]) * r.Lad * storeddId - rd[2] * r.Rf * Iw - rd[3] * r.RD * iD1;
        const Matrix2& q = r.invLQ;
        diQ1 = -(q[0] + q[1]) * r.Laq * storeddIq - q[0] * r.RQ1 * iQ1 - q[1] * r.RQ2 * iQ2;
        diQ2 = -(q[2] + q[3]) * r.Laq * storeddIq - q[2] * r.RQ1 * iQ1 - q[3] * r.RQ2 * iQ2;
        Ud = r.R * Id + r.Ld * dId + r.Lad * (dIw + diD1) - omega * psiq;
        Uq = r.R * Iq + r.Lq * dIq + r.Laq * (diQ1 + diQ2) + omega * psid;
    } else {
        // On the network bus: the stored network-side voltages drive the stator.
        const auto d = multiplyMatrix3(r.invLd3, {storedUd - r.R * Id + omega * psiq, Uf - r.Rf * Iw, -r.RD * iD1});
        const auto q = multiplyMatrix3(r.invLq3, {storedUq - r.R * Iq - omega * psid, -r.RQ1 * iQ1, -r.RQ2 * iQ2});
        dId = d[0], dIw = d[1], diD1 = d[2];
        dIq = q[0], diQ1 = q[1], diQ2 = q[2];
        Ud = -in.networkVoltage * std::sin(delta);
        Uq = in.networkVoltage * std::cos(delta);
    }

    const double dOmega = r.p / (2.0 * r.J) * (r.p * (psid * Iq - psiq * Id) - in.Tmr * r.nominalTorque - r.D * omega);
    const double dDelta = r.omegan - omega;

    const double dAlfa = (x[kRegulatorOutput] - alfa) / r.Twz1;
    const double dBeta = (alfa - beta) / r.Twz2;

    // Discrete PID regulator; its step is the distance from the row the integration step started at.
    const double dt = t - x[kT];
    const double e = storedUg - in.Ugz;
    const double errorIntegral = x[kErrorIntegral] + e * dt;
    double u = r.K * (errorIntegral / r.TI + e + r.TD * storeddUg) / in.Ugz;
    // The output is computed even while it is held, so that a zero TI or set point faults on the
    // first evaluation.
    forceEvaluated(u);
    if (3.0 * dt > std::fabs(t - r.to)) u = 0.0;  // held at zero at the start of the run

    // Terminal voltage on the machine side of the transformer.
    const double ugd = Ud - r.Ltr * storeddId + omega * r.Ltr * Iq;
    const double ugq = Uq - r.Ltr * storeddIq - omega * r.Ltr * Id;
    const double Ug = std::sqrt(ugd * ugd + ugq * ugq);
    const double dUg = (Ug - storedUg) / dt;

    // In the order of the state layout; dUd and dUq are not computed.
    f = {0.0, dId, dIw, diD1, dIq, diQ1, diQ2, dOmega, dDelta,        dAlfa, dBeta,
         Ud,  Uq,  0.0, 0.0,  dId, dIq,  Ug,   dUg,    errorIntegral, u};
}

}  // namespace tgsim
