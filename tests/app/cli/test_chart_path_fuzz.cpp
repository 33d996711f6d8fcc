// Random step sequences with extreme numbers through the runner's chart path, with ringdowns of
// windows of every length, and now and then as a study with random study options: every run ends
// in time with exit status 0 or 1, no sanitizer report, no chart quantity and no study figure
// that is not finite.
// A fixed seed and a time budget: TGSIM_FUZZ_SECONDS, 90 unless set.
#include <gtest/gtest.h>

#include <algorithm>
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

const std::vector<std::string> kExtremes = {"0",       "-0",       "1",        "-1",       "1e308",     "-1e308",
                                            "1,7e308", "-1,7e308", "1e-308",   "4,9e-324", "-4,9e-324", "1e10",
                                            "-1e10",   "2,5e199",  "-2,5e199", "1e-10",    "1e150",     "-1e150",
                                            "1,5",     "0,001",    "99999",    "x",        ""};
// Cells that set the run's length get only values that keep it short.
const std::vector<std::string> kTimes = {"-2", "0", "1", "2,5", "5", "-0,0"};
const std::vector<std::string> kFrequencies = {"50", "60", "1", "0"};

const std::vector<std::string> kCommands = {"war_koncowClick",
                                            "war_zeroweClick",
                                            "war_nominalneClick",
                                            "Warunkizadane1Click",
                                            "Przelacz_DaneAkt_Wykres",
                                            "Stale_PSS",
                                            "PSS2A_1Click",
                                            "PSS2A_3Click",
                                            "PSS1wejsciowy1Click",
                                            "Canaya1Click",
                                            "Klasyczny1Click",
                                            "G1Click",
                                            "G4Click",
                                            "G6Click",
                                            "Softstart1Click",
                                            "Synchroniz1Click",
                                            "ZabwAutom1Click",
                                            "Zwarcie1Click",
                                            "Pracawsieci1Click",
                                            "ZrzutQ1Click",
                                            "TestPSS1Click",
                                            "Obliczeniecalkicieplnej1Click"};

struct Grid {
    const char* name;
    int columns;
};
const Grid kGrids[] = {
    {"siatka", 40}, {"siatkaPraca", 17}, {"war_pocz", 20}, {"Siatka_PSS", 7}, {"zadanystanustalony", 8}};

const std::vector<std::string> kQuantities = {"Id",   "Iw", "iD1", "Iq", "iQ1", "iQ2", "w", "delta", "alfa",
                                              "beta", "Ud", "Uq",  "Uw", "Ig",  "Ug",  "P", "Q"};
const std::vector<std::string> kFigures = {"P_final",     "Q_final",        "Ug_final",       "w_final",
                                           "delta_final", "P_min",          "P_max",          "delta_swing_max",
                                           "pole_slip",   "P_frequency_hz", "P_damping_ratio"};

// The files one run may write.
struct Outputs {
    std::string chart, picture, ringdown, table, studyPicture;
};

class StepSequence {
public:
    explicit StepSequence(std::mt19937_64& random) : random_(random) {}

    // A single run with its chart, perhaps its picture and ringdowns; or, now and then, a study.
    std::vector<std::string> next(const Outputs& out, bool& study) {
        study = pick(0, 4) == 0;
        std::vector<std::string> args, swept;
        const int steps = pick(3, 12);
        for (int i = 0; i < steps; ++i) {
            const int kind = pick(0, 9);
            if (kind <= 3) {
                if (study && pick(0, 2) == 0) {
                    args.push_back("--sweep");
                    args.push_back(sweep(swept));
                } else {
                    args.push_back(cellEdit());
                }
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
        if (study) {
            addStudyOptions(args, out);
            return args;
        }
        args.insert(args.end(), {"--chart", out.chart});
        if (pick(0, 1)) args.insert(args.end(), {"--picture", out.picture});
        for (int i = pick(0, 3); i > 0; --i) args.insert(args.end(), {"--ringdown", ringdownWindow(), out.ringdown});
        return args;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
    const std::string& from(const std::vector<std::string>& values) {
        return values[std::size_t(pick(0, int(values.size()) - 1))];
    }

    std::string cellEdit() {
        const Grid& grid = kGrids[pick(0, 4)];
        const int column = pick(0, grid.columns - 1);
        const std::string name = grid.name;
        std::string value = from(kExtremes);
        if (name == "siatkaPraca" && column <= 1) value = from(kTimes);
        if (name == "siatka" && column == 16) value = from(kFrequencies);
        return name + "." + std::to_string(column) + "=" + value;
    }

    // A sweep of one to three numbers over a cell not swept yet in this run; the run's times
    // and the frequency keep their short values.
    std::string sweep(std::vector<std::string>& swept) {
        const Grid* grid = nullptr;
        int column = 0;
        std::string cell;
        do {
            grid = &kGrids[pick(0, 4)];
            column = pick(0, grid->columns - 1);
            cell = std::string(grid->name) + "." + std::to_string(column);
        } while (std::find(swept.begin(), swept.end(), cell) != swept.end());
        swept.push_back(cell);
        const std::string name = grid->name;
        const bool time = name == "siatkaPraca" && column <= 1, frequency = name == "siatka" && column == 16;
        const std::vector<std::string>& values = time ? kTimes : frequency ? kFrequencies : kExtremes;
        std::string low = from(values), high = from(values);
        while (low == "x" || low.empty()) low = from(values);
        while (high == "x" || high.empty()) high = from(values);
        const int count = pick(1, 3);
        return cell + "=" + low + ":" + (count == 1 ? low : high) + ":" + std::to_string(count);
    }

    // A window of any length, from a tenth of a step to longer than any run, anywhere in it;
    // half of them a whole number of milliseconds up to 60, which at 50 or 60 Hz (steps of 1 and
    // 0,83 ms) holds about as many rows: around 20 rows lies the least a ringdown takes. Either
    // end may be left to the default, or the whole window.
    std::string ringdownWindow() {
        const std::string& quantity = from(kQuantities);
        if (pick(0, 3) == 0) return quantity;
        const double from = uniform(-2.5, 5.5);
        const double length = pick(0, 1) ? 1e-3 * pick(0, 60) : std::pow(10.0, uniform(-4.0, 1.0));
        auto text = [&](double t) {
            std::string number = std::to_string(t);
            if (pick(0, 1)) std::replace(number.begin(), number.end(), '.', ',');
            return number;
        };
        const int ends = pick(0, 5);
        return quantity + ":" + (ends == 0 ? "" : text(from)) + ":" + (ends == 1 ? "" : text(from + length));
    }

    void addStudyOptions(std::vector<std::string>& args, const Outputs& out) {
        args.insert(args.end(), {"--study", out.table});
        const bool swept = std::find(args.begin(), args.end(), "--sweep") != args.end();
        if (swept && pick(0, 1)) {
            args.insert(args.end(), {"--study-picture", out.studyPicture});
            if (pick(0, 1)) args.insert(args.end(), {"--study-figure", from(kFigures)});
        }
        if (pick(0, 2) == 0) args.push_back("--modes");
        if (pick(0, 1)) args.insert(args.end(), {"--jobs", std::to_string(pick(1, 3))});
        if (pick(0, 2) == 0) {
            const int shards = pick(1, 3);
            args.insert(args.end(), {"--shard", std::to_string(pick(0, shards - 1)) + "/" + std::to_string(shards)});
        }
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

// A study's table: its header and one line per point of the shard, whatever the points did.
std::string tableProblem(const std::string& csv) {
    if (csv.rfind("point,", 0) != 0) return "no table header";
    if (csv.find("nan") != std::string::npos || csv.find("inf") != std::string::npos) return "a figure not finite";
    return {};
}

TEST(ChartPathFuzz, RandomStepSequencesWithExtremeNumbers) {
    const char* budgetText = std::getenv("TGSIM_FUZZ_SECONDS");
    const auto budget = std::chrono::seconds(budgetText ? std::atoi(budgetText) : 90);
    std::mt19937_64 random(20240611);
    StepSequence sequences(random);
    const char* formats[] = {".png", ".svg", ".wmf", ".emf", ".pdf"};
    const char* studyFormats[] = {".svg", ".png", ".pdf"};
    const auto start = std::chrono::steady_clock::now();
    int runs = 0, failed = 0, faults = 0, studies = 0;
    while (std::chrono::steady_clock::now() - start < budget && failed < 5) {
        const Outputs out{temporaryPath("fuzz.csv"), temporaryPath(std::string("fuzz") + formats[runs % 5]),
                          temporaryPath("fuzz_ringdown.csv"), temporaryPath("fuzz_study.csv"),
                          temporaryPath(std::string("fuzz_study") + studyFormats[runs % 3])};
        std::remove(out.chart.c_str());
        std::remove(out.table.c_str());
        bool study = false;
        const std::vector<std::string> args = sequences.next(out, study);
        const testing::CliRun run = runCli(args, CliLimits{120, 4ULL << 30});
        ++runs;
        studies += study;
        faults += run.status == 1;
        const bool sanitizerReport =
            run.err.find("runtime error") != std::string::npos || run.err.find("Sanitizer") != std::string::npos;
        const std::string bad = study ? tableProblem(readFile(out.table)) : nonFiniteFields(readFile(out.chart));
        const bool ok = (run.status == 0 || (run.status == 1 && !run.err.empty())) && !sanitizerReport && bad.empty();
        if (!ok) {
            ++failed;
            ADD_FAILURE() << "tgsim-cli" << joined(args) << "\nstatus " << run.status << ", stderr:\n"
                          << run.err.substr(0, 2000) << (bad.empty() ? "" : "\nnot finite: " + bad.substr(0, 200));
        }
    }
    std::cout << runs << " runs (" << studies << " studies), " << faults << " ended by a reported failure\n";
    EXPECT_GT(runs, 0);
}

}  // namespace
}  // namespace tgsim
