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
#include "driver/study/study_picture_lines.h"

namespace tgsim {

struct StudyRunOptions {
    unsigned jobs = 0;                     // threads; 0: the study's own, else one per core
    std::ostream* progress = nullptr;      // points done / total, elapsed, estimated rest
    StudyPictureLines* picture = nullptr;  // receives each point's figure of --study-picture
    std::ostream* notes = nullptr;         // a note when fewer threads than asked could be started
};

struct StudySummary {
    std::uint64_t points = 0;  // the points of this shard
    std::uint64_t failed = 0;
};

// Runs the steps at the shard's points (the sweeps' steps setting each point's values) and writes
// the header and the rows to `table`. An exception from writing stops the threads (each ends the
// point it runs) and passes on.
StudySummary writeStudyTable(const std::vector<Step>& steps, const StudyOptions& study, std::ostream& table,
                             const StudyRunOptions& options);

// The cores this process may run on.
unsigned coreCount();

}  // namespace tgsim
