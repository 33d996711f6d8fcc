#pragma once
// Writing a text file in one piece: the text goes to a temporary file beside the target, which
// then replaces the target, so a failure never leaves a half-written file behind.
#include <functional>
#include <ostream>
#include <string>

namespace tgsim {

// Throws Failure "Cannot create file <name>" when the file cannot be written.
void writeTextFile(const std::string& name, const std::function<void(std::ostream&)>& writer);

}  // namespace tgsim
