#pragma once
#include <iosfwd>

#include "cli_arguments.h"

namespace tgsim::cli {

// Runs the steps on a new session and writes the outputs; returns the exit status (0 or 1).
int run(const Arguments& arguments, std::ostream& out, std::ostream& err, bool showProgress);

}  // namespace tgsim::cli
