#pragma once
// Runs tgsim-cli as a subprocess and collects its exit status, standard output and error.
#include <string>
#include <vector>

namespace tgsim::testing {

struct CliRun {
    int status = -1;  // the exit status, or minus the signal that ended the runner
    std::string out;
    std::string err;
};

// Where the runner's standard output goes: a file the test reads, nowhere (closed), a device
// that takes nothing (/dev/full), a pipe whose reader has gone.
enum class StandardOutput { File, Closed, Full, ReaderGone };

// Bounds for a run that might not end: after `seconds` the runner is killed (SIGALRM), and
// outside the sanitizer build its memory is capped at `addressSpace` bytes. 0: no bound.
struct CliLimits {
    unsigned seconds = 0;
    unsigned long long addressSpace = 0;
    StandardOutput standardOutput = StandardOutput::File;
};

CliRun runCli(const std::vector<std::string>& args, const CliLimits& limits = {});
std::string readFile(const std::string& path);
std::string temporaryPath(const std::string& name);

}  // namespace tgsim::testing
