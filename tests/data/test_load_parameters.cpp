// Reading the grids into the parameter record: reading order, units, the state a failing cell
// or formula leaves, and the stabilizer switch.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "base/failure.h"
#include "data/grid_columns.h"
#include "data/load_parameters.h"
#include "startup_grids.h"

namespace tgsim {
namespace {

using testing::StartupInputs;

void load(StartupInputs& in) { LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState); }

std::string firstLine(const std::string& message) { return message.substr(0, message.find('\n')); }

std::string failureOf(StartupInputs& in) {
    try {
        load(in);
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "no failure";
}

TEST(LoadParameters, StartupDefaults) {
    StartupInputs in;
    load(in);
    const TParametry& r = in.record;
    EXPECT_EQ(r.stepCount, 7000);
    EXPECT_EQ(r.Ugz, 15750.0);
    EXPECT_EQ(r.Un, 15750.0);
    EXPECT_EQ(r.networkVoltage, 15750.0);
    EXPECT_EQ(r.Sn, 270e6);
    EXPECT_EQ(r.to, -2.0);
    EXPECT_EQ(r.tk, 5.0);
    EXPECT_EQ(r.omegan, 6.283185307179586 * 50);
    EXPECT_EQ(r.baseImpedance, 15750.0 / (1.7320508075688772 * 8625.0));
    EXPECT_EQ(r.nominalTorque, 270e6 * 0.85 * 1.0 / r.omegan / 0.945);
    EXPECT_EQ(r.PrSam, Connection::OffNetwork);
    EXPECT_FALSE(r.pssOn);
    EXPECT_EQ(r.betaMax, std::numbers::pi / 2);
    EXPECT_TRUE(std::signbit(r.Tmr));
    EXPECT_EQ(in.initialState[kT], -2.0);
    EXPECT_EQ(in.initialState[kOmega], r.omegan);
    EXPECT_EQ(in.initialState[kAlfa], 1.57);
    EXPECT_EQ(in.initialState[kBeta], 1.57);
    EXPECT_EQ(in.initialState[kIw], 0.0);
}

TEST(LoadParameters, InitialStateUnits) {
    StartupInputs in;
    const char* row[20] = {"-1,46", "0,76", "0,1",  "-0,60", "0,2",   "0,3",   "1",     "-1,25", "0,70", "0,70",
                           "0,95",  "0,33", "0,01", "0,02",  "-0,77", "-0,28", "15750", "0,5",   "3284", "0,7"};
    for (int c = 0; c < 20; ++c) in.grids.war_pocz.setCell(c, 1, row[c]);
    load(in);
    const State& x = in.initialState;
    const TParametry& r = in.record;
    EXPECT_EQ(x[kId], -1.46 * 8625);
    EXPECT_EQ(x[kIw], 0.76 * 2435 / 0.114);
    EXPECT_EQ(x[kiD1], 0.1 * 8625);
    EXPECT_EQ(x[kiQ2], 0.3 * 8625);
    EXPECT_EQ(x[kOmega], r.omegan);
    EXPECT_EQ(x[kDelta], -1.25);
    EXPECT_EQ(x[kUd], 0.95 * 15750);
    EXPECT_EQ(x[kdUq], 0.02 * 15750);
    EXPECT_EQ(x[kdIq], -0.28 * 8625);
    EXPECT_EQ(x[kUg], 15750.0);
    EXPECT_EQ(x[kErrorIntegral], 3284.0);
    EXPECT_EQ(x[kRegulatorOutput], 0.7);
}

TEST(LoadParameters, StepCountRoundsHalvesToEven) {
    const struct {
        const char* tk;
        int steps;
    } cases[] = {{"0,125", 2}, {"0,375", 8}, {"0,625", 12}, {"0", 0}};
    for (const auto& c : cases) {
        StartupInputs in;
        in.grids.siatka.setCell(16, 1, "1");
        in.grids.siatkaPraca.setCell(0, 1, "0");
        in.grids.siatkaPraca.setCell(1, 1, c.tk);
        load(in);
        EXPECT_EQ(in.record.stepCount, c.steps) << c.tk;
    }
}

TEST(LoadParameters, AStepCountBeyondThirtyTwoBitsIsRefusedAsTheRunWouldBe) {
    StartupInputs in;
    in.grids.siatkaPraca.setCell(1, 1, "1E12");
    EXPECT_EQ(failureOf(in),
              "A run of 1,000000000002E15 steps is too long: the results of at most 20000000 steps fit in memory");
    in.grids.siatkaPraca.setCell(1, 1, "-1E12");
    EXPECT_EQ(failureOf(in), "The end time tk = -1000000000000 s lies before the start time to = -2 s");
}

TEST(LoadParameters, FlagsKeepTheirFirstThreeCharacters) {
    StartupInputs in;
    in.grids.siatka.setCell(6, 1, "TAKE IT");
    in.grids.siatkaPraca.setCell(11, 1, "NIEMAL");
    load(in);
    EXPECT_TRUE(in.record.WzbSt);
    EXPECT_EQ(in.record.PrSam, Connection::OnNetwork);
    EXPECT_EQ(in.record.PrSamText, "NIE");
    EXPECT_EQ(in.record.betaMax, 2.616946680440298);
    in.grids.siatka.setCell(6, 1, "tak");
    in.grids.siatkaPraca.setCell(11, 1, "tak");
    load(in);
    EXPECT_FALSE(in.record.WzbSt);
    EXPECT_EQ(in.record.PrSam, Connection::Unrecognised);
    EXPECT_EQ(in.record.PrSamText, "tak");
    EXPECT_EQ(in.record.betaMax, 1.5707963267948966);
}

TEST(LoadParameters, AFailingCellKeepsWhatWasReadBeforeItAndNothingAfter) {
    StartupInputs in;
    load(in);
    const TParametry before = in.record;
    const State initialBefore = in.initialState;
    Generator(2, in.grids.siatka);
    in.grids.siatka.setCell(19, 1, "2.05");  // Xd, read after Sn .. Xc
    in.grids.siatkaPraca.setCell(1, 1, "9");
    EXPECT_EQ(failureOf(in), "'2.05' is not a valid floating point value");
    EXPECT_EQ(in.record.Sn, 282.4e6);
    EXPECT_EQ(in.record.Ign, 10352.0);
    EXPECT_EQ(in.record.Xc, 0.0);
    EXPECT_EQ(in.record.Xd, before.Xd);
    EXPECT_EQ(in.record.K, before.K);
    EXPECT_EQ(in.record.tk, before.tk);
    EXPECT_EQ(in.record.Rf, before.Rf);
    EXPECT_EQ(in.initialState, initialBefore);
}

TEST(LoadParameters, AFailingFormulaKeepsTheLaterFields) {
    StartupInputs in;
    load(in);
    const TParametry before = in.record;
    in.grids.siatka.setCell(37, 1, "0");  // spr: the rated torque divides by it
    in.grids.siatkaPraca.setCell(1, 1, "9");
    EXPECT_EQ(failureOf(in),
              "Floating point division by zero\nCells that make a divisor zero: siatka.37 (spr [-]) = 0");
    EXPECT_EQ(in.record.tk, 9.0);
    EXPECT_EQ(in.record.stepCount, 11000);
    EXPECT_EQ(in.record.nominalTorque, before.nominalTorque);
    EXPECT_EQ(in.initialState[kT], -2.0);
}

TEST(LoadParameters, SetFiveCannotBeRead) {
    for (const char* model : {"Klasyc", "Canaya"}) {
        StartupInputs in(5, model);
        EXPECT_EQ(firstLine(failureOf(in)), "Invalid floating point operation") << model;  // 0 * Iwn / ksi, ksi = 0
        in.grids.siatka.setCell(34, 1, "0,1");
        EXPECT_EQ(firstLine(failureOf(in)), "Floating point division by zero") << model;  // zero time constants
    }
}

// A zero in any cell of the machine's or the stabilizer's grid either is read or faults with a
// second line that names it: a divisor of the conversions not told to the naming fails here.
TEST(LoadParameters, AZeroThatFaultsIsNamed) {
    for (const char* model : {"Klasyc", "Canaya"})
        for (const std::uint8_t pssOrder : {std::uint8_t{0}, kPss2aOrder, kSingleInputOrder}) {
            const GridId grid = pssOrder ? GridId::Siatka_PSS : GridId::siatka;
            for (const GridColumn& c : columnTable(grid, pssOrder)) {
                if (!c.field) continue;
                StartupInputs in(1, model);
                in.stabilizerOn = pssOrder != 0;
                if (pssOrder == kPss2aOrder) in.record.pssOrder = PSS2A(1, in.grids.Siatka_PSS);
                in.grids.byId(grid).setCell(c.column, 1, "0");
                const std::string message = failureOf(in);
                if (message == "no failure") continue;
                EXPECT_NE(message.find("\nCells that make a divisor zero: "), std::string::npos) << message;
                EXPECT_NE(message.find(cellName(grid, c.column, pssOrder) + " = 0"), std::string::npos)
                    << model << ": " << message;
            }
        }
}

TEST(LoadParameters, TheStabilizerGridIsReadOnlyWhenSwitchedOn) {
    StartupInputs in;
    in.grids.Siatka_PSS.setCell(3, 1, "zly");
    load(in);
    EXPECT_FALSE(in.record.pssOn);
    in.stabilizerOn = true;
    EXPECT_EQ(failureOf(in), "'zly' is not a valid floating point value");
    EXPECT_FALSE(in.record.pssOn);
    PSS_klas_1(in.grids.Siatka_PSS);
    load(in);
    EXPECT_TRUE(in.record.pssOn);
    EXPECT_EQ(in.record.to, -2.0);  // T0 of the stabilizer is no start time
    EXPECT_EQ(in.record.kw, 150.0);
    EXPECT_EQ(in.record.pssDen1[4], 2.0 * 2.0 * 1.0 * 0.05);
}

TEST(LoadParameters, UnknownModelKeepsTheRotorCircuits) {
    StartupInputs in;
    load(in);
    const double Rf = in.record.Rf;
    Generator(2, in.grids.siatka);
    in.record.model = RotorModel::None;
    load(in);
    EXPECT_EQ(in.record.Rf, Rf);
    EXPECT_EQ(in.record.Sn, 282.4e6);
}

}  // namespace
}  // namespace tgsim
