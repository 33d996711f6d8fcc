#include "kept_run.h"

#include "scenarios/scenario_presets.h"

namespace tgsim {

std::string captionAsName(std::string_view caption) {
    std::string name;
    bool blank = false;
    for (const char c : caption) {
        if (c == ' ') {
            blank = !name.empty();
            continue;
        }
        if (blank) name += ' ';
        blank = false;
        name += c;
    }
    return name;
}

std::string runName(const TParametry& record, std::string_view stabilizerSet, std::string_view generatorSet) {
    const ScenarioPreset* preset = findScenarioPreset(record.scenario.view());
    std::string scenario = preset ? captionAsName(preset->menuCaption) : std::string();
    if (scenario.empty()) scenario = captionAsName(record.scenario.view());
    const std::string stabilizer = record.pssOn == "TAK" ? captionAsName(stabilizerSet) : "bez PSS";
    const char* model = record.model == "Canaya" ? "Canay" : "Klasyczny";
    return scenario + " · " + stabilizer + " · " + model + " · " + std::string(generatorSet);
}

}  // namespace tgsim
