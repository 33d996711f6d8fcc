#include "headless_run.h"

#include <iostream>
#include <string>
#include <vector>

#include "app/cli/cli_runner.h"

namespace tgsim::app {

int runHeadless() {
    cli::Arguments arguments;
    cli::Step compute;
    compute.command = "O1Click";
    arguments.steps.push_back(compute);
    arguments.pictureFile = kChartPicture;
    arguments.resultsFile = kResultsTable;

    std::vector<std::string> written;
    cli::RunOptions options;
    options.messagePrefix = "tgsim: ";
    options.writeOutputsAfterFailure = false;
    options.written = &written;
    const int status = cli::run(arguments, std::cerr, options);
    for (const char* name : {kChartPicture, kResultsTable})
        for (const std::string& done : written)
            if (done == name) std::cout << name << '\n';
    return status;
}

}  // namespace tgsim::app
