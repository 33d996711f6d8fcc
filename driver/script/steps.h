#pragma once
// A script: the steps a session takes, in order, as the user would take them in the window. A
// step is a command by its handler name, a cell edit of a grid, a tick of a chart quantity's box,
// the opening of a case file, or a file read (network data for the imports that follow, a machine
// imported from dynamic data); a study's sweep is a cell edit whose text each point sets.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/session.h"

namespace tgsim {

// The files a step reads.
enum class FileStep {
    None,
    NetworkData,  // --raw FILE
    MachineData,  // --import-dyr FILE[@BUS[:ID]]
};

struct Step {
    std::string command;  // a handler name; empty for a cell edit or a quantity box
    std::string grid;     // cell edit: grid name
    int column = 0;       //            column
    int row = 1;          //            row (1, or 0 for a header)
    std::string text;     //            text, stored as typed
    int box = 0;          // quantity box 1..17 to tick or untick (0: none)
    bool checked = false;
    int sweep = -1;                       // a sweep of a study: a cell edit whose text each point sets
                                          // (index into the study's sweeps)
    std::optional<std::string> caseFile;  // a case file to open (driver/case)
    // The case file's bytes when they were read beforehand (a study reads them once for all its
    // points); read when the step runs otherwise.
    std::shared_ptr<const std::string> caseText;
    FileStep fileStep = FileStep::None;
    std::string file;  // the file step's argument, as given
};

// The step that runs the command of that handler name.
Step commandStep(std::string handler);
// The step that opens that case file.
Step caseStep(std::string file);
// Reads the case files of the steps into them, so that running the steps reads no file; Failure
// "Cannot read file ..." for one that cannot be read.
void readCaseFiles(std::vector<Step>& steps);

// One step on a session; a failing step throws its Failure. A command step's handler must be one
// of the session's commands, a cell edit's grid one of the grids (as the parser makes them); a
// cell outside the grid is refused. Returns a note for the user, or "" (keeping a computation kept
// already is no failure in a script: nothing is done).
std::string runStep(Session& session, const Step& step, SolveObserver* observer);

}  // namespace tgsim
