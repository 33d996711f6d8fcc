// The runner's contract: exit statuses, messages and output formats, driven as a subprocess.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "run_cli.h"

namespace tgsim {
namespace {

using testing::readFile;
using testing::runCli;
using testing::temporaryPath;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(Cli, UnknownStepsAndOptionsAreRefusedBeforeAnythingRuns) {
    const std::string results = temporaryPath("refused.csv");
    std::filesystem::remove(results);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"O1Click", "G7Click", "--results", results},
                                                 {"--bogus"},
                                                 {"siatka.x=1"},
                                                 {"nosuch.1=2"},
                                                 {"--grid", "nosuch"},
                                                 {"--results"},
                                                 {"--generator", "9"},
                                                 {"--ringdown", "czas", "r.csv"},
                                                 {"--ringdown", "w:1", "r.csv"},
                                                 {"--ringdown", "w:1:x", "r.csv"},
                                                 {"--ringdown", "w"}}) {
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_NE(run.err.find("usage: tgsim-cli"), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(results));
}

TEST(Cli, AFailingStepStopsTheStepsButTheOutputsAreWritten) {
    const auto run = runCli({"siatkaPraca.1=1.5", "O1Click", "Softstart1Click", "--state", "--grid", "siatkaPraca"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "'1.5' is not a valid floating point value\nin siatkaPraca.1 (tk [s])\n");
    const auto out = lines(run.out);
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out[1].substr(0, 7), "-2\t1.5\t");  // the edit stays, the later preset never ran
    EXPECT_EQ(out[2], "scenario=wzbudzenie");
}

TEST(Cli, GridOutputIsTwoTabSeparatedLinesOverTheColumnCount) {
    const auto run = runCli({"--grid", "Siatka_PSS", "--grid", "zadanystanustalony"});
    EXPECT_EQ(run.status, 0);
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], "T0 [s]\tT1 [s]\tT2 [s]\tT3 [s]\tT4 [s]\tT5 [s]\tkw [-]");
    EXPECT_EQ(out[1], "2,0\t2,0\t0,4\t1,0\t0,1\t0,05\t150");
    EXPECT_EQ(out[2], std::string(7, '\t'));
}

TEST(Cli, StateKeysInOrder) {
    const auto run = runCli({"TestPSS1Click", "Obliczeniecalkicieplnej1Click", "--state"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "scenario=Test SS\nmodel=Klasyc\npssOrder=4\nZalWyl_PSS=Wyl. PSS\nWykr_DaneAkt=Dane Aktualne\n"
              "CalkaCieplna=Calka = 0,07003\nCalkaCieplna.visible=true\nstepCount=7000\n"
              "panel0=Czas obliczeń = .... ?\npanel1=Stan Pracy: wzbudzenie\npanel2=Liczba iteracji = ........\n"
              "panel3=Obliczenia: 1.wybierz: Dane Aktualne,  2.kliknij: Formularz lub F10\n");
}

TEST(Cli, ResultsAndChartFilesOfTheStartupRun) {
    const std::string results = temporaryPath("results.csv"), chart = temporaryPath("chart.csv");
    const auto run = runCli({"O1Click", "--results", results, "--chart", chart});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto resultLines = lines(readFile(results));
    ASSERT_EQ(resultLines.size(), 7002u);
    EXPECT_EQ(
        resultLines[0],
        "t,Id,Iw,iD1,Iq,iQ1,iQ2,omega,delta,alfa,beta,Ud,Uq,dUd,dUq,dId,dIq,Ug,dUg,errorIntegral,regulatorOutput");
    EXPECT_EQ(resultLines[1].substr(0, 5), "-2.0,");
    const auto chartLines = lines(readFile(chart));
    ASSERT_EQ(chartLines.size(), 7001u);
    EXPECT_EQ(chartLines[0], "t,Id,Iw,iD1,Iq,iQ1,iQ2,w,delta,alfa,beta,Ud,Uq,Uw,Ig,Ug,P,Q");
    for (const auto& [line, columns] : {std::pair{resultLines[7001], 21}, std::pair{chartLines[7000], 18}}) {
        std::istringstream fields(line);
        int count = 0;
        for (std::string field; std::getline(fields, field, ','); ++count) {
            EXPECT_NE(field.find('.'), std::string::npos) << field;
            EXPECT_EQ(std::to_string(std::stod(field)).find("nan"), std::string::npos);
        }
        EXPECT_EQ(count, columns) << line;
    }
}

TEST(Cli, AnUnwritableOutputIsReported) {
    const auto run = runCli({"--results", "/nonexistent-folder/r.csv"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot create file /nonexistent-folder/r.csv\nNo such folder\n");
}

TEST(Cli, PictureOfTheChartInTheFormatOfItsExtension) {
    const std::string wmf = temporaryPath("chart.WMF"), png = temporaryPath("chart.png");
    auto run = runCli({"O1Click", "--picture", wmf});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(readFile(wmf).substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));
    run = runCli({"--picture", png});  // before any computation: the empty frame
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(png).substr(1, 3), "PNG");
    run = runCli({"--picture", temporaryPath("chart.jpg")});
    EXPECT_EQ(run.status, 2);
    run = runCli({"--picture", "/nonexistent-folder/chart.emf"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot create file /nonexistent-folder/chart.emf\nNo such folder\n");
}

// The fields of the CSV line of that parameter (name first).
std::vector<std::string> standardParameterFields(const std::string& csv, const std::string& name) {
    for (const std::string& line : lines(csv)) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
        if (!fields.empty() && fields[0] == name) return fields;
    }
    return {};
}

TEST(Cli, StandardParametersOfTheGridsAsTheyStandWithoutAComputation) {
    const std::string file = temporaryPath("standard.csv");
    // The edited Xd and the model chosen count; the session's own record stays as it was (the
    // step count still that of the start-up although the end time was edited).
    auto run = runCli(
        {"G4Click", "siatka.19=3,5", "siatkaPraca.1=10", "Canaya1Click", "--standard-parameters", file, "--state"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string canay = readFile(file);
    EXPECT_EQ(lines(canay).size(), 21u);
    EXPECT_EQ(lines(canay)[0], "name,value,unit,catalogue,ratio");
    const auto xd = standardParameterFields(canay, "Xd");
    ASSERT_EQ(xd.size(), 5u);
    EXPECT_NEAR(std::stod(xd[1]), 3.5, 1e-12);
    EXPECT_EQ(xd[3], "3.5");
    EXPECT_NE(run.out.find("\nstepCount=7000\n"), std::string::npos);
    ASSERT_EQ(runCli({"G4Click", "siatka.19=3,5", "--standard-parameters", file}).status, 0);
    EXPECT_NE(standardParameterFields(readFile(file), "Xd'"), standardParameterFields(canay, "Xd'"));

    std::filesystem::remove(file);
    run = runCli({"siatka.20=1.5", "--standard-parameters", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "'1.5' is not a valid floating point value\nin siatka.20 (Xq [-])\n");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(Cli, NetworkRunFromTheGivenSteadyStateHoldsItsPowers) {
    for (const char* model : {"Klasyczny1Click", "Canaya1Click"}) {
        const std::string chart = temporaryPath("network.csv");
        const auto run = runCli({model, "Pracawsieci1Click", "Warunkizadane1Click", "O1Click", "--chart", chart});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto rows = lines(readFile(chart));
        ASSERT_EQ(rows.size(), 10001u);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            std::vector<double> values;
            std::istringstream fields(rows[i]);
            for (std::string field; std::getline(fields, field, ',');) values.push_back(std::stod(field));
            ASSERT_EQ(values.size(), 18u);
            EXPECT_NEAR(values[16], 0.5, 0.005) << model << " row " << i;
            EXPECT_NEAR(values[17], 0.3, 0.005) << model << " row " << i;
        }
    }
}

TEST(Cli, BoxesAndHeadersReachTheSameStateAsTheWindow) {
    const std::string bare = temporaryPath("bare.wmf"), ticked = temporaryPath("ticked.wmf");
    ASSERT_EQ(runCli({"O1Click", "--untick", "13", "--untick", "15", "--untick", "16", "--picture", bare}).status, 0);
    ASSERT_EQ(runCli({"O1Click", "--tick", "1", "--picture", ticked}).status, 0);
    EXPECT_GT(readFile(ticked).size(), readFile(bare).size() + 10000);
    const auto run = runCli({"--header", "siatka.0=Gain", "--grid", "siatka"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 5), "Gain\t");
    EXPECT_EQ(runCli({"--tick", "18"}).status, 2);
}

// --case is a step in its place among the others, --save-case an output after them; a study reads
// its case once and every point opens it.
TEST(Cli, CaseFilesAreStepsAndOutputs) {
    const std::string file = temporaryPath("mine.tgsim.toml"), table = temporaryPath("study.csv");
    const auto saved = runCli({"G3Click", "Canaya1Click", "siatka.19=3,1", "--header", "siatka.0=Gain", "--save-case",
                               file, "--grid", "siatka", "--state"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(runCli({"--case", file, "--grid", "siatka", "--state"}).out, saved.out);
    const auto Xd = [](const std::vector<std::string>& args) {
        std::istringstream row(lines(runCli(args).out).at(1));
        std::string cell;
        for (int column = 0; column <= 19; ++column) std::getline(row, cell, '\t');
        return cell;
    };
    EXPECT_EQ(Xd({"--case", file, "siatka.19=2", "--grid", "siatka"}), "2");
    EXPECT_EQ(Xd({"siatka.19=2", "--case", file, "--grid", "siatka"}), "3,1");

    const auto missing = runCli({"--case", temporaryPath("none.tgsim.toml"), "G2Click", "--state"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("No such file"), std::string::npos) << missing.err;
    EXPECT_NE(missing.out.find("model=Klasyc"), std::string::npos) << "a later step ran";
    EXPECT_EQ(runCli({"O1Click", "--results", file, "--save-case", file}).status, 2);

    const std::string stepsTable = temporaryPath("steps.csv");
    const auto study = runCli({"--case", file, "--sweep", "siatkaPraca.1=1:2:2", "O1Click", "--study", table});
    EXPECT_EQ(study.status, 0) << study.err;
    ASSERT_EQ(runCli({"G3Click", "Canaya1Click", "siatka.19=3,1", "--sweep", "siatkaPraca.1=1:2:2", "O1Click",
                      "--study", stepsTable})
                  .status,
              0);
    EXPECT_EQ(readFile(table), readFile(stepsTable));
}

// The fields of a CSV line; a quoted field may hold commas.
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The fields of the electromechanical mode's line in a --modes file; empty when there is none
// or more than one.
std::vector<std::string> electromechanicalMode(const std::string& csv) {
    std::vector<std::string> found;
    int count = 0;
    for (const std::string& line : lines(csv)) {
        auto fields = csvFields(line);
        if (fields.size() == 7 && fields[6] == "yes" && ++count == 1) found = std::move(fields);
    }
    return count == 1 ? found : std::vector<std::string>{};
}

// On the network at the given steady state, set 1: every mode on its line, the swing found and
// damped, better damped with "PSS 2A - D.O." switched on; refused off an equilibrium.
TEST(Cli, ModesOfTheOperatingPoint) {
    const std::string file = temporaryPath("modes.csv");
    double damping[2] = {};
    for (int on : {0, 1}) {
        std::vector<std::string> args = {"Pracawsieci1Click", "Warunkizadane1Click", "--modes", file};
        if (on) args.insert(args.begin(), {"PSS2A_1Click", "Stale_PSS"});
        const auto run = runCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string csv = readFile(file);
        const auto rows = lines(csv);
        ASSERT_GT(rows.size(), 10u);
        EXPECT_EQ(rows[0], "real,imag,frequency_hz,damping_ratio,time_constant_s,participation,electromechanical");
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const auto fields = csvFields(rows[i]);
            ASSERT_EQ(fields.size(), 7u) << rows[i];
            for (int k : {0, 1, 2, 3}) EXPECT_NE(fields[k].find('.'), std::string::npos) << rows[i];
            // Up to three states, each with its share in two decimals after a decimal comma.
            EXPECT_TRUE(std::regex_match(fields[5], std::regex("[^;]+ [01],[0-9]{2}(; [^;]+ [01],[0-9]{2}){0,2}")))
                << rows[i];
            EXPECT_LE(std::stod(fields[0]), 0.0) << rows[i];
        }
        const auto em = electromechanicalMode(csv);
        ASSERT_EQ(em.size(), 7u) << csv;
        EXPECT_GT(std::stod(em[2]), 0.5);
        EXPECT_LT(std::stod(em[2]), 3.0);
        damping[on] = std::stod(em[3]);
        EXPECT_GT(damping[on], 0.05);
    }
    EXPECT_GT(damping[1], damping[0] + 0.01);

    std::filesystem::remove(file);
    const auto refused = runCli({"--modes", file});  // the start-up state: the field not at rest
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err.rfind("The initial state is not at rest: ", 0), 0u) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(file));
}

// A run that starts 0,1 % fast rings down at the frequency of the electromechanical mode; the
// start-up run, whose speed never moves, has no oscillation. A ringdown needs a computation.
TEST(Cli, RingdownOfTheLastComputation) {
    const std::string ringdowns = temporaryPath("ringdown.csv"), modes = temporaryPath("modes.csv");
    auto run = runCli({"Pracawsieci1Click", "Warunkizadane1Click", "war_pocz.6=1,001", "O1Click", "war_pocz.6=1",
                       "--ringdown", "w", ringdowns, "--ringdown", "P:1,5:9.5", ringdowns, "--modes", modes});
    ASSERT_EQ(run.status, 0) << run.err;
    auto rows = lines(readFile(ringdowns));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "quantity,from_s,to_s,frequency_hz,damping_ratio,amplitude,fit_quality,oscillation");
    const double swing = std::stod(electromechanicalMode(readFile(modes)).at(2));
    for (const std::string& row : {rows[1], rows[2]}) {
        const auto fields = csvFields(row);
        ASSERT_EQ(fields.size(), 8u) << row;
        EXPECT_EQ(fields[7], "yes");
        EXPECT_NEAR(std::stod(fields[3]), swing, 2e-4 * swing) << row;  // 5e-5 measured
        EXPECT_GT(std::stod(fields[6]), 1.0 - 1e-9) << row;
    }
    EXPECT_EQ(csvFields(rows[1])[1], "0.0");  // no event: from the start
    EXPECT_GE(std::stod(csvFields(rows[2])[1]), 1.5);
    EXPECT_LE(std::stod(csvFields(rows[2])[2]), 9.5);

    run = runCli({"O1Click", "--ringdown", "w", ringdowns});
    ASSERT_EQ(run.status, 0) << run.err;
    rows = lines(readFile(ringdowns));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].substr(0, 7), "w,-2.0,");
    EXPECT_EQ(rows[1].substr(rows[1].size() - 7), ",,,,,no");

    std::filesystem::remove(ringdowns);
    run = runCli({"--ringdown", "w", ringdowns});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "A ringdown needs a completed computation (F10)\n");
    EXPECT_FALSE(std::filesystem::exists(ringdowns));
}

TEST(Cli, FriendlierStepsExpandToCommands) {
    const auto run =
        runCli({"--generator", "2", "--scenario", "Praca w sieci", "--model", "Canaya", "--state", "--grid", "siatka"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Turow 1,2,3"), std::string::npos);
    EXPECT_NE(run.out.find("scenario=Praca w sieci\nmodel=Canaya\n"), std::string::npos);
}

// The network data named by --raw give the bases of the imports after it; the export writes the
// record back; a network file that cannot be read stops the steps.
TEST(Cli, MachinesFromPsseFilesAsStepsAndOutput) {
    const std::string dyr = temporaryPath("machine.dyr"), raw = temporaryPath("network.raw");
    const std::string exported = temporaryPath("exported.dyr");
    std::ofstream(dyr) << "3 'GENROU' 1 6 0.05 0.5 0.05 3 0 1.8 1.7 0.3 0.5 0.2 0.1 0 0 /\n";
    std::ofstream(raw) << "0, 100.0, 33, 0, 1, 60.0\nA\nB\n 3,'G', 13.8, 2\n0\n0\n0\n"
                          " 3,'1', 50, 5, 99, -99, 1.0, 0, 120.0, 0.003, 0.2, 0, 0.1, 1.0, 1\n0\n0\n0\nQ\n";
    auto run = runCli({"--raw", raw, "--import-dyr", dyr, "--export-dyr", exported, "--grid", "siatka"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Bases from " + raw + ": Sn = MBASE = 120 MVA, Un = BASKV = 13,8 kV"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("GENROU 3 '1'\t\t120\t13,8\t"), std::string::npos) << run.out;
    const std::string record = readFile(exported);
    EXPECT_EQ(record.rfind("     3 'GENROU' '1'\n         6.0  0.05  0.5  0.05  3.0\n", 0), 0u) << record;
    EXPECT_NE(record.find("MBASE = 120.0 MVA, BASKV = 13.8 kV, BASFRQ = 60.0 Hz, ZR = 0.003"), std::string::npos);

    run = runCli({"--raw", temporaryPath("missing.raw"), "--import-dyr", dyr, "--state"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("Cannot read file " + temporaryPath("missing.raw"), 0), 0u) << run.err;
}

}  // namespace
}  // namespace tgsim
