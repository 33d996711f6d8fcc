#pragma once
// A study from the command line: the table file, then the picture, and the messages.
#include <iosfwd>

#include "cli_arguments.h"

namespace tgsim::cli {

// The whole study: the table file, then the picture; messages on err, the progress too when
// `showProgress`. Returns 0, or 1 when a point failed (its row says why) or a file could not be
// written.
int runStudy(const Arguments& arguments, std::ostream& err, bool showProgress);

}  // namespace tgsim::cli
