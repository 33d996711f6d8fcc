#pragma once
// The command line of tgsim-cli:
//   tgsim-cli [STEP ...] [--results FILE] [--chart FILE] [--compare FILE] [--picture FILE] [--legend]
//             [--standard-parameters FILE] [--grid NAME]... [--state]
// A STEP is a command by its handler name or a cell edit NAME.COL=TEXT of a grid's value row.
#include <optional>
#include <string>
#include <vector>

namespace tgsim::cli {

struct Step {
    std::string command;   // a handler name; empty for a cell edit or a quantity box
    std::string grid;      // cell edit: grid name
    int column = 0;        //            column
    int row = 1;           //            row (1, or 0 for a header)
    std::string text;      //            text, stored as typed
    int box = 0;           // quantity box 1..17 to tick or untick (0: none)
    bool checked = false;
};

struct Arguments {
    std::vector<Step> steps;
    std::optional<std::string> resultsFile;
    std::optional<std::string> chartFile;
    std::optional<std::string> compareFile;
    std::optional<std::string> pictureFile;
    bool legend = false;  // the picture with its legend
    std::optional<std::string> standardParametersFile;
    std::vector<std::string> grids;
    bool state = false;
    bool help = false;
};

// Parses the whole command line; an unknown step or option, or a missing option value, gives
// an error text instead (nothing runs then).
struct ParseResult {
    Arguments arguments;
    std::string error;
};
ParseResult parseArguments(const std::vector<std::string>& args);

// The usage text, with the steps the command table offers.
std::string usage();

}  // namespace tgsim::cli
