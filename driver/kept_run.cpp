#include "kept_run.h"

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

std::string runName(const ScenarioPreset& preset, const TParametry& record, std::string_view stabilizerSet,
                    std::string_view generatorSet, std::string_view startNote) {
    std::string scenario = captionAsName(preset.menuCaption);
    if (scenario.empty()) scenario = captionAsName(preset.scenarioName);
    const std::string stabilizer = record.pssOn ? captionAsName(stabilizerSet) : "bez PSS";
    const char* model = record.model == RotorModel::Canaya ? "Canay" : "Klasyczny";
    std::string name = scenario + " · " + stabilizer + " · " + model + " · " + std::string(generatorSet);
    if (!startNote.empty()) name += " · " + std::string(startNote);
    return name;
}

}  // namespace tgsim
