#pragma once
// Reference runs: whole tgsim-cli runs whose outputs are kept as text and compared bit for bit.
// The runs are listed in a table, one per line: NAME EVERY ARGUMENT...; an argument @FILE is an
// output file of the run, kept whole, except the row files of --results, --chart and --compare,
// kept as their header, every EVERY-th row and the last.
#include <string>
#include <vector>

namespace tgsim::reference {

struct ReferenceRun {
    std::string name;
    int every = 1;
    std::vector<std::string> arguments;
};

// The table's runs; throws std::runtime_error naming the line of a malformed one.
std::vector<ReferenceRun> readRunTable(const std::string& tableFile);

// Runs `cli` with the run's arguments in a scratch folder and returns the text that is kept:
// the command, the exit status, standard output and error, and each output file.
std::string referenceText(const ReferenceRun& run, const std::string& cli);

// Where two texts first differ, as "line N" with both lines; empty when they are equal.
std::string firstDifference(const std::string& kept, const std::string& now);

}  // namespace tgsim::reference
