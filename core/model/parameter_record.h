#pragma once
// The parameter record of one computation and the state vector layout.
// All numbers are physical (A, V, H, ohm, rad/s, rad, s) unless a comment says otherwise.
#include <array>
#include <cstdint>

#include "base/short_text.h"
#include "core/numerics/small_matrices.h"

namespace tgsim {

// Element 0 the time; 1..10 integrated quantities; 11..20 values recomputed at every evaluation.
inline constexpr int kStateSize = 21;
using State = std::array<double, kStateSize>;

// Indices into the state vector.
// clang-format off
enum StateIndex : int {
    kT = 0, kId, kIw, kiD1, kIq, kiQ1, kiQ2, kOmega, kDelta, kAlfa, kBeta,
    kUd, kUq, kdUd, kdUq, kdId, kdIq, kUg, kdUg, kErrorIntegral, kRegulatorOutput
};
// clang-format on

// Stabilizer orders: the PSS2A's filters are of order 9, the single-input stabilizer's of order 4.
// The data-set commands set the record's pssOrder to one of them.
inline constexpr std::uint8_t kPss2aOrder = 9;
inline constexpr std::uint8_t kSingleInputOrder = 4;
inline constexpr int kMaxPssOrder = kPss2aOrder;

// A companion matrix of the stabilizer: n rows of n, held in a fixed array so that copies of the
// record stay cheap and allocation-free.
struct PssMatrix {
    int n = 0;
    std::array<std::array<double, kMaxPssOrder>, kMaxPssOrder> a{};
};

// What the PrSam cell says: "TAK", the machine runs off the network; "NIE", on it. Any other text
// is kept as read (PrSamText), so that a computation refuses it by name.
enum class Connection : std::uint8_t { Unrecognised, OffNetwork, OnNetwork };

// The rotor circuits derived from the catalogue data; None (the record as the program starts,
// before a model is chosen) derives none.
enum class RotorModel : std::uint8_t { None, Klasyczny, Canaya };
// The model's name as the program shows it in its state: "Klasyc", "Canaya", or "" for None.
constexpr const char* modelName(RotorModel model) {
    switch (model) {
    case RotorModel::Klasyczny: return "Klasyc";
    case RotorModel::Canaya: return "Canaya";
    case RotorModel::None: break;
    }
    return "";
}

// The events a scenario applies in the state equations (each scenario's row names its own), and
// the times at which they act, which the analyses of a run read.
enum class ScenarioEvents : std::uint8_t {
    None,  // "Praca w sieci", the start-up "wzbudzenie" and every scenario without events
    Softstart,
    ZabwAutom,
    ZrzutQ,
    TestSS,
    Synchronizacja,
    Zwarcie,
};
enum class EventTiming : std::uint8_t {
    None,
    AtTz1,      // a switch at tz1
    Tz1ToTz2,   // a pulse from tz1 to tz2
    EndOfRamp,  // the soft start's ramp, from to until it reaches its ceiling
};

// The texts of the grids that act as switches are parsed once, where the grids are read: the
// core compares no text.
struct TParametry {
    Connection PrSam = Connection::Unrecognised;
    ShortText<3> PrSamText;  // the cell's first three characters
    bool pssOn = false;      // the stabilizer acts in this computation
    bool WzbSt = false;      // the cell says "TAK": the wider firing-angle limit
    RotorModel model = RotorModel::None;
    std::int32_t stepCount = 0;
    double Ugz = 0;             // voltage set point, V
    double networkVoltage = 0;  // V
    double to = 0, tk = 0, tz1 = 0, tz2 = 0;
    double Zaburz = 0;         // relative pulse height
    double nominalTorque = 0;  // N m
    double Tmr = 0;            // relative to nominalTorque
    double Sn = 0;             // VA
    double Un = 0;             // V
    double Ign = 0;            // A
    double cosfin = 0;
    double fin = 0, deltaN = 0;  // rad
    double Uwn = 0, Iwn = 0;     // V, A
    double Efn = 0;              // relative
    double fn = 0;               // Hz
    double p = 0;                // pole pairs
    double spr = 0;
    double Iwo = 0, Iwz = 0;  // A
    double cw = 0;            // V/A
    double ksi = 0;
    double kF = 0;
    double J = 0;  // kg m^2
    double D = 0;  // J s/rad
    double K = 0, TI = 0, TD = 0;
    double betaMax = 0;         // rad
    double Twz1 = 0, Twz2 = 0;  // s
    double b = 0;               // 1/s
    double baseImpedance = 0;   // ohm
    double omegan = 0;          // rad/s
    double Td01 = 0, Td02 = 0, Tq01 = 0, Tq02 = 0;
    double Xc = 0, Xd = 0, Xd1 = 0, Xd2 = 0, Xq = 0, Xq1 = 0, Xq2 = 0, Xs = 0, Xtr = 0;  // relative
    double Ltr = 0;
    double R = 0;  // as typed
    double Rf = 0, RD = 0, RQ1 = 0, RQ2 = 0;
    double Lsf = 0, Ls = 0, Lc = 0, Lad = 0, Laq = 0, LsD = 0, Ld = 0, Lq = 0, LsQ1 = 0, LsQ2 = 0;
    Matrix2 invLfD{};  // rows and columns: field, d damper
    Matrix2 invLQ{};   // first, second q damper
    double T0 = 0;     // single-input stabilizer: enters only its coefficients
    double T1 = 0, T2 = 0, T3 = 0, T4 = 0, T5 = 0, T6 = 0, T7 = 0, T8 = 0, T9 = 0;
    double Tw1 = 0, Tw2 = 0, Tw3 = 0, Tw4 = 0;
    double ks1 = 0, ks2 = 0, ks3 = 0;
    double kw = 0;
    std::array<double, 10> pssDen1{};  // s^0 .. s^9
    std::array<double, 5> pssNum1{};   // s^2 .. s^6
    std::array<double, 10> pssDen2{};  // s^0 .. s^9
    std::array<double, 5> pssNum2{};   // s^2 .. s^6
    std::array<double, 7> pssNum3{};   // s^2 .. s^8
    Matrix3 invLd3{};                  // stator d, field, d damper
    Matrix3 invLq3{};                  // stator q, first and second q damper
    std::uint8_t pssOrder = 0;         // 9: PSS2A, 4: single-input stabilizer
    PssMatrix pssA1, pssA2;
    ScenarioEvents scenario = ScenarioEvents::None;
    EventTiming eventTiming = EventTiming::None;
};

}  // namespace tgsim
