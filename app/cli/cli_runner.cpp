#include "cli_runner.h"

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>

#include "cli_picture.h"
#include "cli_stability.h"
#include "cli_tuning.h"
#include "core/failure.h"
#include "driver/commands.h"
#include "driver/result_export.h"
#include "driver/text_file.h"

namespace tgsim::cli {
namespace {

// Shows the progress of a long computation (over a second) as a percentage.
class TerminalProgress : public SolveObserver {
public:
    explicit TerminalProgress(std::ostream& err) : err_(err) {}
    ~TerminalProgress() override {
        if (shown_ >= 0) err_ << '\n';
    }
    void setMaximum(int maximum) override {
        maximum_ = maximum;
        start_ = std::chrono::steady_clock::now();
    }
    void setPosition(int position) override {
        if (position % 1024 != 0 || maximum_ <= 0) return;
        if (std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) return;
        const int percent = static_cast<int>(100LL * position / maximum_);
        if (percent == shown_) return;
        shown_ = percent;
        err_ << "\rO1Click: " << percent << " %" << std::flush;
    }

private:
    std::ostream& err_;
    int maximum_ = 0;
    int shown_ = -1;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace

void runStep(Session& session, const Step& step, SolveObserver* observer) {
    if (!step.command.empty()) {
        findCommand(step.command)->action(session, observer);
        return;
    }
    if (step.box) {
        session.setSeriesBox(step.box, step.checked);
        return;
    }
    const GridId id = *gridIdByName(step.grid);
    const TextGrid& grid = session.grids().byId(id);
    if (!grid.contains(step.column, step.row))
        throw Failure(step.grid + " has no column " + std::to_string(step.column) + " (it has " +
                      std::to_string(grid.columnCount()) + ")");
    session.setCell(id, step.column, step.row, step.text);
}

int run(const Arguments& a, std::ostream& out, std::ostream& err, const RunOptions& options) {
    Session session;
    int status = 0;
    const auto report = [&](const Failure& failure) {
        err << options.messagePrefix << failure.what() << '\n';
        status = 1;
    };
    {
        TerminalProgress progress(err);
        SolveObserver quiet;
        SolveObserver* observer = options.showProgress ? static_cast<SolveObserver*>(&progress) : &quiet;
        for (const Step& step : a.steps) {
            try {
                runStep(session, step, observer);
            } catch (const Failure& failure) {
                report(failure);
                break;
            }
        }
    }
    if (status != 0 && !options.writeOutputsAfterFailure) return status;
    // Each output on its own: one that cannot be written doesn't keep the others from being written.
    const auto output = [&](const std::optional<std::string>& name, const std::function<void(const std::string&)>& write) {
        if (!name) return;
        try {
            write(*name);
            if (options.written) options.written->push_back(*name);
        } catch (const Failure& failure) {
            report(failure);
        }
    };
    output(a.resultsFile, [&](const std::string& name) {
        writeTextFile(name, [&](std::ostream& f) { writeResultsCsv(session, f); });
    });
    output(a.chartFile, [&](const std::string& name) {
        writeTextFile(name, [&](std::ostream& f) { writeChartCsv(session, f); });
    });
    output(a.compareFile, [&](const std::string& name) {
        writeTextFile(name, [&](std::ostream& f) { writeCompareCsv(session, f); });
    });
    output(a.pictureFile, [&](const std::string& name) { writeChartPicture(session, name, a.legend); });
    output(a.standardParametersFile, [&](const std::string& name) {
        const StandardParameters table = session.standardParameters();  // a refusal leaves no file
        writeTextFile(name, [&](std::ostream& f) { writeStandardParametersCsv(table, f); });
    });
    output(a.modesFile, [&](const std::string& name) { writeModes(session, name); });
    for (const FrequencyResponseRequest& request : a.frequencyResponses)
        output(request.file, [&](const std::string&) { writeFrequencyResponse(session, request); });
    output(a.pssTuningFile, [&](const std::string& name) { writePssTuning(session, name); });
    for (const RingdownFile& file : ringdownFiles(a.ringdowns))
        output(file.name, [&](const std::string&) { writeRingdowns(session, file); });
    for (const std::string& name : a.grids) writeGrid(session.grids().byId(*gridIdByName(name)), out);
    if (a.state) writeState(session, out);
    return status;
}

}  // namespace tgsim::cli
