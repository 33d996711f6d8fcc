#include "cli_runner.h"

#include <chrono>
#include <functional>
#include <ostream>

#include "cli_picture.h"
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

void runStep(Session& session, const Step& step, SolveObserver* observer) {
    if (!step.command.empty()) {
        findCommand(step.command)->run(session, observer);
        return;
    }
    if (step.box) {
        session.setSeriesBox(step.box, step.checked);
        return;
    }
    TextGrid* grid = session.grids.byName(step.grid);
    if (!grid->contains(step.column, step.row))
        throw Failure(step.grid + " has no column " + std::to_string(step.column) + " (it has " +
                      std::to_string(grid->columnCount()) + ")");
    session.setCell(*grid, step.column, step.row, step.text);
}

// Writes one output file; a failure is reported and makes the exit status 1.
bool writeOutput(const std::string& name, const std::function<void(std::ostream&)>& writer, std::ostream& err) {
    try {
        writeTextFile(name, writer);
    } catch (const Failure& failure) {
        err << failure.what() << '\n';
        return false;
    }
    return true;
}

}  // namespace

int run(const Arguments& a, std::ostream& out, std::ostream& err, bool showProgress) {
    Session session;
    int status = 0;
    {
        TerminalProgress progress(err);
        SolveObserver quiet;
        SolveObserver* observer = showProgress ? static_cast<SolveObserver*>(&progress) : &quiet;
        for (const Step& step : a.steps) {
            try {
                runStep(session, step, observer);
            } catch (const Failure& failure) {
                err << failure.what() << '\n';
                status = 1;
                break;
            }
        }
    }
    if (a.resultsFile && !writeOutput(*a.resultsFile, [&](std::ostream& f) { writeResultsCsv(session, f); }, err))
        status = 1;
    if (a.chartFile && !writeOutput(*a.chartFile, [&](std::ostream& f) { writeChartCsv(session, f); }, err))
        status = 1;
    if (a.pictureFile && !writeChartPicture(session, *a.pictureFile, err)) status = 1;
    for (const std::string& name : a.grids) writeGrid(*session.grids.byName(name), out);
    if (a.state) writeState(session, out);
    return status;
}

}  // namespace tgsim::cli
