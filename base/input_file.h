#pragma once
// Reading a small input file (a case file) whole, with a message that says why it cannot be read.
#include <cstddef>
#include <string>

namespace tgsim {

// The bytes of the file `name`. Throws Failure "Cannot read file <name>" with the cause on the
// next line when it cannot be opened or read, is a folder, or holds more than maxBytes (a device
// that never ends, such as /dev/zero, is read no further than that).
std::string readInputFile(const std::string& name, std::size_t maxBytes);

}  // namespace tgsim
