// Random step sequences with extreme numbers through the runner's chart path: every run ends in
// time with exit status 0 or 1, no sanitizer report, and no chart quantity that is not finite.
// A fixed seed and a time budget: TGSIM_FUZZ_SECONDS, 90 unless set.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "run_cli.h"

namespace tgsim {
namespace {

using testing::CliLimits;
using testing::readFile;
using testing::runCli;
using testing::temporaryPath;

const std::vector<std::string> kExtremes = {
    "0", "-0", "1", "-1", "1e308", "-1e308", "1,7e308", "-1,7e308", "1e-308", "4,9e-324", "-4,9e-324",
    "1e10", "-1e10", "2,5e199", "-2,5e199", "1e-10", "1e150", "-1e150", "1,5", "0,001", "99999", "x", ""};
// Cells that set the run's length get only values that keep it short.
const std::vector<std::string> kTimes = {"-2", "0", "1", "2,5", "5", "-0,0"};
const std::vector<std::string> kFrequencies = {"50", "60", "1", "0"};

const std::vector<std::string> kCommands = {
    "war_koncowClick", "war_zeroweClick", "war_nominalneClick", "Warunkizadane1Click", "Przelacz_DaneAkt_Wykres",
    "Stale_PSS", "PSS2A_1Click", "PSS2A_3Click", "PSS1wejsciowy1Click", "Canaya1Click", "Klasyczny1Click",
    "G1Click", "G4Click", "G6Click", "Softstart1Click", "Synchroniz1Click", "ZabwAutom1Click", "Zwarcie1Click",
    "Pracawsieci1Click", "ZrzutQ1Click", "TestPSS1Click", "Obliczeniecalkicieplnej1Click"};

struct Grid {
    const char* name;
    int columns;
};
const Grid kGrids[] = {{"siatka", 40}, {"siatkaPraca", 17}, {"war_pocz", 20}, {"Siatka_PSS", 7}, {"zadanystanustalony", 8}};

class StepSequence {
public:
    explicit StepSequence(std::mt19937_64& random) : random_(random) {}

    std::vector<std::string> next(const std::string& chart, const std::string& picture) {
        std::vector<std::string> args;
        const int steps = pick(3, 12);
        for (int i = 0; i < steps; ++i) {
            const int kind = pick(0, 9);
            if (kind <= 3) {
                args.push_back(cellEdit());
            } else if (kind <= 5) {
                args.push_back("O1Click");
            } else if (kind <= 7) {
                args.push_back(kCommands[std::size_t(pick(0, int(kCommands.size()) - 1))]);
            } else {
                args.push_back(pick(0, 1) ? "--tick" : "--untick");
                args.push_back(std::to_string(pick(1, 17)));
            }
        }
        args.push_back("O1Click");
        args.insert(args.end(), {"--chart", chart});
        if (pick(0, 1)) args.insert(args.end(), {"--picture", picture});
        return args;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    const std::string& from(const std::vector<std::string>& values) { return values[std::size_t(pick(0, int(values.size()) - 1))]; }

    std::string cellEdit() {
        const Grid& grid = kGrids[pick(0, 4)];
        const int column = pick(0, grid.columns - 1);
        const std::string name = grid.name;
        std::string value = from(kExtremes);
        if (name == "siatkaPraca" && column <= 1) value = from(kTimes);
        if (name == "siatka" && column == 16) value = from(kFrequencies);
        return name + "." + std::to_string(column) + "=" + value;
    }

    std::mt19937_64& random_;
};

// The fields of every row of the chart's quantities that are not finite numbers.
std::string nonFiniteFields(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line, found;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');) {
            char* end = nullptr;
            const double value = std::strtod(field.c_str(), &end);
            if (*end != '\0' || !std::isfinite(value)) found += field + " ";
        }
    }
    return found;
}

std::string joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) text += " '" + arg + "'";
    return text;
}

TEST(ChartPathFuzz, RandomStepSequencesWithExtremeNumbers) {
    const char* budgetText = std::getenv("TGSIM_FUZZ_SECONDS");
    const auto budget = std::chrono::seconds(budgetText ? std::atoi(budgetText) : 90);
    std::mt19937_64 random(20240611);
    StepSequence sequences(random);
    const char* formats[] = {".png", ".svg", ".wmf", ".emf", ".pdf"};
    const auto start = std::chrono::steady_clock::now();
    int runs = 0, failed = 0, faults = 0;
    while (std::chrono::steady_clock::now() - start < budget && failed < 5) {
        const std::string chart = temporaryPath("fuzz.csv"), picture = temporaryPath(std::string("fuzz") + formats[runs % 5]);
        std::remove(chart.c_str());
        const std::vector<std::string> args = sequences.next(chart, picture);
        const testing::CliRun run = runCli(args, CliLimits{120, 4ULL << 30});
        ++runs;
        faults += run.status == 1;
        const bool sanitizerReport = run.err.find("runtime error") != std::string::npos ||
                                     run.err.find("Sanitizer") != std::string::npos;
        const std::string bad = nonFiniteFields(readFile(chart));
        const bool ok = (run.status == 0 || (run.status == 1 && !run.err.empty())) && !sanitizerReport && bad.empty();
        if (!ok) {
            ++failed;
            ADD_FAILURE() << "tgsim-cli" << joined(args) << "\nstatus " << run.status << ", stderr:\n"
                          << run.err.substr(0, 2000) << (bad.empty() ? "" : "\nnot finite: " + bad.substr(0, 200));
        }
    }
    std::cout << runs << " runs, " << faults << " ended by a reported failure\n";
    EXPECT_GT(runs, 0);
}

}  // namespace
}  // namespace tgsim
