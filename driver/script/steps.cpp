#include "steps.h"

#include "base/failure.h"
#include "base/input_file.h"
#include "driver/case/case_reader.h"
#include "driver/case/case_session.h"
#include "driver/commands.h"

namespace tgsim {

Step commandStep(std::string handler) {
    Step step;
    step.command = std::move(handler);
    return step;
}

Step caseStep(std::string file) {
    Step step;
    step.caseFile = std::move(file);
    return step;
}

void readCaseFiles(std::vector<Step>& steps) {
    for (Step& step : steps)
        if (step.caseFile && !step.caseText)
            step.caseText = std::make_shared<const std::string>(readInputFile(*step.caseFile, kMostCaseBytes));
}

std::string runStep(Session& session, const Step& step, SolveObserver* observer) {
    // A script may keep what it kept already (the window refuses the second click): no failure.
    if (step.command == "ZachowajPrzebiegClick" && session.chartRowCount() > 0 && session.resultsKept())
        return "ZachowajPrzebiegClick: this computation is kept already; nothing to do";
    if (!step.command.empty()) {
        findCommand(step.command)->action(session, observer);
        return {};
    }
    if (step.caseFile) {
        if (step.caseText)
            openCaseText(session, *step.caseText, *step.caseFile);
        else
            openCaseFile(session, *step.caseFile);
        return {};
    }
    if (step.fileStep == FileStep::NetworkData) {
        session.useNetworkFile(step.file);
        return {};
    }
    if (step.fileStep == FileStep::MachineData) {
        const auto [file, choice] = psse::splitMachineArgument(step.file);
        return session.importMachine(file, choice, true);
    }
    if (step.box) {
        session.setSeriesBox(step.box, step.checked);
        return {};
    }
    const GridId id = *gridIdByName(step.grid);
    const TextGrid& grid = session.grids().byId(id);
    if (!grid.contains(step.column, step.row))
        throw Failure(step.grid + " has no column " + std::to_string(step.column) + " (it has " +
                      std::to_string(grid.columnCount()) + ")");
    session.setCell(id, step.column, step.row, step.text);
    return {};
}

}  // namespace tgsim
