// tgsim_reference_runs: checks the reference runs against their kept outputs, or writes them.
//
//   tgsim_reference_runs check|write [NAME ...] [--cli PROGRAM] [--folder FOLDER]
//
// Without a NAME every run of FOLDER/runs.txt. The defaults are this build's tgsim-cli and the
// source tree's tests/reference_runs. A kept output is changed only in a commit of its own that
// says why the results changed.
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "reference_run.h"

namespace {

using tgsim::reference::ReferenceRun;

constexpr const char* kUsage = "usage: tgsim_reference_runs check|write [NAME ...] [--cli PROGRAM] [--folder FOLDER]\n";

struct Options {
    bool write = false;
    std::vector<std::string> names;
    std::string cli = TGSIM_CLI_PATH;
    std::string folder = TGSIM_REFERENCE_FOLDER;
};

bool parse(int argc, char** argv, Options& o) {
    if (argc < 2) return false;
    const std::string mode = argv[1];
    if (mode != "check" && mode != "write") return false;
    o.write = mode == "write";
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--cli" || arg == "--folder") && i + 1 < argc)
            (arg == "--cli" ? o.cli : o.folder) = argv[++i];
        else if (arg.rfind("--", 0) == 0)
            return false;
        else
            o.names.push_back(arg);
    }
    return true;
}

std::vector<ReferenceRun> selected(const std::vector<ReferenceRun>& runs, const std::vector<std::string>& names) {
    if (names.empty()) return runs;
    std::vector<ReferenceRun> chosen;
    for (const std::string& name : names) {
        bool found = false;
        for (const ReferenceRun& run : runs)
            if (run.name == name) chosen.push_back(run), found = true;
        if (!found) throw std::runtime_error("No reference run named " + name);
    }
    return chosen;
}

// 0 when the run's output is the kept one to the last byte.
int check(const ReferenceRun& run, const Options& o) {
    const std::string path = o.folder + "/" + run.name + ".txt";
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << run.name << ": no kept output " << path << " (tgsim_reference_runs write " << run.name << ")\n";
        return 1;
    }
    const std::string kept{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string difference = tgsim::reference::firstDifference(kept, tgsim::reference::referenceText(run, o.cli));
    if (difference.empty()) {
        std::cout << run.name << ": the same\n";
        return 0;
    }
    std::cerr << run.name << ": the results changed, first at " << path << " " << difference;
    return 1;
}

void write(const ReferenceRun& run, const Options& o) {
    const std::string path = o.folder + "/" + run.name + ".txt";
    const std::string text = tgsim::reference::referenceText(run, o.cli);
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file.flush()) throw std::runtime_error("Cannot write " + path);
    std::cout << "wrote " << path << " (" << text.size() << " bytes)\n";
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        const std::vector<ReferenceRun> runs =
            selected(tgsim::reference::readRunTable(o.folder + "/runs.txt"), o.names);
        int failed = 0;
        for (const ReferenceRun& run : runs) {
            if (o.write)
                write(run, o);
            else
                failed += check(run, o);
        }
        return failed ? 1 : 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 2;
    }
}
