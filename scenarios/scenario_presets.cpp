#include "scenario_presets.h"

#include "data/grid_columns.h"

namespace tgsim {

// The start-up scenario: written by the start-up, no menu command.
// clang-format off
const ScenarioPreset kStartupScenario = {"", "", "", "wzbudzenie", ScenarioEvents::None, EventTiming::None,
                                         {"-2", "5", "-0,0", "12", "15", "-5", "TAK", "1", "0"},
                                         InitialConditions::RestUnexcited, false};

// handler, menu caption, shortcut, name, events and their timing; control row: to, tk, Tmr, tz1, tz2, b, PrSam, Ugz, Zaburz;
// initial conditions, whether it switches the stabilizer on.
const std::array<ScenarioPreset, kScenarioCount> kScenarioPresets = {{
    {"Softstart1Click", "Softstart", "F1", "Softstart", ScenarioEvents::Softstart, EventTiming::EndOfRamp,
     {"0", "15", "-0,0", "0", "0", "-5", "TAK", "1", "0"}, InitialConditions::RestUnexcited, false},
    {"Synchroniz1Click", "Synchronizacja", "F2", "Synchronizacja", ScenarioEvents::Synchronizacja, EventTiming::AtTz1,
     {"0", "20", "-0,0", "10", "100", "-5", "TAK", "0,95", "0"}, InitialConditions::RestUnexcited, false},
    {"ZabwAutom1Click", "Zaburzenie w RA      ", "F3", "ZabwAutom", ScenarioEvents::ZabwAutom, EventTiming::Tz1ToTz2,
     {"0", "20", "-0,0", "5", "14", "-5", "TAK", "1", "-0,1"}, InitialConditions::Untouched, false},
    {"Zwarcie1Click", "Zwarcie", "F4", "Zwarcie", ScenarioEvents::Zwarcie, EventTiming::AtTz1,
     {"0", "5,0", "-0,0", "2", "11", "-5", "TAK", "1", "0"}, InitialConditions::Untouched, false},
    {"Pracawsieci1Click", "Praca w sieci", "F5", "Praca w sieci", ScenarioEvents::None, EventTiming::None,
     {"0", "10", "-0,5", "2", "11", "-5", "NIE", "1", "0"}, InitialConditions::Untouched, false},
    {"ZrzutQ1Click", "Zrzut Q", "F6", "ZrzutQ", ScenarioEvents::ZrzutQ, EventTiming::AtTz1,
     {"-4", "6", "-0,0", "0,5", "18", "-5", "NIE", "1,04", "0,0"}, InitialConditions::AlfaBetaHalf, false},
    {"TestPSS1Click", "Test: PSS 2A", "F7", "Test SS", ScenarioEvents::TestSS, EventTiming::Tz1ToTz2,
     {"0", "20", "-0,9", "10", "10,1", "-1", "NIE", "1", "0,02"}, InitialConditions::LoadedPoint, true},
}};

const std::array<const char*, 20> kLoadedPointValues = {
    "-1,46", "0,76", "0", "-0,60", "0", "0", "1", "-1,25", "0,70", "0,70",
    "0,95", "0,33", "0", "0", "-0,77", "-0,28", "15750", "0,0", "3284", "0,7"};
// clang-format on

const ScenarioPreset* findScenarioPreset(std::string_view scenarioName) {
    for (const ScenarioPreset& preset : kScenarioPresets)
        if (scenarioName == preset.scenarioName) return &preset;
    return nullptr;
}

void writeScenarioGrids(Grids& grids, const ScenarioPreset& preset) {
    TextGrid& control = grids.siatkaPraca;
    writeHeaders(control, kControlTable);
    for (std::size_t i = 0; i < kControlTable.size(); ++i)
        control.setCell(kControlTable[i].column, 1, preset.control[i]);

    TextGrid& initial = grids.war_pocz;
    if (preset.initial == InitialConditions::Untouched) return;
    writeInitialHeaders(initial);
    switch (preset.initial) {
    case InitialConditions::RestUnexcited:
        for (int column = 0; column < 20; ++column) initial.setCell(column, 1, "0");
        initial.setCell(6, 1, "1");
        initial.setCell(8, 1, "1,57");
        initial.setCell(9, 1, "1,57");
        break;
    case InitialConditions::AlfaBetaHalf:
        initial.setCell(8, 1, "0,50");
        initial.setCell(9, 1, "0,50");
        break;
    case InitialConditions::LoadedPoint:
        for (int column = 0; column < 20; ++column)
            initial.setCell(column, 1, kLoadedPointValues[static_cast<std::size_t>(column)]);
        break;
    case InitialConditions::Untouched: break;
    }
}

}  // namespace tgsim
