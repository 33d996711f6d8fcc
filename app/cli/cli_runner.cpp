#include "cli_runner.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <sstream>

#include "base/failure.h"
#include "base/output_file.h"
#include "base/text_file.h"
#include "data/cell_failure.h"
#include "cli_stability.h"
#include "cli_tuning.h"
#include "driver/case/case_session.h"
#include "driver/result_export.h"
#include "driver/script/steps.h"
#include "ui/chart/offscreen_drawing.h"

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

// A box ticked or unticked before the last computation among the first `ran` steps, which
// (when it completed) ticked Uw, Ug and P afresh.
bool boxStepUndone(const std::vector<Step>& steps, std::size_t ran) {
    const auto end = steps.rend() - static_cast<std::ptrdiff_t>(ran);
    const auto last = std::find_if(end, steps.rend(), [](const Step& s) { return s.command == "O1Click"; });
    return std::any_of(last, steps.rend(), [](const Step& s) { return s.box != 0; });
}

}  // namespace

int run(const Arguments& a, std::ostream& err, const RunOptions& options) {
    Session session;
    int status = 0;
    std::size_t ran = 0;  // steps that ran without failing
    const auto report = [&](const Failure& failure) {
        err << reportedMessage(failure, session.record().pssOrder) << '\n';
        status = 1;
    };
    {
        TerminalProgress progress(err);
        SolveObserver quiet;
        SolveObserver* observer = options.showProgress ? static_cast<SolveObserver*>(&progress) : &quiet;
        for (const Step& step : a.steps) {
            try {
                if (const std::string note = runStep(session, step, observer); !note.empty()) err << note << '\n';
                ++ran;
            } catch (const Failure& failure) {
                report(failure);
                break;
            }
        }
    }
    if (a.pictureFile && session.resultsComplete() && boxStepUndone(a.steps, ran))
        err << "note: a computation ticks Uw, Ug and P afresh; --tick and --untick "
               "given before the last O1Click do not reach --picture\n";
    // Each output on its own: one that cannot be written doesn't keep the others from being written.
    const auto output = [&](const std::optional<std::string>& name,
                            const std::function<void(const std::string&)>& write) {
        if (!name) return;
        try {
            write(*name);
        } catch (const Failure& failure) {
            report(failure);
        }
    };
    output(a.resultsFile, [&](const std::string& name) {
        writeTextFile(name, [&](std::ostream& f) { writeResultsCsv(session, f); });
    });
    output(a.chartFile,
           [&](const std::string& name) { writeTextFile(name, [&](std::ostream& f) { writeChartCsv(session, f); }); });
    output(a.compareFile, [&](const std::string& name) {
        writeTextFile(name, [&](std::ostream& f) { writeCompareCsv(session, f); });
    });
    output(a.pictureFile, [&](const std::string& name) { chart::writeChartPicture(session, name, a.legend); });
    output(a.standardParametersFile, [&](const std::string& name) {
        const StandardParameters table = session.standardParameters();  // a refusal leaves no file
        writeTextFile(name, [&](std::ostream& f) { writeStandardParametersCsv(table, f); });
    });
    output(a.modesFile, [&](const std::string& name) { writeModes(session, name); });
    for (const FrequencyResponseRequest& request : a.frequencyResponses)
        output(request.file, [&](const std::string&) { writeFrequencyResponse(session, request); });
    output(a.pssTuningFile, [&](const std::string& name) { writePssTuning(session, name); });
    output(a.exportDyrFile, [&](const std::string& name) {
        const psse::DyrExport exported = session.exportMachine();  // a refusal leaves no file
        writeTextFile(name, [&](std::ostream& f) { f << exported.text; });
        for (const std::string& note : exported.notes) err << "--export-dyr: " << note << '\n';
    });
    for (const RingdownFile& file : ringdownFiles(a.ringdowns))
        output(file.name, [&](const std::string&) { writeRingdowns(session, file); });
    output(a.saveCaseFile, [&](const std::string& name) { saveCaseFile(session, name); });
    // Standard output is checked as a file is: a write that fails is reported.
    if (!a.grids.empty() || a.state) {
        std::ostringstream text;
        for (const std::string& name : a.grids) writeGrid(session.grids().byId(*gridIdByName(name)), text);
        if (a.state) writeState(session, text);
        try {
            writeStandardOutput(text.str());
        } catch (const Failure& failure) {
            report(failure);
        }
    }
    return status;
}

}  // namespace tgsim::cli
