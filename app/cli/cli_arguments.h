#pragma once
// The command line of tgsim-cli:
//   tgsim-cli [STEP ...] [--results FILE] [--chart FILE] [--compare FILE] [--picture FILE] [--legend]
//             [--standard-parameters FILE] [--modes FILE] [--ringdown QUANTITY[:FROM:TO] FILE]...
//             [--frequency-response FILE[:FROM:TO:COUNT]] [--pss-tuning FILE] [--export-dyr FILE]
//             [--grid NAME]... [--state] [--save-case FILE]
//   tgsim-cli [STEP | --sweep NAME.COL=FROM:TO:COUNT ...] --study FILE [--study-picture FILE] ...
// A STEP is a command by its handler name, a cell edit NAME.COL=TEXT of a grid's value row or a
// case file to open, --case FILE (driver/script reads them).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/script/steps.h"
#include "study_arguments.h"

namespace tgsim::cli {

// --ringdown: the ringdown of a chart quantity over a window of the last computation.
struct RingdownRequest {
    std::string quantity;            // a chart caption or its CSV name, as given
    std::optional<double> from, to;  // s; where not given, the default window's end
    std::string file;                // requests naming one file share it, one line each
};

// --frequency-response: the responses at `count` log-spaced frequencies from fromHz to toHz.
struct FrequencyResponseRequest {
    std::string file;
    double fromHz = 0.1, toHz = 5.0;
    int count = 200;
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
    std::vector<FrequencyResponseRequest> frequencyResponses;
    std::optional<std::string> pssTuningFile;
    std::optional<std::string> exportDyrFile;  // the machine as dynamic data (GENROU, PSS2A)
    std::vector<std::string> grids;
    bool state = false;
    std::optional<std::string> saveCaseFile;  // the session's case after the steps
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

// A finite number with a decimal point or comma into `value`; an empty text leaves it unset.
// False for anything else.
bool parseWindowTime(std::string_view text, std::optional<double>& value);

// The usage text, with the steps the command table offers.
std::string usage();

}  // namespace tgsim::cli
