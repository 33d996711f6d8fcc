// The chart path of the runner: charts and pictures of extreme values finish, rows keep the
// scales of the computation that stored them, and chart values that fault end the computation.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run_cli.h"

namespace tgsim {
namespace {

using testing::CliLimits;
using testing::readFile;
using testing::runCli;
using testing::temporaryPath;

// A run that does not end in this time (the start-up run and its picture take well under a
// second; the sanitizer build several) is taken for hanging.
constexpr CliLimits kBounded{120, 4ULL << 30};

TEST(ChartPath, PicturesOfExtremeValuesFinish) {
    const std::vector<std::vector<std::string>> runs = {
        {"war_pocz.7=1,7e308", "O1Click", "--tick", "8", "--picture", temporaryPath("delta.png")},
        {"siatka.3=1e10", "siatka.4=1e10", "war_pocz.7=1,7e308", "war_pocz.8=1,7e308", "O1Click", "--tick", "8",
         "--tick", "9", "--picture", temporaryPath("delta_alfa.svg")},
    };
    for (const auto& args : runs) {
        std::filesystem::remove(args.back());
        const auto run = runCli(args, kBounded);
        EXPECT_EQ(run.status, 0) << args.back() << ": " << run.err;
        EXPECT_GT(std::filesystem::file_size(args.back()), 1000u) << args.back();
    }
}

TEST(ChartPath, OldRowsKeepTheScalesOfTheirComputation) {
    const std::string reference = temporaryPath("reference.csv");
    ASSERT_EQ(runCli({"O1Click", "--chart", reference}).status, 0);
    struct Case {
        std::vector<std::string> failingEdits;
        std::string message;
    };
    for (const Case& c :
         {Case{{"siatka.12=0"},
               "Floating point division by zero\nCells that make a divisor zero: siatka.12 (Ign [A]) = 0\n"},
          Case{{"siatka.15=1", "siatka.20=x"}, "'x' is not a valid floating point value\nin siatka.20 (Xq [-])\n"}}) {
        const std::string chart = temporaryPath("after_failed_load.csv");
        std::vector<std::string> args = {"O1Click"};
        args.insert(args.end(), c.failingEdits.begin(), c.failingEdits.end());
        args.insert(args.end(), {"O1Click", "--chart", chart});
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(readFile(chart), readFile(reference)) << c.failingEdits[0];
    }
}

TEST(ChartPath, ChartValuesThatFaultEndTheComputation) {
    const std::string header = "t,Id,Iw,iD1,Iq,iQ1,iQ2,w,delta,alfa,beta,Ud,Uq,Uw,Ig,Ug,P,Q\n";
    struct Case {
        const char* edit;
        const char* message;
    };
    for (const Case& c : {Case{"siatka.10=0", "Invalid floating point operation\n"},     // Sn: P and Q
                          Case{"siatka.15=0", "Invalid floating point operation\n"},     // Iwn: the field current
                          Case{"war_pocz.11=-2,5e199", "Floating point overflow\n"}}) {  // Ug in row 0
        const std::string chart = temporaryPath("faulty.csv"), picture = temporaryPath("faulty.png");
        const auto run = runCli({c.edit, "O1Click", "--chart", chart, "--picture", picture, "--state"}, kBounded);
        EXPECT_EQ(run.status, 1) << c.edit;
        EXPECT_EQ(run.err, c.message) << c.edit;
        EXPECT_EQ(readFile(chart), header) << c.edit;  // no row to write, and no line to draw
        EXPECT_NE(run.out.find("panel0=Czas obliczeń = .... ?\n"), std::string::npos) << c.edit;
    }
}

}  // namespace
}  // namespace tgsim
