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
    bool showProgress = false;  // a long computation's percentage on err
};

// Runs the steps on a new session and writes the outputs (--grid and --state to the process's
// standard output); returns the exit status (0 or 1).
int run(const Arguments& arguments, std::ostream& err, const RunOptions& options = {});

}  // namespace tgsim::cli
