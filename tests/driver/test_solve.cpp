// The computation command: what it leaves in the session on success and on failure, chaining
// runs through the stored states, and the data/chart view switch.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/failure.h"
#include "base/cell_number.h"
#include "driver/session.h"
#include "session_steps.h"

namespace tgsim {
namespace {

using testing::command;

TEST(Solve, StartupRunEndsInTheChartViewWithThreeLines) {
    Session s;
    s.O1Click();
    EXPECT_EQ(s.results().storedRows(), 7001u);
    EXPECT_EQ(s.chartRowCount(), 7000u);
    EXPECT_TRUE(s.view().chartVisible);
    EXPECT_TRUE(s.view().zoomEnabled);
    EXPECT_TRUE(s.view().seriesBoxesVisible);
    EXPECT_FALSE(s.view().progressBarVisible);
    EXPECT_TRUE(s.view().Wykr_DaneAktEnabled);
    EXPECT_FALSE(s.view().visible(GridId::siatka) || s.view().visible(GridId::siatkaPraca) ||
                 s.view().visible(GridId::war_pocz));
    for (int k = 1; k <= 17; ++k) EXPECT_EQ(s.seriesFilled(k), k == 13 || k == 15 || k == 16) << k;
    EXPECT_EQ(s.view().panels[1], "Stan Pracy: wzbudzenie");
    EXPECT_EQ(s.view().panels[2], "Liczba iteracji = 7000");
    EXPECT_EQ(s.view().panels[0].rfind("Czas obliczeń = ", 0), 0u);
    EXPECT_NE(s.view().panels[0], "Czas obliczeń = .... ?");
    EXPECT_EQ(s.currentData()[0], 0.0);
    for (int k = 1; k < kStateSize; ++k) EXPECT_EQ(s.currentData()[k], s.results().row(7000)[k]);
    EXPECT_EQ(s.results().row(0)[0], -2.0);
}

TEST(Solve, SeriesBoxesRunTheirHandlerOnlyOnAChange) {
    Session s;
    s.O1Click();
    const unsigned before = s.seriesRevision(13);
    s.setSeriesBox(13, true);
    EXPECT_EQ(s.seriesRevision(13), before);
    s.setSeriesBox(13, false);
    EXPECT_FALSE(s.seriesFilled(13));
    s.setSeriesBox(1, true);
    EXPECT_TRUE(s.seriesFilled(1));
    for (int k = 1; k <= 17; ++k) s.setSeriesBox(k, false);
    for (int k = 1; k <= 17; ++k) EXPECT_FALSE(s.seriesFilled(k));
}

TEST(Solve, ABadCellLeavesResultsStoredStatesAndStatusTexts) {
    Session s;
    s.O1Click();
    const State current = s.currentData();
    const State first = s.firstInitialState();
    const auto panels = s.view().panels;
    s.setCell(GridId::war_pocz, 8, 1, "1.57");
    s.setCell(GridId::siatkaPraca, 1, 1, "3");
    EXPECT_THROW(s.O1Click(), Failure);
    EXPECT_EQ(s.currentData(), current);
    EXPECT_EQ(s.firstInitialState(), first);
    EXPECT_EQ(s.view().panels, panels);
    EXPECT_EQ(s.results().storedRows(), 7001u);
    EXPECT_TRUE(s.view().visible(GridId::siatka) && s.view().visible(GridId::war_pocz));
    EXPECT_FALSE(s.view().seriesBoxesVisible);
    for (int k = 1; k <= 17; ++k) EXPECT_FALSE(s.seriesFilled(k));
}

TEST(Solve, ARefusedRunShowsTheNewStatusTextsAndKeepsTheResults) {
    Session s;
    s.O1Click();
    s.setCell(GridId::siatkaPraca, 1, 1, "-3");  // ends before it starts
    EXPECT_THROW(s.O1Click(), Failure);
    EXPECT_EQ(s.view().panels[0], "Czas obliczeń = .... ?");
    EXPECT_EQ(s.results().storedRows(), 7001u);
    EXPECT_TRUE(s.view().progressBarVisible);
    EXPECT_EQ(s.chartRowCount(), 0u);
}

TEST(Solve, FirstInitialStateIsTakenOnce) {
    Session s;
    s.O1Click();
    s.setCell(GridId::war_pocz, 8, 1, "1");
    s.setCell(GridId::war_pocz, 9, 1, "1");
    s.O1Click();
    s.war_zeroweClick();
    EXPECT_EQ(s.grids().war_pocz.cell(8, 1), "1,57");
    EXPECT_EQ(s.grids().war_pocz.cell(6, 1), "1");
}

TEST(Solve, ChainingContinuesFromTheFinalState) {
    Session s;
    s.O1Click();
    const State last = s.currentData();
    s.war_koncowClick();
    s.O1Click();
    const auto row0 = s.results().row(0);
    EXPECT_EQ(row0[0], -2.0);
    for (int k = 1; k < kStateSize; ++k) EXPECT_NEAR(row0[k], last[k], std::abs(last[k]) * 1e-14 + 1e-300) << k;
}

TEST(Solve, ViewSwitchAlternatesAndWritesTheCurrentData) {
    Session s;
    s.O1Click();
    s.Stale_PSS();
    s.setCell(GridId::war_pocz, 0, 1, "typed");
    s.Przelacz_DaneAkt_Wykres();
    EXPECT_EQ(s.view().Wykr_DaneAkt, "Wykresy");
    EXPECT_FALSE(s.view().chartVisible);
    EXPECT_TRUE(s.view().visible(GridId::war_pocz) && s.view().visible(GridId::Siatka_PSS));
    EXPECT_EQ(s.grids().war_pocz.cell(0, 1), formatGeneral(s.currentData()[1] / s.record().Ign));
    EXPECT_EQ(s.grids().war_pocz.cell(6, 1), formatGeneral(s.currentData()[7] / s.record().omegan));
    s.Warunkizadane1Click();  // shows the steady-state grid
    s.Przelacz_DaneAkt_Wykres();
    EXPECT_EQ(s.view().Wykr_DaneAkt, "Dane Aktualne");
    EXPECT_TRUE(s.view().chartVisible);
    EXPECT_FALSE(s.view().visible(GridId::war_pocz) || s.view().visible(GridId::Siatka_PSS) ||
                 s.view().visible(GridId::zadanystanustalony));
}

TEST(Solve, LoadingAGeneratorHidesTheChartButKeepsTheViewButton) {
    Session s;
    s.O1Click();
    command(s, "G2Click");
    EXPECT_FALSE(s.view().chartVisible);
    EXPECT_TRUE(s.view().visible(GridId::siatka));
    EXPECT_FALSE(s.view().visible(GridId::war_pocz));
    EXPECT_EQ(s.view().Wykr_DaneAkt, "Dane Aktualne");
}

}  // namespace
}  // namespace tgsim
