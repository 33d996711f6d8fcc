#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "cli_arguments.h"

namespace tgsim {
class Session;
class SolveObserver;
}  // namespace tgsim

namespace tgsim::cli {

struct RunOptions {
    bool showProgress = false;       // a long computation's percentage on err
    std::string messagePrefix;       // put before every message on err
    bool writeOutputsAfterFailure = true;
    std::vector<std::string>* written = nullptr;  // receives the names of the files written
};

// Runs the steps on a new session and writes the outputs (--grid and --state to the process's
// standard output); returns the exit status (0 or 1).
int run(const Arguments& arguments, std::ostream& err, const RunOptions& options = {});

// One step on a session; a failing step throws its Failure. Returns a note for the user, or ""
// (keeping a computation kept already is no failure in a script: nothing is done).
std::string runStep(Session& session, const Step& step, SolveObserver* observer);

}  // namespace tgsim::cli
