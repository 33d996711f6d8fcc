// tgsim-cli: scripted runs of the simulator without a window.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli_arguments.h"
#include "cli_runner.h"
#include "cli_study.h"

namespace {

int runCommandLine(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const tgsim::cli::ParseResult parsed = tgsim::cli::parseArguments(args);
    if (!parsed.error.empty()) {
        std::cerr << "tgsim-cli: " << parsed.error << "\n\n" << tgsim::cli::usage();
        return 2;
    }
    if (parsed.arguments.help) {
        std::cout << tgsim::cli::usage();
        return 0;
    }
    if (parsed.arguments.study.tableFile)
        return tgsim::cli::runStudy(parsed.arguments, std::cerr, isatty(STDERR_FILENO) != 0);
    tgsim::cli::RunOptions options;
    options.showProgress = isatty(STDERR_FILENO) != 0;
    return tgsim::cli::run(parsed.arguments, std::cerr, options);
}

}  // namespace

int main(int argc, char** argv) {
    // Whatever escapes (no memory left, ...) is reported, never an abort.
    try {
        return runCommandLine(argc, argv);
    } catch (const std::exception& failure) {
        std::cerr << "tgsim-cli: " << failure.what() << '\n';
        return 1;
    }
}
