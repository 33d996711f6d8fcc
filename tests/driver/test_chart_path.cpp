// The chart path in the session: the chart's rows and the current data keep the scales of the
// computation that stored them, and chart values that fault end the computation as a fault of
// the integration does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "driver/session.h"

namespace tgsim {
namespace {

std::vector<std::string> initialRow(const Session& s) {
    std::vector<std::string> cells;
    for (int c = 0; c < 20; ++c) cells.push_back(s.grids().war_pocz.cell(c, 1));
    return cells;
}

TEST(ChartPath, AFailedLoadLeavesTheScalesOfTheLastComputation) {
    struct Edit {
        int column;
        const char* text;
    };
    // Ign = 0 fails at once; Iwn = 1 is read before the cell that fails.
    for (const std::vector<Edit>& edits : {std::vector<Edit>{{12, "0"}}, std::vector<Edit>{{15, "1"}, {20, "x"}}}) {
        Session s;
        s.O1Click();
        const ChartRows rows = s.chartRows();
        std::vector<double> values;
        for (std::size_t i : {0u, 3500u, 6999u})
            for (int k = 1; k <= kQuantityCount; ++k) values.push_back(rows.value(k, i));
        s.war_koncowClick();
        const std::vector<std::string> finalState = initialRow(s);

        for (const Edit& edit : edits) s.setCell(GridId::siatka, edit.column, 1, edit.text);
        EXPECT_THROW(s.O1Click(), Failure);
        std::size_t n = 0;
        for (std::size_t i : {0u, 3500u, 6999u})
            for (int k = 1; k <= kQuantityCount; ++k) EXPECT_EQ(s.chartRows().value(k, i), values[n++]) << k;
        s.setCell(GridId::war_pocz, 0, 1, "typed");
        s.war_koncowClick();  // the last final state, as the last computation's machine saw it
        EXPECT_EQ(initialRow(s), finalState);
        s.setCell(GridId::war_pocz, 0, 1, "typed");
        s.Przelacz_DaneAkt_Wykres();  // the data view writes the same
        EXPECT_EQ(s.view().Wykr_DaneAkt, "Wykresy");
        EXPECT_EQ(initialRow(s), finalState);
    }
}

TEST(ChartPath, AFaultInTheChartValuesEndsTheComputationLikeAFaultInTheIntegration) {
    Session s;
    s.O1Click();
    const State current = s.currentData();
    s.setCell(GridId::siatka, 10, 1, "0");  // Sn: P and Q of row 0 are 0 / 0
    try {
        s.O1Click();
        FAIL() << "no fault";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(s.results().storedRows(), 7001u);  // the rows were stored, but are not charted
    EXPECT_EQ(s.chartRowCount(), 0u);
    EXPECT_EQ(s.currentData(), current);
    EXPECT_FALSE(s.view().seriesBoxesVisible);
    for (int k = 1; k <= kQuantityCount; ++k) EXPECT_FALSE(s.seriesFilled(k));
    EXPECT_TRUE(s.view().progressBarVisible);
    EXPECT_TRUE(s.view().visible(GridId::siatka) && s.view().visible(GridId::war_pocz));
    EXPECT_EQ(s.view().panels[0], "Czas obliczeń = .... ?");
    s.setSeriesBox(16, true);  // a box ticked now has no rows to draw
    EXPECT_FALSE(s.seriesFilled(16));
}

}  // namespace
}  // namespace tgsim
