#include "headless_run.h"

#include <functional>
#include <iostream>
#include <string>

#include "base/failure.h"
#include "base/text_file.h"
#include "driver/result_export.h"
#include "driver/script/steps.h"
#include "ui/chart/offscreen_drawing.h"

namespace tgsim::app {

int runHeadless() {
    constexpr const char* kPrefix = "tgsim: ";
    Session session;
    SolveObserver quiet;
    try {
        runStep(session, commandStep("O1Click"), &quiet);
    } catch (const Failure& failure) {
        std::cerr << kPrefix << failure.what() << '\n';
        return 1;
    }
    // Each file on its own: one that cannot be written doesn't keep the other from being written.
    int status = 0;
    const auto output = [&](const std::function<void()>& write) {
        try {
            write();
            return true;
        } catch (const Failure& failure) {
            std::cerr << kPrefix << failure.what() << '\n';
            status = 1;
            return false;
        }
    };
    const bool results =
        output([&] { writeTextFile(kResultsTable, [&](std::ostream& f) { writeResultsCsv(session, f); }); });
    const bool picture = output([&] { chart::writeChartPicture(session, kChartPicture); });
    if (picture) std::cout << kChartPicture << '\n';
    if (results) std::cout << kResultsTable << '\n';
    return status;
}

}  // namespace tgsim::app
