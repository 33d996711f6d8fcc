#pragma once
// Which file an output names, so that two outputs of one command line never write one file (the
// later would silently replace the earlier).
#include <optional>
#include <string>

namespace tgsim::cli {

struct Arguments;

// What identifies the file `name` would write: an existing regular file by its device and inode
// (hard and symbolic links to it alike), a new one by its absolute, normalised path with the
// symbolic links of its folders followed. None for an existing file that is not a regular file
// (a pipe, a terminal, /dev/stdout, /dev/null): such outputs are appended, never replaced.
std::optional<std::string> fileIdentity(const std::string& name);

// The message for two outputs that name one file, by their options, or "". Ringdowns naming
// one file share it (one line each).
std::string checkDistinctOutputs(const Arguments& arguments);

}  // namespace tgsim::cli
