#pragma once
// The operating scenarios, one row each: the menu command that chooses it, the name the status
// bar shows, the events the state equations apply and when, the control-grid values and what it
// writes into the initial-condition grid. A new scenario is a new row; a new kind of event is
// also a value of ScenarioEvents and its `case` in the state equations (applyEvents).
#include <array>
#include <string_view>

#include "core/model/parameter_record.h"
#include "data/grids.h"

namespace tgsim {

// What a preset does to row 1 of `war_pocz` (its headers are rewritten unless Untouched).
enum class InitialConditions {
    RestUnexcited,  // "0" everywhere except w1nr "1", alfa and beta "1,57"
    Untouched,      // the conditions already in the grid are used
    AlfaBetaHalf,   // only alfa and beta become "0,50"
    LoadedPoint,    // the operating point of the stabilizer test
};

struct ScenarioPreset {
    const char* handler;  // the command of the menu "Stany Pracy"
    const char* menuCaption;
    const char* shortcut;
    const char* scenarioName;            // as the status bar and the state show it
    ScenarioEvents event;                // what the state equations apply
    EventTiming timing;                  // when
    std::array<const char*, 9> control;  // `siatkaPraca` row 1, in the order of kControlTable
    InitialConditions initial;
    bool switchesStabilizerOn;

    // Stores the scenario's events in the record.
    void setEvents(TParametry& record) const {
        record.scenario = event;
        record.eventTiming = timing;
    }
};

inline constexpr int kScenarioCount = 7;
extern const ScenarioPreset kStartupScenario;  // "wzbudzenie"
extern const std::array<ScenarioPreset, kScenarioCount> kScenarioPresets;
extern const std::array<const char*, 20> kLoadedPointValues;

// The preset that stores that scenario name, or nullptr.
const ScenarioPreset* findScenarioPreset(std::string_view scenarioName);

// Writes the control headers and values, then the initial conditions as the preset says.
void writeScenarioGrids(Grids& grids, const ScenarioPreset& preset);

}  // namespace tgsim
