#pragma once
// Computations kept for comparison with later ones: each holds its result rows, the record that
// scales them and the name that says what was computed.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "chart_quantities.h"
#include "core/model/parameter_record.h"
#include "core/numerics/result_matrix.h"
#include "scenarios/scenario_presets.h"

namespace tgsim {

// At most this many runs are kept; keeping one more drops the oldest.
inline constexpr std::size_t kMaxKeptRuns = 4;

struct KeptRun {
    // The rows as the computation stored them, shared with the session until its next
    // computation and never changed: keeping a run copies nothing.
    std::shared_ptr<const ResultMatrix> results;
    std::size_t rowCount = 0;  // the rows the chart plots
    TParametry record;         // the record that scales them
    std::string name;

    ChartRows chartRows() const { return {*results, rowCount, record}; }
};

// The name of a computation, from what was loaded when it ran: the scenario's menu caption (its
// name for the start-up scenario), the stabilizer set or "bez PSS" (when the record's stabilizer
// did not act), the record's rotor model and the generator set, joined by " · ", e.g.
// "Test: PSS 2A · PSS 2A - D.O. · Canay · G1". The sets are named as loaded: cells edited since
// do not rename them. A run that did not start from a state the grids were given ends with how
// it started (`startNote`, e.g. "od warunków końcowych"), so that runs from different states
// are not taken for a fair comparison.
std::string runName(const ScenarioPreset& scenario, const TParametry& record, std::string_view stabilizerSet,
                    std::string_view generatorSet, std::string_view startNote = {});

// A menu caption as a name: without the blanks around it, inner runs of blanks made one.
std::string captionAsName(std::string_view caption);

}  // namespace tgsim
