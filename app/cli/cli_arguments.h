#pragma once
// The command line of tgsim-cli:
//   tgsim-cli [STEP ...] [--results FILE] [--chart FILE] [--compare FILE] [--picture FILE] [--legend]
//             [--standard-parameters FILE] [--modes FILE] [--ringdown QUANTITY[:FROM:TO] FILE]...
//             [--grid NAME]... [--state]
//   tgsim-cli [STEP | --sweep NAME.COL=FROM:TO:COUNT ...] --study FILE [--study-picture FILE] ...
// A STEP is a command by its handler name or a cell edit NAME.COL=TEXT of a grid's value row.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "study_arguments.h"

namespace tgsim::cli {

struct Step {
    std::string command;   // a handler name; empty for a cell edit or a quantity box
    std::string grid;      // cell edit: grid name
    int column = 0;        //            column
    int row = 1;           //            row (1, or 0 for a header)
    std::string text;      //            text, stored as typed
    int box = 0;           // quantity box 1..17 to tick or untick (0: none)
    bool checked = false;
    int sweep = -1;        // a sweep of a study: a cell edit whose text each point sets
                           // (index into StudyOptions::sweeps)
};

// --ringdown: the ringdown of a chart quantity over a window of the last computation.
struct RingdownRequest {
    std::string quantity;            // a chart caption or its CSV name, as given
    std::optional<double> from, to;  // s; where not given, the default window's end
    std::string file;                // requests naming one file share it, one line each
};

struct Arguments {
    std::vector<Step> steps;
    std::optional<std::string> resultsFile;
    std::optional<std::string> chartFile;
    std::optional<std::string> compareFile;
    std::optional<std::string> pictureFile;
    bool legend = false;  // the picture with its legend
    std::optional<std::string> standardParametersFile;
    std::optional<std::string> modesFile;
    std::vector<RingdownRequest> ringdowns;
    std::vector<std::string> grids;
    bool state = false;
    bool help = false;
    StudyOptions study;  // a study when study.tableFile is set
};

// Parses the whole command line; an unknown step or option, a missing option value, an option
// given twice that takes one value, or two outputs naming one file gives an error text instead
// (nothing runs then).
struct ParseResult {
    Arguments arguments;
    std::string error;
};
ParseResult parseArguments(const std::vector<std::string>& args);

// The value of the option at args[i], moving i to it. A value that is missing or begins with
// "--" (the next option; a file of such a name is given as ./--NAME) leaves its message in
// `error` and gives false.
bool optionValue(const std::vector<std::string>& args, std::size_t& i, std::string& value, std::string& error);

// NAME.COL=TEXT into the step's grid, column and text; false when it is no such edit.
bool parseCellEdit(std::string_view arg, Step& step);

// The usage text, with the steps the command table offers.
std::string usage();

}  // namespace tgsim::cli
