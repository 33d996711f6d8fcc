#include "steps.h"

#include "base/failure.h"
#include "driver/commands.h"

namespace tgsim {

Step commandStep(std::string handler) {
    Step step;
    step.command = std::move(handler);
    return step;
}

std::string runStep(Session& session, const Step& step, SolveObserver* observer) {
    // A script may keep what it kept already (the window refuses the second click): no failure.
    if (step.command == "ZachowajPrzebiegClick" && session.chartRowCount() > 0 && session.resultsKept())
        return "ZachowajPrzebiegClick: this computation is kept already; nothing to do";
    if (!step.command.empty()) {
        findCommand(step.command)->action(session, observer);
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
