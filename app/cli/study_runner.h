#pragma once
// Running a study: the points of the shard on worker threads, each point in a session of its own
// and nothing else shared but the queue of finished rows; the calling thread writes the table in
// point order as the rows come in, so the table is the same whatever the number of threads.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <vector>

#include "cli_arguments.h"
#include "study_picture_lines.h"

namespace tgsim::cli {

struct StudyRunOptions {
    unsigned jobs = 0;                 // threads; 0: --jobs, else one per core
    std::ostream* progress = nullptr;  // points done / total, elapsed, estimated rest
    StudyPictureLines* picture = nullptr;  // receives each point's figure of --study-picture
    std::ostream* notes = nullptr;     // a note when fewer threads than asked could be started
};

struct StudySummary {
    std::uint64_t points = 0;  // the points of this shard
    std::uint64_t failed = 0;
};

// Writes the header and the rows of the shard's points to `table`. An exception from writing
// stops the threads (each ends the point it runs) and passes on.
StudySummary writeStudyTable(const Arguments& arguments, std::ostream& table, const StudyRunOptions& options);

// The whole study: the table file, then the picture; messages on err, the progress too when
// `showProgress`. Returns 0, or 1 when a point failed (its row says why) or a file could not be
// written.
int runStudy(const Arguments& arguments, std::ostream& err, bool showProgress);

// The cores this process may run on.
unsigned coreCount();

}  // namespace tgsim::cli
