#pragma once
// The runner's outputs of the operating point's stability: the modes (--modes) and the
// ringdowns of the last computation (--ringdown).
#include <string>
#include <vector>

#include "cli_arguments.h"

namespace tgsim {
class Session;
}

namespace tgsim::cli {

// The modal analysis of the session's initial state as CSV. A refusal raises its Failure and
// writes no file.
void writeModes(const Session& session, const std::string& fileName);

// The ringdown requests that name one file (however spelt), in the order given.
struct RingdownFile {
    std::string name;
    std::vector<const RingdownRequest*> requests;
};
std::vector<RingdownFile> ringdownFiles(const std::vector<RingdownRequest>& requests);

// One line per request. The first refusal (no completed computation, a window of too few rows,
// ...) raises its Failure and writes no file.
void writeRingdowns(const Session& session, const RingdownFile& file);

}  // namespace tgsim::cli
