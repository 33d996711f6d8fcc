#include "frequency_response.h"

#include <cmath>
#include <numbers>

#include "core/analysis/plant_response.h"
#include "core/analysis/stabilizer_response.h"
#include "core/analysis/modal_analysis.h"
#include "core/model/state_equations.h"

namespace tgsim {

std::vector<double> logSpacedFrequencies(double fromHz, double toHz, int count) {
    std::vector<double> f;
    for (int i = 0; i < count; ++i)
        f.push_back(count == 1 ? fromHz : fromHz * std::pow(toHz / fromHz, static_cast<double>(i) / (count - 1)));
    return f;
}

void setTorqueCoefficients(FrequencyPoint& p, double omegan) {
    const double omega = 2.0 * std::numbers::pi * p.frequencyHz;
    p.dampingTorque = p.net.real();
    p.synchronizingTorque = -p.net.imag() * omega / omegan;
}

FrequencyResponse frequencyResponse(const TParametry& record, const State& initial,
                                    const std::vector<double>& frequenciesHz) {
    TParametry withoutStabilizer = record;
    withoutStabilizer.pssOn = false;
    const ModalResult modes = modalAnalysis(withoutStabilizer, initial);
    FrequencyResponse response;
    if (modes.electromechanical >= 0) {
        const Mode& em = modes.modes[static_cast<std::size_t>(modes.electromechanical)];
        response.swingFrequencyHz = em.frequencyHz;
        response.swingDampingRatio = em.dampingRatio;
    }
    const HeldShaftPlant plant(record, initial);
    const StabilizerResponse stabilizer(restingRecord(record), initial);
    response.stabilizer = stabilizer.acting();
    for (double f : frequenciesHz) {
        FrequencyPoint p;
        p.frequencyHz = f;
        p.gep = plant.signalToPower(f);
        p.vref = plant.setPointToPower(f);
        p.pss = stabilizer.speedToSignal(f);
        p.net = p.pss * p.gep;
        setTorqueCoefficients(p, record.omegan);
        response.points.push_back(p);
    }
    return response;
}

}  // namespace tgsim
