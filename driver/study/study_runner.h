#pragma once
// Running a study: the points of the shard on worker threads, each point in a session of its own
// and nothing else shared but the queue of finished rows; the calling thread writes the table in
// point order as the rows come in, so the table is the same whatever the number of threads.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <vector>

#include "driver/script/steps.h"
#include "driver/study/study_plan.h"

namespace tgsim {

struct StudyRunOptions {
    unsigned jobs = 0;                 // threads; 0: the study's own, else one per core
    std::ostream* progress = nullptr;  // points done / total, elapsed, estimated rest
};

// A point's value of the figure the picture draws; unset where the table leaves it empty.
struct PictureValue {
    std::uint64_t point = 0;
    std::optional<double> value;
};

struct StudySummary {
    std::uint64_t points = 0;  // the points of this shard
    std::uint64_t failed = 0;
    std::vector<PictureValue> figure;  // filled only when the study draws a picture
};

// Runs the steps at the shard's points (the sweeps' steps setting each point's values) and writes
// the header and the rows to `table`. An exception from writing stops the threads (each ends the
// point it runs) and passes on.
StudySummary writeStudyTable(const std::vector<Step>& steps, const StudyOptions& study, std::ostream& table,
                             const StudyRunOptions& options);

// The cores this process may run on.
unsigned coreCount();

}  // namespace tgsim
