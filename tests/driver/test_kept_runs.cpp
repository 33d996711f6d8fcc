// Runs kept for comparison: named by what was computed, at most four (the oldest goes first),
// their rows shared with the computation that stored them and untouched by later ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "session_steps.h"

namespace tgsim {
namespace {

using testing::command;

std::string failureOf(Session& s, const char* handler) {
    try {
        command(s, handler);
    } catch (const Failure& failure) {
        return failure.what();
    }
    return {};
}

TEST(KeptRuns, OnlyACompletedComputationIsKeptAndOnlyOnce) {
    Session s;
    const std::string noComputation = "There is no completed computation to keep: compute first (F10)";
    EXPECT_EQ(failureOf(s, "ZachowajPrzebiegClick"), noComputation);
    s.O1Click();
    EXPECT_EQ(failureOf(s, "ZachowajPrzebiegClick"), "");
    EXPECT_EQ(failureOf(s, "ZachowajPrzebiegClick"), "This computation is kept already");
    // A cell that fails to convert ends the computation before it starts: the last completed
    // one is still the one kept.
    s.setCell(GridId::siatka, 12, 1, "x");
    EXPECT_THROW(s.O1Click(), Failure);
    EXPECT_EQ(failureOf(s, "ZachowajPrzebiegClick"), "This computation is kept already");
    // A fault after the integration leaves no completed computation.
    s.setCell(GridId::siatka, 12, 1, "8625");
    s.setCell(GridId::siatka, 10, 1, "0");  // Sn = 0: P and Q fault
    EXPECT_THROW(s.O1Click(), Failure);
    EXPECT_EQ(failureOf(s, "ZachowajPrzebiegClick"), noComputation);
    ASSERT_EQ(s.keptRuns().size(), 1u);
    EXPECT_EQ(s.keptRuns()[0].rowCount, 7000u);  // the failed computation left the kept rows alone
    command(s, "UsunPorownaniaClick");
    EXPECT_TRUE(s.keptRuns().empty());
}

// Five computations kept in turn: the first is dropped, the others are named by the scenario,
// the stabilizer set (or its absence), the rotor model and the generator set they ran with,
// and hold the rows they stored, shared rather than copied.
TEST(KeptRuns, TheFifthDropsTheOldestAndEachIsNamedByWhatRan) {
    const std::vector<std::vector<const char*>> runs = {
        {},
        {"G2Click", "Canaya1Click"},
        {"PSS2A_1Click", "TestPSS1Click"},
        {"Stale_PSS", "Klasyczny1Click"},
        {"ZabwAutom1Click", "PSS1wejsciowy1Click", "Stale_PSS", "PSS2A_3Click", "G6Click"},
    };
    Session s;
    std::vector<std::vector<double>> stored;  // of each run: P at its rows 0, 100 and 999
    for (const auto& steps : runs) {
        for (const char* handler : steps) command(s, handler);
        // Runs of one second (the start-up's starts at -2 s, the others at 0).
        s.setCell(GridId::siatkaPraca, 1, 1, s.grids().siatkaPraca.cell(0, 1) == "-2" ? "-1" : "1");
        s.O1Click();
        const ChartRows rows = s.chartRows();
        stored.push_back({rows.value(16, 0), rows.value(16, 100), rows.value(16, 999)});
        command(s, "ZachowajPrzebiegClick");
        EXPECT_EQ(&s.keptRuns().back().results->row(0)[0], &s.results().row(0)[0]);  // not copied
    }
    const std::vector<std::string> names = {
        "wzbudzenie · bez PSS · Canay · G2",
        "Test: PSS 2A · PSS 2A - D.O. · Canay · G2",
        "Test: PSS 2A · bez PSS · Klasyczny · G2",
        // The sets loaded last before the computation name it.
        "Zaburzenie w RA · PSS 2A - Koz. · Klasyczny · G6",
    };
    ASSERT_EQ(s.keptRuns().size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const KeptRun& kept = s.keptRuns()[i];
        EXPECT_EQ(kept.name, names[i]);
        const ChartRows rows = kept.chartRows();
        EXPECT_EQ(rows.value(16, 0), stored[i + 1][0]) << names[i];
        EXPECT_EQ(rows.value(16, 100), stored[i + 1][1]) << names[i];
        EXPECT_EQ(rows.value(16, 999), stored[i + 1][2]) << names[i];
    }
    // The next computation writes rows of its own.
    s.O1Click();
    EXPECT_NE(&s.keptRuns().back().results->row(0)[0], &s.results().row(0)[0]);
}

}  // namespace
}  // namespace tgsim
