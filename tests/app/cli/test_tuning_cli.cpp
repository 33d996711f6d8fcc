// The runner's stabilizer tuning: the frequency responses and the proposed setting as CSV, and
// the step that applies the proposal.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "run_cli.h"

namespace tgsim {
namespace {

using testing::readFile;
using testing::runCli;
using testing::temporaryPath;

std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string field; std::getline(cells, field, ',');) fields.push_back(field);
        if (!line.empty() && line.back() == ',') fields.emplace_back();
        rows.push_back(fields);
    }
    return rows;
}

const std::vector<std::string> kOperatingPoint = {"Pracawsieci1Click", "PSS2A_1Click", "Warunkizadane1Click"};

TEST(TuningCli, FrequencyResponsesOverTheRangeAsked) {
    const std::string file = temporaryPath("response.csv");
    for (const auto& [request, count, from, to] : {std::tuple{file, 200, 0.1, 5.0}, {file + ":0,5:2:4", 4, 0.5, 2.0}}) {
        std::vector<std::string> args = kOperatingPoint;
        args.insert(args.end(), {"--frequency-response", request});
        const auto run = runCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto rows = csvRows(readFile(file));
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(count) + 1);
        EXPECT_EQ(rows[0].size(), 11u);
        EXPECT_EQ(rows[0][0], "frequency_hz");
        EXPECT_EQ(rows[0][10], "synchronizing_torque");
        EXPECT_NEAR(std::stod(rows[1][0]), from, 1e-12);
        EXPECT_NEAR(std::stod(rows.back()[0]), to, 1e-12);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            ASSERT_EQ(rows[i].size(), 11u);
            for (int phase : {2, 4, 6, 8}) {
                EXPECT_GT(std::stod(rows[i][phase]), -180.0);
                EXPECT_LE(std::stod(rows[i][phase]), 180.0);
            }
        }
    }
}

// The step writes exactly the values the proposal reports, and the modes of the grids it leaves
// show the damping the proposal promised.
TEST(TuningCli, TheStepAppliesTheProposalItReports) {
    const std::string tuning = temporaryPath("tuning.csv"), modes = temporaryPath("modes.csv");
    std::vector<std::string> args = kOperatingPoint;
    args.insert(args.end(), {"--pss-tuning", tuning});
    auto run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    std::map<std::string, std::string> proposal;
    const auto rows = csvRows(readFile(tuning));
    ASSERT_EQ(rows[0], (std::vector<std::string>{"name", "value", "unit"}));
    for (std::size_t i = 1; i < rows.size(); ++i) proposal[rows[i][0]] = rows[i][1];
    for (const char* name : {"T1", "T2", "T3", "T4", "kw", "em_frequency_hz", "em_damping_before", "em_damping_after",
                             "instability_gain", "em_damping_without_stabilizer"})
        EXPECT_FALSE(proposal[name].empty()) << name;

    args = kOperatingPoint;
    args.insert(args.end(), {"DobierzPSSClick", "Stale_PSS", "--grid", "Siatka_PSS", "--modes", modes});
    run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream grid(run.out);
    std::string headers, values;
    std::getline(grid, headers);
    std::getline(grid, values);
    std::vector<std::string> cells;
    std::istringstream split(values);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    const auto cellValue = [&](int column) {
        std::string text = cells.at(static_cast<std::size_t>(column));
        for (char& c : text)
            if (c == ',') c = '.';
        return std::stod(text);
    };
    const char* names[] = {"T1", "T2", "T3", "T4"};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(cellValue(k), std::stod(proposal[names[k]])) << names[k];
    EXPECT_EQ(cellValue(16), std::stod(proposal["kw"]));

    double leastDamped = INFINITY;
    const auto modeRows = csvRows(readFile(modes));
    for (std::size_t i = 1; i < modeRows.size(); ++i) {
        const double f = std::stod(modeRows[i][2]);
        if (std::stod(modeRows[i][1]) > 0.0 && f >= 0.1 && f <= 4.0)
            leastDamped = std::fmin(leastDamped, std::stod(modeRows[i][3]));
    }
    EXPECT_NEAR(leastDamped, std::stod(proposal["em_damping_after"]), 1e-9);
    EXPECT_GT(leastDamped, std::stod(proposal["em_damping_before"]));
}

TEST(TuningCli, RefusalsWriteNoFile) {
    const std::string file = temporaryPath("refused.csv");
    const std::string tuning = temporaryPath("refused_tuning.csv");
    std::filesystem::remove(file);
    std::filesystem::remove(tuning);
    // The start-up state: the field is not at rest.
    auto run = runCli({"--frequency-response", file, "--pss-tuning", tuning});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("The initial state is not at rest: ", 0), 0u) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(std::filesystem::exists(tuning));
    for (const std::string range : {":0:5:10", ":2:1:10", ":1:2:0", ":1:2:x", ":1:2:1"}) {
        run = runCli({"--frequency-response", file + range});
        EXPECT_EQ(run.status, 2) << range;
        EXPECT_EQ(run.err.rfind("tgsim-cli: --frequency-response", 0), 0u) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace tgsim
