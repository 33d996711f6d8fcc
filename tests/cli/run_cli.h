#pragma once
// Runs tgsim-cli as a subprocess and collects its exit status, standard output and error.
#include <string>
#include <vector>

namespace tgsim::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun runCli(const std::vector<std::string>& args);
std::string readFile(const std::string& path);
std::string temporaryPath(const std::string& name);

}  // namespace tgsim::testing
