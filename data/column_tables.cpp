// The column tables of the five input grids.
#include "grid_columns.h"

namespace tgsim {
namespace {

// A record field with its name.
#define FIELD(name) #name, &TParametry::name

constexpr Scale kMega{1e6, nullptr, nullptr, "× 10⁶"};
constexpr Scale kKilo{1e3, nullptr, nullptr, "× 10³"};
constexpr Scale kTimesUn{1.0, &TParametry::Un, nullptr, "× Un"};
constexpr Scale kTimesIgn{1.0, &TParametry::Ign, nullptr, "× Ign"};
constexpr Scale kFieldCurrent{1.0, &TParametry::Iwn, &TParametry::ksi, "× Iwn / ksi"};
constexpr Scale kTimesOmegan{1.0, &TParametry::omegan, nullptr, "× omegan"};

// A column that fills a number of the record.
constexpr GridColumn number(int column, const char* header, const char* key, const char* code,
                            double TParametry::*field, Scale scale, const char* unit, const char* meaning,
                            const char* symbol) {
    return {column, header, key, code, field, nullptr, 0, scale, unit, meaning, symbol};
}

// A column that fills an element of the initial state.
constexpr GridColumn element(int column, const char* header, const char* key, const char* code, int index, Scale scale,
                             const char* unit, const char* meaning, const char* symbol) {
    return {column, header, key, code, nullptr, nullptr, index, scale, unit, meaning, symbol};
}

// A yes/no column that sets a switch of the record.
constexpr GridColumn flag(int column, const char* header, const char* key, const char* code,
                          void (*read)(TParametry&, std::string_view), const char* meaning) {
    return {column, header, key, code, nullptr, read, 0, kAsTyped, "-", meaning, "–"};
}

// A column the computation does not read.
constexpr GridColumn label(int column, const char* header, const char* key, const char* unit, const char* meaning,
                           const char* symbol) {
    return {column, header, key, "", nullptr, nullptr, 0, kAsTyped, unit, meaning, symbol};
}

// The first three characters of a yes/no cell, compared exactly.
std::string_view flagText(std::string_view cell) { return cell.substr(0, 3); }

void readWzbSt(TParametry& r, std::string_view cell) { r.WzbSt = flagText(cell) == "TAK"; }

void readPrSam(TParametry& r, std::string_view cell) {
    r.PrSamText = flagText(cell);
    r.PrSam = r.PrSamText == "TAK"   ? Connection::OffNetwork
              : r.PrSamText == "NIE" ? Connection::OnNetwork
                                     : Connection::Unrecognised;
}

// clang-format off
constexpr GridColumn kGenerator[] = {
    number(10, "Sn[MVA]", "Sn", FIELD(Sn), kMega, "VA", "rated apparent power, typed in MVA", "$S_n$"),
    number(11, "Un [kV]", "Un", FIELD(Un), kKilo, "V", "rated line voltage, typed in kV", "$U_n$"),
    number(12, "Ign [A]", "Ign", FIELD(Ign), kAsTyped, "A", "rated stator current", "$I_{gn}$"),
    number(13, "cosfin", "cosfin", FIELD(cosfin), kAsTyped, "-", "rated power factor", "$\\cos\\varphi_n$"),
    number(14, "Uwn [V]", "Uwn", FIELD(Uwn), kAsTyped, "V", "rated field voltage", "$U_{wn}$"),
    number(15, "Iwn [A]", "Iwn", FIELD(Iwn), kAsTyped, "A", "rated field current", "$I_{wn}$"),
    number(16, "fn [Hz]", "fn", FIELD(fn), kAsTyped, "Hz", "rated frequency", "$f_n$"),
    number(17, "p", "p", FIELD(p), kAsTyped, "-", "pole pairs", "$p$"),
    number(18, "Xc", "Xc", FIELD(Xc), kAsTyped, "pu", "characteristic reactance (Canay model)", "$X_c$"),
    number(19, "Xd [-]", "Xd", FIELD(Xd), kAsTyped, "pu", "d-axis synchronous reactance", "$X_d$"),
    number(20, "Xq [-]", "Xq", FIELD(Xq), kAsTyped, "pu", "q-axis synchronous reactance", "$X_q$"),
    number(21, "Xd` [-]", "Xd_prime", FIELD(Xd1), kAsTyped, "pu", "d-axis transient reactance", "$X_d'$"),
    number(22, "Xq` [-]", "Xq_prime", FIELD(Xq1), kAsTyped, "pu", "q-axis transient reactance", "$X_q'$"),
    number(23, "Xd\" [-]", "Xd_double_prime", FIELD(Xd2), kAsTyped, "pu", "d-axis subtransient reactance", "$X_d''$"),
    number(24, "Xq\" [-]", "Xq_double_prime", FIELD(Xq2), kAsTyped, "pu", "q-axis subtransient reactance", "$X_q''$"),
    number(25, "Xs  [-]", "Xs", FIELD(Xs), kAsTyped, "pu", "stator leakage reactance", "$X_s$"),
    number(26, "Td0` [s]", "Td0_prime", FIELD(Td01), kAsTyped, "s",
        "d-axis open-circuit transient time constant", "$T_{d0}'$"),
    number(27, "Tq0` [s]", "Tq0_prime", FIELD(Tq01), kAsTyped, "s",
        "q-axis open-circuit transient time constant", "$T_{q0}'$"),
    number(28, "Td0\" [s]", "Td0_double_prime", FIELD(Td02), kAsTyped, "s",
        "d-axis open-circuit subtransient time constant", "$T_{d0}''$"),
    number(29, "Tq0\" [s]", "Tq0_double_prime", FIELD(Tq02), kAsTyped, "s",
        "q-axis open-circuit subtransient time constant", "$T_{q0}''$"),
    number(30, "R [-]", "R", FIELD(R), kAsTyped, "Ω",
        "stator resistance, used in ohms although the header says relative", "$R$"),
    number(31, "Iwo [A]", "Iwo", FIELD(Iwo), kAsTyped, "A", "no-load field current", "$I_{wo}$"),
    number(32, "Iwz [A]", "Iwz", FIELD(Iwz), kAsTyped, "A", "short-circuit field current", "$I_{wz}$"),
    number(33, "cw [V/A]", "cw", FIELD(cw), kAsTyped, "V/A", "excitation coefficient", "$c_w$"),
    number(34, "ksi [-]", "ksi", FIELD(ksi), kAsTyped, "-", "field-current referral ratio", "$\\xi$"),
    number(35, "J [kgm2]", "J", FIELD(J), kAsTyped, "kg·m²", "moment of inertia", "$J$"),
    number(36, "D [Js/rad]", "D", FIELD(D), kAsTyped, "J·s/rad", "damping coefficient", "$D$"),
    number(37, "spr [-]", "spr", FIELD(spr), kAsTyped, "-", "efficiency in the rated torque", "$s_{pr}$"),
    number(0, "K [-]", "K", FIELD(K), kAsTyped, "-", "regulator gain", "$K$"),
    number(1, "TI [s]", "TI", FIELD(TI), kAsTyped, "s", "regulator integral time", "$T_I$"),
    number(2, "TD [s]", "TD", FIELD(TD), kAsTyped, "s", "regulator derivative time", "$T_D$"),
    number(3, "Twz1 [s]", "Twz1", FIELD(Twz1), kAsTyped, "s", "first exciter lag", "$T_{wz1}$"),
    number(4, "Twz2 [s]", "Twz2", FIELD(Twz2), kAsTyped, "s", "second exciter lag", "$T_{wz2}$"),
    number(5, "kF [-]", "kF", FIELD(kF), kAsTyped, "-", "exciter voltage factor", "$k_F$"),
    flag(6, "WzbSt", "WzbSt", "WzbSt", readWzbSt,
        "\"TAK\": the wide firing-angle range (up to 0.833 π), otherwise up to π/2"),
    number(7, "Xtr [-]", "Xtr", FIELD(Xtr), kAsTyped, "pu", "transformer reactance", "$X_{tr}$"),
    label(8, "Generator -->", "name", "-", "the data set's name, not read", "–"),
};

constexpr GridColumn kControl[] = {
    number(0, "to [s]", "to", FIELD(to), kAsTyped, "s", "start of the run", "$t_o$"),
    number(1, "tk [s]", "tk", FIELD(tk), kAsTyped, "s", "end of the run", "$t_k$"),
    number(2, "Tmr [-]", "Tmr", FIELD(Tmr), kAsTyped, "pu",
        "turbine torque relative to the rated torque (negative drives)", "$T_{mr}$"),
    number(8, "tz1 [s]", "tz1", FIELD(tz1), kAsTyped, "s", "first event time of the scenario", "$t_{z1}$"),
    number(9, "tz2 [s]", "tz2", FIELD(tz2), kAsTyped, "s",
        "second event time of the scenario (a pulse's end)", "$t_{z2}$"),
    number(10, "b [1/s]", "b", FIELD(b), kAsTyped, "1/s", "decay rate of the stator currents off the network", "$b$"),
    flag(11, "PrSam", "PrSam", "PrSam", readPrSam, "\"TAK\": off the network, \"NIE\": on the network"),
    number(12, "Ugz", "Ugz", FIELD(Ugz), kTimesUn, "V", "voltage set point, typed relative to Un", "$U_{gz}$"),
    number(13, "Zaburz", "Zaburz", FIELD(Zaburz), kAsTyped, "-", "height of the scenario's pulse", "$z$"),
};

constexpr GridColumn kInitial[] = {
    element(0, "Idr [-]", "Idr", "Id", kId, kTimesIgn, "A", "d-axis stator current", "$I_d$"),
    element(1, "Iwr [-]", "Iwr", "Iw", kIw, kFieldCurrent, "A", "field current, referred to the stator", "$I_w$"),
    element(2, "iD1r[-]", "iD1r", "iD1", kiD1, kTimesIgn, "A", "d-axis damper current", "$i_{D1}$"),
    element(3, "Iqr [-]", "Iqr", "Iq", kIq, kTimesIgn, "A", "q-axis stator current", "$I_q$"),
    element(4, "iQ1r [-]", "iQ1r", "iQ1", kiQ1, kTimesIgn, "A", "first q-axis damper current", "$i_{Q1}$"),
    element(5, "iQ2r [-]", "iQ2r", "iQ2", kiQ2, kTimesIgn, "A", "second q-axis damper current", "$i_{Q2}$"),
    element(6, "w1nr [-]", "w1nr", "omega", kOmega, kTimesOmegan, "rad/s", "rotor speed, electrical", "$\\omega$"),
    element(7, "delta", "delta", "delta", kDelta, kAsTyped, "rad",
        "angle of the bus voltage ahead of the rotor's q axis", "$\\delta$"),
    element(8, "alfa", "alfa", "alfa", kAlfa, kAsTyped, "rad", "output of the first exciter lag", "$\\alpha$"),
    element(9, "beta", "beta", "beta", kBeta, kAsTyped, "rad", "firing angle of the rectifier", "$\\beta$"),
    element(10, "Udr [-]", "Udr", "Ud", kUd, kTimesUn, "V",
        "d-axis voltage at the network side of the transformer", "$U_d$"),
    element(11, "Uqr [-]", "Uqr", "Uq", kUq, kTimesUn, "V",
        "q-axis voltage at the network side of the transformer", "$U_q$"),
    element(12, "dUd [-]", "dUd", "dUd", kdUd, kTimesUn, "V", "unused slot, 0 after the first row", "–"),
    element(13, "dUq [-]", "dUq", "dUq", kdUq, kTimesUn, "V", "unused slot, 0 after the first row", "–"),
    element(14, "dId [-]", "dId", "dId", kdId, kTimesIgn, "A/s",
        "d-axis stator current derivative of the last evaluation", "$\\dot I_d^{*}$"),
    element(15, "dIq [-]", "dIq", "dIq", kdIq, kTimesIgn, "A/s",
        "q-axis stator current derivative of the last evaluation", "$\\dot I_q^{*}$"),
    element(16, " [-]", "Ug", "Ug", kUg, kAsTyped, "V",
        "terminal voltage magnitude as the regulator measures it", "$U_g$"),
    element(17, " [-]", "dUg", "dUg", kdUg, kAsTyped, "V/s", "rate of change of Ug", "$\\dot U_g$"),
    element(18, " [-]", "errorIntegral", "errorIntegral", kErrorIntegral, kAsTyped, "V·s",
        "integral of the voltage error", "$\\varepsilon$"),
    element(19, "A ", "regulatorOutput", "regulatorOutput", kRegulatorOutput, kAsTyped, "rad",
        "regulator output, the firing-angle command", "$u$"),
};

constexpr GridColumn kPss2a[] = {
    number(0, "T1 [s]", "T1", FIELD(T1), kAsTyped, "s", "lead of the first lead-lag stage", "$T_1$"),
    number(1, "T2 [s]", "T2", FIELD(T2), kAsTyped, "s", "lag of the first lead-lag stage", "$T_2$"),
    number(2, "T3 [s]", "T3", FIELD(T3), kAsTyped, "s", "lead of the second lead-lag stage", "$T_3$"),
    number(3, "T4 [s]", "T4", FIELD(T4), kAsTyped, "s", "lag of the second lead-lag stage", "$T_4$"),
    number(4, "T5 [s]", "T5", FIELD(T5), kAsTyped, "s", "read, but enters no transfer function", "$T_5$"),
    number(5, "T6 [s]", "T6", FIELD(T6), kAsTyped, "s", "lag of the speed path", "$T_6$"),
    number(6, "T7 [s]", "T7", FIELD(T7), kAsTyped, "s", "lag of the power path", "$T_7$"),
    number(7, "T8 [s]", "T8", FIELD(T8), kAsTyped, "s", "numerator of the ramp-tracking filter", "$T_8$"),
    number(8, "T9 [s]", "T9", FIELD(T9), kAsTyped, "s", "denominator of the ramp-tracking filter", "$T_9$"),
    number(9, "Tw1 [s]", "Tw1", FIELD(Tw1), kAsTyped, "s", "first washout of the speed path", "$T_{w1}$"),
    number(10, "Tw2 [s]", "Tw2", FIELD(Tw2), kAsTyped, "s", "second washout of the speed path", "$T_{w2}$"),
    number(11, "Tw3 [s]", "Tw3", FIELD(Tw3), kAsTyped, "s", "first washout of the power path", "$T_{w3}$"),
    number(12, "Tw4 [s]", "Tw4", FIELD(Tw4), kAsTyped, "s", "second washout of the power path", "$T_{w4}$"),
    number(13, "ks1 [-]", "ks1", FIELD(ks1), kAsTyped, "-", "gain of both paths", "$k_{s1}$"),
    number(14, "ks2 [-]", "ks2", FIELD(ks2), kAsTyped, "-", "gain of the power path", "$k_{s2}$"),
    number(15, "ks3 [-]", "ks3", FIELD(ks3), kAsTyped, "-", "weight of the ramp-tracking filter's output", "$k_{s3}$"),
    number(16, "kw [-]", "kw", FIELD(kw), kAsTyped, "-", "stabilizer gain", "$k_w$"),
};

constexpr GridColumn kSingleInput[] = {
    number(0, "T0 [s]", "T0", FIELD(T0), kAsTyped, "s",
        "lag of the denominator; T0·T1 is the numerator's gain", "$T_0$"),
    number(1, "T1 [s]", "T1", FIELD(T1), kAsTyped, "s",
        "lag of the denominator; T0·T1 is the numerator's gain", "$T_1$"),
    number(2, "T2 [s]", "T2", FIELD(T2), kAsTyped, "s", "lead of the numerator", "$T_2$"),
    number(3, "T3 [s]", "T3", FIELD(T3), kAsTyped, "s", "lag of the denominator", "$T_3$"),
    number(4, "T4 [s]", "T4", FIELD(T4), kAsTyped, "s", "lead of the numerator", "$T_4$"),
    number(5, "T5 [s]", "T5", FIELD(T5), kAsTyped, "s", "lag of the denominator", "$T_5$"),
    number(6, "kw [-]", "kw", FIELD(kw), kAsTyped, "-", "stabilizer gain", "$k_w$"),
};

constexpr GridColumn kSteadyState[] = {
    label(0, "Pr [-]", "Pr", "pu", "active power delivered, relative to Sn·cosfin", "$P_r$"),
    label(1, "Qr [-]", "Qr", "pu", "reactive power delivered, relative to Sn (over-excited > 0)", "$Q_r$"),
    label(2, "Ugr [-]", "Ugr", "pu", "terminal voltage relative to Un (the network holds it at 1)", "$U_{gr}$"),
    label(3, "wr [-]", "wr", "pu", "speed relative to the rated speed (the network holds it at 1)", "$\\omega_r$"),
    label(4, "Pr : d-q  [-]", "PrDq", "pu", "check: active power from the d-q currents and voltages", "–"),
    label(5, "Pr : cosfi  [-]", "PrCosfi", "pu", "check: active power from U·I·cos φ", "–"),
    label(6, "Qr : d-q  [-]", "QrDq", "pu", "check: reactive power from the d-q currents and voltages", "–"),
    label(7, "Qr : sinfi  [-]", "QrSinfi", "pu", "check: reactive power from U·I·sin φ", "–"),
};
// clang-format on

#undef FIELD

}  // namespace

const ColumnTable kGeneratorTable{kGenerator};
const ColumnTable kControlTable{kControl};
const ColumnTable kInitialTable{kInitial};
const ColumnTable kPss2aTable{kPss2a};
const ColumnTable kSingleInputTable{kSingleInput};
const ColumnTable kSteadyStateTable{kSteadyState};

}  // namespace tgsim
