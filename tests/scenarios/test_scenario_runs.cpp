// Every scenario preset on every readable generator set in both models, with and without the
// PSS2A: each run completes or ends in a floating-point fault with the system's message, and no
// stored row holds an infinity or NaN.
#include <gtest/gtest.h>

#include <string>

#include "core_runs.h"

namespace tgsim {
namespace {

TEST(ScenarioRuns, EveryPresetSetAndModelRunsSoundly) {
    for (const char* model : {"Klasyc", "Canaya"}) {
        for (int set : {1, 2, 3, 4, 6}) {
            for (const ScenarioPreset& preset : kScenarioPresets) {
                for (int pss2a : {0, 1}) {
                    const std::string what = std::string(model) + " set " + std::to_string(set) + " " +
                                             preset.scenarioName + (pss2a ? " PSS2A" : "");
                    const testing::RunInputs in = testing::loadRun(set, model, &preset, pss2a);
                    ResultMatrix results;
                    const std::string failure = testing::run(in, results);
                    if (!failure.empty()) {
                        EXPECT_TRUE(failure == kDivisionByZero || failure == kOverflow || failure == kInvalidOperation)
                            << what << ": " << failure;
                        RecordProperty(what, failure);
                    } else {
                        EXPECT_EQ(results.storedRows(), static_cast<std::size_t>(in.record.stepCount) + 1) << what;
                    }
                    EXPECT_GE(results.storedRows(), 1u) << what;
                    EXPECT_TRUE(testing::allStoredRowsFinite(results)) << what;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tgsim
