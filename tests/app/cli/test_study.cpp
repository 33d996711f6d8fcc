// Studies: the table against single runs with the same cell edits, its independence of the
// threads and shards, failing points and refused ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "core/analysis/ringdown.h"
#include "run_cli.h"

namespace tgsim {
namespace {

using testing::readFile;
using testing::runCli;
using testing::temporaryPath;

using Row = std::map<std::string, std::string>;  // field by column name

// A CSV line's fields; quoted fields lose their quotes.
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += '"', ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<Row> tableRows(const std::string& file) {
    const std::vector<std::string> text = lines(readFile(file));
    std::vector<Row> rows;
    if (text.empty()) return rows;
    const std::vector<std::string> header = csvFields(text[0]);
    for (std::size_t i = 1; i < text.size(); ++i) {
        const std::vector<std::string> fields = csvFields(text[i]);
        EXPECT_EQ(fields.size(), header.size()) << text[i];
        Row row;
        for (std::size_t k = 0; k < std::min(fields.size(), header.size()); ++k) row[header[k]] = fields[k];
        rows.push_back(row);
    }
    return rows;
}

// The study's figures as the study document defines them, from a single run's --chart file.
std::map<std::string, double> figuresOfChart(const std::string& chartFile, double ringdownFrom) {
    std::vector<double> t, p, delta;
    std::vector<std::string> last;
    for (const std::string& line : lines(readFile(chartFile))) {
        const std::vector<std::string> fields = csvFields(line);
        if (fields[0] == "t") continue;
        t.push_back(std::stod(fields[0]));
        p.push_back(std::stod(fields[16]));
        delta.push_back(std::stod(fields[8]));
        last = fields;
    }
    std::map<std::string, double> f;
    if (t.empty()) return f;
    f["P_final"] = p.back();
    f["Q_final"] = std::stod(last[17]);
    f["Ug_final"] = std::stod(last[15]);
    f["w_final"] = std::stod(last[7]);
    f["delta_final"] = delta.back();
    f["P_min"] = *std::min_element(p.begin(), p.end());
    f["P_max"] = *std::max_element(p.begin(), p.end());
    double swing = 0;
    for (double d : delta) swing = std::max(swing, std::fabs(d - delta.front()));
    f["delta_swing_max"] = swing;
    f["pole_slip"] = swing > std::numbers::pi ? 1 : 0;
    const RingdownResult fit = ringdown(t, p, ringdownFrom, t.back());
    if (fit.oscillation) {
        f["P_frequency_hz"] = fit.frequencyHz;
        f["P_damping_ratio"] = fit.dampingRatio;
    }
    return f;
}

// The stabilizer test on the network, PSS2A set 1, at two gains and two loadings.
const std::vector<std::string> kGainStudy = {"TestPSS1Click",
                                             "PSS2A_1Click",
                                             "--sweep",
                                             "Siatka_PSS.16=0:10:2",
                                             "Warunkizadane1Click",
                                             "zadanystanustalony.1=0",
                                             "--sweep",
                                             "zadanystanustalony.0=0,5:0,9:2",
                                             "Warunkizadane1Click",
                                             "O1Click"};

TEST(Study, EachRowIsTheSingleRunWithTheSameCellEdits) {
    const std::string table = temporaryPath("gain.csv");
    std::vector<std::string> args = kGainStudy;
    args.insert(args.end(), {"--study", table});
    const auto run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Row> rows = tableRows(table);
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::pair<std::string, std::string>> expectedValues = {
        {"0", "0,5"}, {"0", "0,9"}, {"10", "0,5"}, {"10", "0,9"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        EXPECT_EQ(row.at("point"), std::to_string(i));
        EXPECT_EQ(row.at("Siatka_PSS.16"), expectedValues[i].first);
        EXPECT_EQ(row.at("zadanystanustalony.0"), expectedValues[i].second);
        EXPECT_EQ(row.at("status"), "ok");
        const std::string chart = temporaryPath("gain_single.csv");
        const auto single =
            runCli({"TestPSS1Click", "PSS2A_1Click", "Siatka_PSS.16=" + row.at("Siatka_PSS.16"), "Warunkizadane1Click",
                    "zadanystanustalony.1=0", "zadanystanustalony.0=" + row.at("zadanystanustalony.0"),
                    "Warunkizadane1Click", "O1Click", "--chart", chart});
        ASSERT_EQ(single.status, 0) << single.err;
        // The test's torque pulse ends at 10,1 s: the default window starts there.
        const std::map<std::string, double> figures = figuresOfChart(chart, 10.1);
        ASSERT_EQ(figures.size(), 11u) << "point " << i << " has an oscillation";
        for (const auto& [name, value] : figures)
            EXPECT_EQ(std::stod(row.at(name)), value) << name << " of point " << i;
    }
}

TEST(Study, TheTableIsTheSameForAnyNumberOfThreadsAndShardsJoinToIt) {
    // The regulator's gain and integral time under a soft start.
    const std::vector<std::string> study = {"Softstart1Click", "--sweep",        "siatka.0=5:20:2",
                                            "--sweep",         "siatka.1=2:4:3", "O1Click"};
    const auto tableWith = [&](const std::vector<std::string>& extra) {
        const std::string file = temporaryPath("threads.csv");
        std::vector<std::string> args = study;
        args.insert(args.end(), {"--study", file});
        args.insert(args.end(), extra.begin(), extra.end());
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return readFile(file);
    };
    const std::string whole = tableWith({"--jobs", "1"});
    EXPECT_EQ(lines(whole).size(), 7u);
    EXPECT_EQ(tableWith({"--jobs", "2"}), whole);
    EXPECT_EQ(tableWith({"--jobs", "5"}), whole);

    // Joined under one header and sorted by point, as `sort -t, -k1,1n` does.
    std::string header;
    std::vector<std::pair<int, std::string>> joined;
    for (int k = 0; k < 4; ++k) {
        const std::vector<std::string> shard = lines(tableWith({"--shard", std::to_string(k) + "/4"}));
        ASSERT_FALSE(shard.empty());
        header = shard[0];
        for (std::size_t i = 1; i < shard.size(); ++i) {
            EXPECT_EQ(std::stoi(shard[i]) % 4, k);
            joined.emplace_back(std::stoi(shard[i]), shard[i]);
        }
    }
    std::sort(joined.begin(), joined.end());
    std::string text = header + "\n";
    for (const auto& [point, line] : joined) text += line + "\n";
    EXPECT_EQ(text, whole);
}

TEST(Study, AFailingPointIsReportedInItsRowAndTheOthersRun) {
    // An integral time of 0 divides by zero when the record is read.
    const std::string table = temporaryPath("failing.csv"), picture = temporaryPath("failing.svg");
    const auto run = runCli({"--sweep", "siatka.1=0:3:3", "O1Click", "--study", table, "--study-picture", picture,
                             "--study-figure", "P_max"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "1 of 3 points failed (the table's status and message say why)\n");
    const std::vector<Row> rows = tableRows(table);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].at("status"), "failed");
    EXPECT_EQ(rows[0].at("message"), "Floating point division by zero");
    EXPECT_EQ(rows[0].at("P_final"), "");
    EXPECT_EQ(rows[0].at("pole_slip"), "");
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(rows[i].at("status"), "ok");
        EXPECT_EQ(rows[i].at("message"), "");
        EXPECT_NE(rows[i].at("P_max"), "");
    }
    EXPECT_NE(readFile(picture).find("<svg"), std::string::npos);
}

TEST(Study, ModesPerPointFromTheStateTheStepsLeave) {
    const std::string table = temporaryPath("modes.csv");
    const auto run = runCli({"Pracawsieci1Click", "Warunkizadane1Click", "--sweep", "zadanystanustalony.0=0,3:0,9:2",
                             "Warunkizadane1Click", "--modes", "--study", table});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Row> rows = tableRows(table);
    ASSERT_EQ(rows.size(), 2u);
    for (const Row& row : rows) {
        EXPECT_EQ(row.at("P_final"), "");  // nothing computed
        EXPECT_LT(std::stod(row.at("modes_max_real")), 0.0);
    }
    // A heavier load swings less damped.
    EXPECT_GT(std::stod(rows[0].at("em_damping_ratio")), std::stod(rows[1].at("em_damping_ratio")));
}

TEST(Study, BadRangesAndSingleRunOutputsAreRefusedBeforeAnythingRuns) {
    const std::string table = temporaryPath("refused.csv");
    std::filesystem::remove(table);
    for (const char* sweep : {"siatka.1=0:3", "siatka.1=0:3:0", "siatka.1=0.5:3:2", "siatka.1=1:2:1", "siatka.1=0:1:x",
                              "siatka.99=0:1:2", "siatka.1=0:1:2:3", "siatka.1=0:1:1e12"}) {
        const auto run = runCli({"--sweep", sweep, "O1Click", "--study", table});
        EXPECT_EQ(run.status, 2) << sweep;
        EXPECT_NE(run.err.find("--sweep"), std::string::npos) << run.err;
    }
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{"--chart", "c.csv"}, {"--results", "r.csv"}, {"--picture", "p.png"}, {"--state"}}) {
        std::vector<std::string> args = {"--sweep", "siatka.1=1:3:3", "O1Click", "--study", table};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 2) << extra[0];
        EXPECT_NE(run.err.find(extra[0] + " is not written in a study"), std::string::npos) << run.err;
    }
    EXPECT_EQ(runCli({"--sweep", "siatka.1=1:3:3", "O1Click"}).status, 2);  // no --study
    EXPECT_FALSE(std::filesystem::exists(table));
}

}  // namespace
}  // namespace tgsim
