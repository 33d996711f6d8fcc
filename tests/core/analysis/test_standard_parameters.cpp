// The standard parameters of the built-in sets: what the conversions must reproduce exactly,
// the rated point against the program's own steady state, undefined quantities, the CSV.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "base/fp_fault.h"
#include "core/analysis/standard_parameters.h"
#include "core_runs.h"
#include "core/model/steady_state.h"

namespace tgsim {
namespace {

double value(const StandardParameters& t, const char* name) { return standardParameter(t, name).value.value(); }

// Both conversions (classical and Canay) keep the synchronous and the subtransient reactances
// and the product of the two open-circuit time constants; the operational inductance at
// s -> infinity must also equal its factored form, which ties the four time constants
// (eigenvalues) to the inverse of the rotor matrix.
TEST(StandardParameters, SynchronousAndSubtransientReactancesAreTheTypedOnes) {
    for (const char* model : {"Klasyc", "Canaya"})
        for (int set : {1, 2, 3, 4, 6}) {
            const testing::RunInputs in = testing::loadRun(set, model);
            const StandardParameters t = standardParameters(in.record);
            const TParametry& r = in.record;
            for (const auto& [name, typed] : {std::pair{"Xd", r.Xd}, {"Xd''", r.Xd2}, {"Xq", r.Xq}, {"Xq''", r.Xq2}})
                EXPECT_NEAR(value(t, name), typed, 1e-12 * typed) << model << " set " << set << " " << name;
            EXPECT_NEAR(value(t, "Td0'") * value(t, "Td0''"), r.Td01 * r.Td02, 1e-12 * r.Td01 * r.Td02);
            EXPECT_NEAR(value(t, "Tq0'") * value(t, "Tq0''"), r.Tq01 * r.Tq02, 1e-12 * r.Tq01 * r.Tq02);
            EXPECT_NEAR(value(t, "Xd") * value(t, "Td'") * value(t, "Td''") / (value(t, "Td0'") * value(t, "Td0''")),
                        r.Xd2, 1e-9)
                << model << " set " << set;
            EXPECT_NEAR(value(t, "Xq") * value(t, "Tq'") * value(t, "Tq''") / (value(t, "Tq0'") * value(t, "Tq0''")),
                        r.Xq2, 1e-9)
                << model << " set " << set;
        }
}

// Set 5 carries ksi = 0 (the unexcited start's field current converts as 0/0) and zero
// Td0'', Tq0', Tq0'': its record cannot be filled, so it has no standard parameters.
TEST(StandardParameters, SetFiveHasNoRecord) { EXPECT_THROW(testing::loadRun(5), Failure); }

// Rated voltage, rated current (the phase current Ign) and rated power factor at the terminals:
// the excitation EMF and load angle equal the program's own network steady state of that
// point with the transformer taken out.
TEST(StandardParameters, RatedPointIsTheSteadyStateAtRatedCurrent) {
    for (const char* model : {"Klasyc", "Canaya"}) {
        testing::StartupInputs in(1, model);
        in.grids.siatka.setCell(7, 1, "0");  // Xtr
        LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
        const TParametry& r = in.record;
        const double apparent = std::sqrt(3.0) * r.Un * r.Ign / r.Sn;  // set 1's Sn is not sqrt(3) Un Ign
        const double sinPhi = std::sqrt(1.0 - r.cosfin * r.cosfin);
        const SteadyState s = networkSteadyState(r, apparent, apparent * sinPhi);
        const StandardParameters t = standardParameters(r);
        EXPECT_NEAR(value(t, "Efn"), r.omegan * r.Lad * s.x[kIw] / r.Un, 1e-12) << model;
        EXPECT_NEAR(value(t, "deltaN"), -s.x[kDelta], 1e-12) << model;
    }
}

// A lossless stator has no finite armature time constant: that row stays empty and no fault
// is left pending; a zero catalogue value (set 5's kind of data) gives no ratio.
TEST(StandardParameters, UndefinedQuantitiesStayEmpty) {
    testing::StartupInputs in;
    in.grids.siatka.setCell(30, 1, "0");  // R
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    in.record.Iwz = 0.0;
    clearFpFaults();
    const StandardParameters t = standardParameters(in.record);
    EXPECT_FALSE(standardParameter(t, "Ta").value);
    EXPECT_FALSE(standardParameter(t, "Ta").ratio);
    EXPECT_FALSE(standardParameter(t, "SCR").catalogue);
    EXPECT_FALSE(standardParameter(t, "SCR").ratio);
    EXPECT_TRUE(standardParameter(t, "SCR").value);
    EXPECT_EQ(pendingFpFault(), nullptr);
    EXPECT_THROW(standardParameter(t, "Xd'''"), std::out_of_range);
}

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    return fields;
}

TEST(StandardParameters, CsvReadsBackToTheTable) {
    testing::StartupInputs in;
    in.grids.siatka.setCell(30, 1, "0");  // R: Ta without a value
    LoadParameters(in.grids, in.stabilizerOn, in.record, in.initialState);
    const StandardParameters t = standardParameters(in.record);
    std::ostringstream out;
    writeStandardParametersCsv(t, out);
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "name,value,unit,catalogue,ratio");
    const char* names[] = {"Xd",   "Xd'",   "Xd''", "Xq",   "Xq'", "Xq''", "Td0'",        "Td0''", "Td'", "Td''",
                           "Tq0'", "Tq0''", "Tq'",  "Tq''", "Ta",  "H",    "H_effective", "SCR",   "Efn", "deltaN"};
    auto readBack = [](const std::string& field, const std::optional<double>& expected) {
        if (!expected) return field.empty();
        return field.find_first_of(".e") != std::string::npos && std::strtod(field.c_str(), nullptr) == *expected;
    };
    for (const char* name : names) {
        ASSERT_TRUE(std::getline(lines, line));
        const std::vector<std::string> f = split(line);
        ASSERT_EQ(f.size(), 5u) << line;
        const StandardParameter& row = standardParameter(t, name);
        EXPECT_EQ(f[0], name);
        EXPECT_TRUE(readBack(f[1], row.value)) << line;
        EXPECT_EQ(f[2], row.unit);
        EXPECT_TRUE(readBack(f[3], row.catalogue)) << line;
        EXPECT_TRUE(readBack(f[4], row.ratio)) << line;
    }
    EXPECT_FALSE(std::getline(lines, line));
}

}  // namespace
}  // namespace tgsim
