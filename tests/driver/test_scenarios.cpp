// Scenario presets, the stabilizer switch and the initial-condition presets of the session.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "base/failure.h"
#include "driver/session.h"
#include "session_steps.h"

namespace tgsim {
namespace {

using testing::command;

struct PresetSheet {
    const char* handler;
    const char* scenario;
    std::array<const char*, 9> control;  // columns 0, 1, 2, 8 .. 13
};
const PresetSheet kSheet[] = {
    {"Softstart1Click", "Softstart", {"0", "15", "-0,0", "0", "0", "-5", "TAK", "1", "0"}},
    {"Synchroniz1Click", "Synchronizacja", {"0", "20", "-0,0", "10", "100", "-5", "TAK", "0,95", "0"}},
    {"ZabwAutom1Click", "ZabwAutom", {"0", "20", "-0,0", "5", "14", "-5", "TAK", "1", "-0,1"}},
    {"Zwarcie1Click", "Zwarcie", {"0", "5,0", "-0,0", "2", "11", "-5", "TAK", "1", "0"}},
    {"Pracawsieci1Click", "Praca w sieci", {"0", "10", "-0,5", "2", "11", "-5", "NIE", "1", "0"}},
    {"ZrzutQ1Click", "ZrzutQ", {"-4", "6", "-0,0", "0,5", "18", "-5", "NIE", "1,04", "0,0"}},
    {"TestPSS1Click", "Test SS", {"0", "20", "-0,9", "10", "10,1", "-1", "NIE", "1", "0,02"}},
};
const int kControlColumnsUsed[9] = {0, 1, 2, 8, 9, 10, 11, 12, 13};
const char* const kControlHeaderSheet[9] = {"to [s]",  "tk [s]", "Tmr [-]", "tz1 [s]", "tz2 [s]",
                                            "b [1/s]", "PrSam",  "Ugz",     "Zaburz"};

TEST(Session, StartsAsTheProgramStarts) {
    Session s;
    EXPECT_STREQ(s.scenario().scenarioName, "wzbudzenie");
    EXPECT_EQ(s.record().scenario, ScenarioEvents::None);
    EXPECT_EQ(s.record().model, RotorModel::Klasyczny);
    EXPECT_EQ(s.record().pssOrder, 4);
    EXPECT_EQ(s.record().stepCount, 7000);
    EXPECT_FALSE(s.stabilizerOn());
    EXPECT_EQ(s.view().Wykr_DaneAkt, "Dane Aktualne");
    EXPECT_FALSE(s.view().Wykr_DaneAktEnabled);
    EXPECT_FALSE(s.view().CalkaCieplnaVisible);
    EXPECT_FALSE(s.view().chartVisible);
    EXPECT_FALSE(s.view().seriesBoxesVisible);
    EXPECT_TRUE(s.view().visible(GridId::siatka) && s.view().visible(GridId::siatkaPraca) &&
                s.view().visible(GridId::war_pocz));
    EXPECT_FALSE(s.view().visible(GridId::Siatka_PSS) || s.view().visible(GridId::zadanystanustalony));
    EXPECT_EQ(s.grids().Siatka_PSS.columnCount(), 7);
    EXPECT_EQ(s.view().panels[0], "Czas obliczeń = .... ?");
    EXPECT_EQ(s.view().panels[1], "Stan Pracy: wzbudzenie");
    EXPECT_EQ(s.view().panels[2], "Liczba iteracji = ........");
    EXPECT_EQ(s.view().panels[3], "Obliczenia: 1.wybierz: Dane Aktualne,  2.kliknij: Formularz lub F10");
    for (int c = 0; c < 20; ++c)
        EXPECT_EQ(s.grids().war_pocz.cell(c, 1), c == 6 ? "1" : (c == 8 || c == 9 ? "1,57" : "0"));
    for (int c : {3, 4, 5, 6, 7, 14, 15, 16}) EXPECT_EQ(s.grids().siatkaPraca.cell(c, 0), "");
}

TEST(Session, EveryPresetWritesItsControlRowAndName) {
    for (const PresetSheet& preset : kSheet) {
        Session s;
        s.O1Click();
        command(s, preset.handler);
        EXPECT_STREQ(s.scenario().scenarioName, preset.scenario);
        EXPECT_FALSE(s.view().chartVisible);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(s.grids().siatkaPraca.cell(kControlColumnsUsed[i], 0), kControlHeaderSheet[i]);
            EXPECT_EQ(s.grids().siatkaPraca.cell(kControlColumnsUsed[i], 1), preset.control[i]) << preset.scenario;
        }
    }
}

TEST(Session, PresetsThatKeepTheInitialConditionsKeepTypedCells) {
    for (const char* handler : {"ZabwAutom1Click", "Zwarcie1Click", "Pracawsieci1Click"}) {
        Session s;
        s.setCell(GridId::war_pocz, 3, 1, "0,123");
        s.setCell(GridId::war_pocz, 0, 0, "typed");
        command(s, handler);
        EXPECT_EQ(s.grids().war_pocz.cell(3, 1), "0,123");
        EXPECT_EQ(s.grids().war_pocz.cell(0, 0), "typed");
    }
}

TEST(Session, LoadRejectionAfterThePssTestKeepsTheOperatingPointButAlfaAndBeta) {
    Session s;
    command(s, "TestPSS1Click");
    EXPECT_TRUE(s.stabilizerOn());
    EXPECT_TRUE(s.view().visible(GridId::Siatka_PSS));
    const char* point[20] = {"-1,46", "0,76", "0", "-0,60", "0",     "0",     "1",     "-1,25", "0,70", "0,70",
                             "0,95",  "0,33", "0", "0",     "-0,77", "-0,28", "15750", "0,0",   "3284", "0,7"};
    for (int c = 0; c < 20; ++c) EXPECT_EQ(s.grids().war_pocz.cell(c, 1), point[c]);
    command(s, "ZrzutQ1Click");
    for (int c = 0; c < 20; ++c) EXPECT_EQ(s.grids().war_pocz.cell(c, 1), c == 8 || c == 9 ? "0,50" : point[c]);
    command(s, "TestPSS1Click");
    EXPECT_TRUE(s.stabilizerOn());  // stays on
}

TEST(Session, StabilizerSwitchAndSets) {
    Session s;
    command(s, "PSS2A_2Click");
    EXPECT_EQ(s.record().pssOrder, 9);
    EXPECT_FALSE(s.view().visible(GridId::Siatka_PSS));
    s.Stale_PSS();
    EXPECT_TRUE(s.stabilizerOn());
    EXPECT_TRUE(s.view().visible(GridId::Siatka_PSS));
    EXPECT_EQ(s.grids().Siatka_PSS.cell(0, 1), "5");
    s.Stale_PSS();
    EXPECT_FALSE(s.stabilizerOn());
    EXPECT_FALSE(s.view().visible(GridId::Siatka_PSS));
}

TEST(Session, StoredStatesAreZeroBeforeTheFirstComputation) {
    Session s;
    s.war_zeroweClick();
    for (int c = 0; c < 20; ++c) EXPECT_EQ(s.grids().war_pocz.cell(c, 1), "0");
    s.setCell(GridId::war_pocz, 5, 1, "7");
    s.war_koncowClick();
    for (int c = 0; c < 20; ++c) EXPECT_EQ(s.grids().war_pocz.cell(c, 1), "0");
}

TEST(Session, ThermalFigureOfSetOneAndItsFault) {
    Session s;
    s.Obliczeniecalkicieplnej1Click();
    EXPECT_TRUE(s.view().CalkaCieplnaVisible);
    EXPECT_EQ(s.view().CalkaCieplna, "Calka = 0,07003");
    s.setCell(GridId::siatka, 32, 1, "0");  // Iwz
    s.O1Click();                            // hides the button
    EXPECT_THROW(s.Obliczeniecalkicieplnej1Click(), Failure);
    EXPECT_FALSE(s.view().CalkaCieplnaVisible);
    EXPECT_EQ(s.view().CalkaCieplna, "Calka = 0,07003");
}

TEST(Session, GeneratorSetsTakeEffectAtTheNextComputation) {
    Session s;
    command(s, "G3Click");
    EXPECT_EQ(s.grids().siatka.cell(8, 1), "Skawina bl.5");
    EXPECT_EQ(s.record().Un, 15750.0);  // the record is refreshed only by a computation
    s.Canaya1Click();
    EXPECT_EQ(s.record().model, RotorModel::Canaya);
    s.Klasyczny1Click();
    EXPECT_EQ(s.record().model, RotorModel::Klasyczny);
}

}  // namespace
}  // namespace tgsim
