// Case files: a saved case opened in a fresh session gives the same grids, state and results;
// short cases change only what they hold; bad files are refused whole, changing nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "base/failure.h"
#include "driver/case/case_session.h"
#include "driver/result_export.h"
#include "session_steps.h"
#include "tests/base/scratch_folders.h"

namespace tgsim {
namespace {

using testing::command;
using testing::failureOf;
using testing::ScratchFolder;

// What the runner's --grid of all five grids and --state print.
std::string gridsAndState(const Session& session) {
    std::ostringstream out;
    for (std::size_t i = 0; i < kGridCount; ++i) writeGrid(session.grids().byId(static_cast<GridId>(i)), out);
    writeState(session, out);
    return out.str();
}

// F10, then everything the runner would write of it (a failing computation by its message).
std::string computed(Session& session) {
    std::ostringstream out;
    out << failureOf([&] { session.O1Click(); }) << '\n';
    writeChartCsv(session, out);
    writeResultsCsv(session, out);
    return gridsAndState(session) + out.str();
}

struct RoundTrip {
    std::vector<const char*> steps;    // handlers, or GRID.COLUMN.ROW=TEXT edits
    bool computeBeforeSaving = false;  // and chain the next run from its final state
};

void runSteps(Session& session, const std::vector<const char*>& steps) {
    for (std::string_view step : steps) {
        const std::size_t dot = step.find('.'), equals = step.find('=');
        if (equals == std::string_view::npos) {
            failureOf([&] { command(session, step); });  // what a failing command wrote stays, as in the window
            continue;
        }
        const std::size_t second = step.find('.', dot + 1);
        session.setCell(*gridIdByName(step.substr(0, dot)), std::stoi(std::string(step.substr(dot + 1))),
                        std::stoi(std::string(step.substr(second + 1))), step.substr(equals + 1));
    }
}

// Every generator set, both models, every stabilizer set (on and off) and every scenario, each
// at least once, with edits a user makes: a cell that is not a number, a header, a given point.
TEST(CaseFiles, ASavedCaseOpensInAFreshSessionAsTheSessionThatSavedIt) {
    const std::vector<RoundTrip> trips = {
        {{"G1Click", "Softstart1Click"}},
        {{"G2Click", "Canaya1Click", "PSS2A_1Click", "Stale_PSS", "Synchroniz1Click"}},
        {{"G3Click", "PSS2A_2Click", "ZabwAutom1Click", "siatka.19.0=Xd [pu]"}},
        {{"G4Click", "Canaya1Click", "PSS2A_3Click", "Stale_PSS", "Zwarcie1Click"}, true},
        {{"G5Click", "Stale_PSS", "Pracawsieci1Click", "Warunkizadane1Click"}},
        {{"G6Click", "Canaya1Click", "PSS2A_1Click", "ZrzutQ1Click", "siatkaPraca.13.1=x,1"}},
        {{"PSS2A_2Click", "Canaya1Click", "TestPSS1Click", "Warunkizadane1Click", "zadanystanustalony.0.1=0,8",
          "Warunkizadane1Click"},
         true},
        {{"G4Click", "Pracawsieci1Click", "zadanystanustalony.1.1=0,1"}},
    };
    ScratchFolder folder;
    for (std::size_t i = 0; i < trips.size(); ++i) {
        SCOPED_TRACE("round trip " + std::to_string(i));
        Session saved;
        runSteps(saved, trips[i].steps);
        if (trips[i].computeBeforeSaving) {
            saved.O1Click();
            saved.war_koncowClick();
        }
        const std::string file = folder / "case.tgsim.toml";
        saveCaseFile(saved, file);
        Session opened;
        openCaseFile(opened, file);
        if (trips[i].computeBeforeSaving)
            EXPECT_EQ(opened.grids().war_pocz.cell(0, 1), saved.grids().war_pocz.cell(0, 1));
        else
            EXPECT_EQ(gridsAndState(opened), gridsAndState(saved));
        EXPECT_EQ(computed(opened), computed(saved));
        EXPECT_EQ(captureCase(opened), captureCase(saved));
    }
}

TEST(CaseFiles, AShortCaseChangesOnlyWhatItHolds) {
    Session session;
    const CaseContents before = captureCase(session);
    openCaseText(session, "[Siatka_PSS]\nkw = \"7\"\n", "short.tgsim.toml");
    CaseContents expected = before;
    for (CaseCell& cell : expected.cells)
        if (cell.grid == GridId::Siatka_PSS && cell.column == 6 && cell.row == 1) cell.text = "7";
    EXPECT_EQ(captureCase(session), expected);

    // Another stabilizer kind lays its grid out; the cells the case omits start empty.
    openCaseText(session, "[stabilizer]\nkind = \"PSS2A\"\n[Siatka_PSS]\nT1 = \"0,1\"\n", "kind.tgsim.toml");
    EXPECT_EQ(session.record().pssOrder, kPss2aOrder);
    EXPECT_EQ(session.grids().Siatka_PSS.columnCount(), kPss2aColumns);
    EXPECT_EQ(session.grids().Siatka_PSS.cell(0, 1), "0,1");
    EXPECT_EQ(session.grids().Siatka_PSS.cell(16, 0), "kw [-]");
    EXPECT_EQ(session.grids().Siatka_PSS.cell(16, 1), "");
    EXPECT_EQ(session.grids().siatka.cell(19, 1), "2,48");  // the machine stays

    // A given steady state's point is computed from, not overwritten by the defaults.
    Session fresh;
    openCaseText(fresh, "[zadanystanustalony]\nPr = \"0,7\"\n", "point.tgsim.toml");
    fresh.Warunkizadane1Click();
    Session typed;  // the same point typed in the window over the defaults
    typed.Warunkizadane1Click();
    typed.setCell(GridId::zadanystanustalony, 0, 1, "0,7");
    typed.Warunkizadane1Click();
    EXPECT_EQ(gridsAndState(fresh), gridsAndState(typed));
}

// Each kind of bad file is refused with the file, line and column and the key, and the session
// stays exactly as it was (the good keys of a refused file are not applied either).
TEST(CaseFiles, BadFilesAreRefusedWholeAndChangeNothing) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> bad = {
        {"[siatka\nXd = \"1\"\n", {"bad.tgsim.toml:1:"}},
        {"[siatka]\nXd = \"1\"\nXd = \"2\"\n", {"bad.tgsim.toml:3:", "'Xd'"}},
        {"[siatka]\nXd = \"9\"\n[siatkaa]\n", {"bad.tgsim.toml:3:2: unknown table \"siatkaa\""}},
        {"[siatka]\nXd = \"9\"\nXd1 = \"1\"\n", {":3:1: unknown key \"Xd1\" in [siatka]", "Xd_prime?"}},
        {"[siatka.headers]\nXdd = \"X\"\n", {":2:1: unknown key \"Xdd\" in [siatka.headers]"}},
        {"[stabilizer]\nkind = \"single-input\"\n[Siatka_PSS]\nT9 = \"1\"\n", {":4:1:", "single-input"}},
        {"[siatka]\nXd = 2.48\nXq = \"9\"\n", {":2:6: siatka.Xd must be a string", "not a floating-point number"}},
        {"siatka = \"x\"\n", {":1:10: [siatka] must be a table, not a string"}},
        {"[case]\nformat = 2\n[siatka]\nXdd = 1\n", {":2:10: the case is of format 2", "reads format 1"}},
        {"[case]\nformat = \"1\"\n", {"case.format must be the whole number 1"}},
        {"[generator]\nmodel = \"Canay\"\n", {":2:9: generator.model must be \"Klasyczny\" or \"Canaya\""}},
        {"[stabilizer]\non = \"tak\"\nkind = \"PSS 2A\"\n", {":2:6: stabilizer.on must be", ":3:8: stabilizer.kind"}},
        {"[scenario]\nname = \"Softstrat\"\n", {"scenario.name must be one of", "\"Test SS\""}},
        {"[case]\ntitle = \"\xff\"\n", {":2:"}},
    };
    Session session;
    command(session, "G3Click");
    const std::string before = gridsAndState(session);
    const CaseContents contents = captureCase(session);
    for (const auto& [text, fragments] : bad) {
        const std::string message = failureOf([&] { openCaseText(session, text, "bad.tgsim.toml"); });
        EXPECT_EQ(message.rfind("The case file was not opened; nothing was changed:\n", 0), 0u) << message;
        for (const std::string& fragment : fragments) EXPECT_NE(message.find(fragment), std::string::npos) << message;
        EXPECT_EQ(gridsAndState(session), before) << text;
        EXPECT_EQ(captureCase(session), contents) << text;
    }
    ScratchFolder folder;
    EXPECT_NE(failureOf([&] { openCaseFile(session, folder / "missing.tgsim.toml"); }).find("No such file"),
              std::string::npos);
    EXPECT_NE(failureOf([&] { openCaseFile(session, folder.path()); }).find("Is a folder"), std::string::npos);
    EXPECT_EQ(gridsAndState(session), before);
}

// Text a case file cannot hold (the runner takes cell edits byte for byte) refuses the saving
// by the cell's name, and no file is written.
TEST(CaseFiles, SavingRefusesTextThatIsNotUtf8) {
    Session session;
    session.setCell(GridId::siatka, 19, 1, "2,4\xff");
    ScratchFolder folder;
    const std::string message = failureOf([&] { saveCaseFile(session, folder / "x.tgsim.toml"); });
    EXPECT_NE(message.find("siatka.Xd holds text that a case file cannot keep"), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(folder / "x.tgsim.toml"));
}

TEST(CaseFiles, EveryExampleOpensAndComputes) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TGSIM_EXAMPLES_DIR)) {
        if (!entry.path().string().ends_with(".tgsim.toml")) continue;
        SCOPED_TRACE(entry.path().string());
        ++examples;
        Session session;
        openCaseFile(session, entry.path().string());
        EXPECT_EQ(failureOf([&] { session.O1Click(); }), "no failure");
        EXPECT_TRUE(session.resultsComplete());
    }
    EXPECT_GE(examples, kScenarioCount);
}

}  // namespace
}  // namespace tgsim
