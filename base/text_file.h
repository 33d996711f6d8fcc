#pragma once
// Writing a text file in one piece, the way every output file is written (base/output_file.h):
// a failure or an interrupt never leaves a half-written or a temporary file behind, and a pipe,
// a device or a symbolic link named as the output is written through, never replaced.
#include <functional>
#include <ostream>
#include <string>

#include "base/output_file.h"

namespace tgsim {

// Throws Failure "Cannot create file <name>" with the cause on the next line when the file
// cannot be written. The writer's stream stops taking text as soon as a write fails.
void writeTextFile(const std::string& name, const std::function<void(std::ostream&)>& writer,
                   PendingContents pending = PendingContents::UnnamedWherePossible);

}  // namespace tgsim
