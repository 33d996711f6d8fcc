// --compare: the chart quantities of the kept runs and the last computation side by side in long
// form, each run's values exactly as --chart writes them when the same run is done alone.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "run_cli.h"

namespace tgsim {
namespace {

using testing::readFile;
using testing::runCli;
using testing::temporaryPath;

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The chart file's lines after its header, each led by the run's column.
std::string asRun(const std::string& chart, const std::string& run) {
    std::istringstream in(chart);
    std::string line, out;
    std::getline(in, line);
    while (std::getline(in, line)) out += run + "," + line + "\n";
    return out;
}

TEST(Compare, EachRunAsTheChartOfTheSameRunDoneAlone) {
    // The PSS test without the stabilizer, with it, then with Canay's rotor: 2 s each.
    const std::vector<std::string> first = {"PSS2A_1Click", "TestPSS1Click", "Stale_PSS", "siatkaPraca.1=2", "O1Click"};
    const std::vector<std::string> second = concat(first, {"Stale_PSS", "O1Click"});
    const std::vector<std::string> third = concat(second, {"Canaya1Click", "O1Click"});
    std::vector<std::string> charts;
    for (const auto& steps : {first, second, third}) {
        charts.push_back(temporaryPath("alone" + std::to_string(charts.size()) + ".csv"));
        ASSERT_EQ(runCli(concat(steps, {"--chart", charts.back()})).status, 0);
    }
    const std::string compare = temporaryPath("compare.csv");
    const auto kept = concat(concat(concat(first, {"ZachowajPrzebiegClick", "Stale_PSS", "O1Click"}),
                                    {"ZachowajPrzebiegClick", "Canaya1Click", "O1Click"}),
                             {"--compare", compare});
    const auto run = runCli(kept);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string header = "run,t,Id,Iw,iD1,Iq,iQ1,iQ2,w,delta,alfa,beta,Ud,Uq,Uw,Ig,Ug,P,Q\n";
    EXPECT_EQ(readFile(compare), header + asRun(readFile(charts[0]), "1") + asRun(readFile(charts[1]), "2") +
                                     asRun(readFile(charts[2]), "current"));
}

TEST(Compare, KeepingWithoutAComputationIsRefused) {
    const std::string compare = temporaryPath("nothing.csv");
    const auto run = runCli({"ZachowajPrzebiegClick", "O1Click", "--compare", compare});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "There is no completed computation to keep: compute first (F10)\n");
    EXPECT_EQ(readFile(compare), "run,t,Id,Iw,iD1,Iq,iQ1,iQ2,w,delta,alfa,beta,Ud,Uq,Uw,Ig,Ug,P,Q\n");
}

}  // namespace
}  // namespace tgsim
