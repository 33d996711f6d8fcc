// Faults a hostile or careless user could reach through the runner: windows too short for a
// ringdown, an environment that refuses threads or a window, outputs that would overwrite each
// other or vanish, option values that are options, kept runs after a failed computation, messages
// that do not say what is wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "run_cli.h"

namespace tgsim {
namespace {

using testing::CliLimits;
using testing::readFile;
using testing::runCli;
using testing::StandardOutput;
using testing::temporaryPath;

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// An environment variable set (or unset, for nullptr) while the object lives; the runner inherits it.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Windows of at least 20 rows that span fewer than 20 blocks of 20 ms (the start-up steps are
// 1 ms; 500 Hz makes them 0,1 ms) were read past their end: now refused, in a study too.
TEST(RunnerFaults, WindowsTooShortForARingdownAreRefused) {
    const std::string file = temporaryPath("short_ringdown.csv");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"O1Click", "--ringdown", "w:0:0,02", file},
          {"O1Click", "--ringdown", "P:1:1,3", file},
          {"siatka.16=500", "siatkaPraca.1=-1,99", "O1Click", "--ringdown", "P", file}}) {
        std::filesystem::remove(file);
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 1) << args[1] << run.err;
        EXPECT_TRUE(contains(run.err, "is too short: a ringdown needs at least 20 blocks")) << run.err;
        EXPECT_FALSE(std::filesystem::exists(file));
    }
    // Each point's default window grows by 10 ms: every row stays, its ringdown figures empty.
    const std::string table = temporaryPath("short_ringdown_study.csv");
    const auto run = runCli({"--sweep", "siatkaPraca.1=-1,99:-1,9:10", "O1Click", "--study", table});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string csv = readFile(table);
    EXPECT_EQ(lineCount(csv), 11u);
    EXPECT_FALSE(contains(csv, ",failed,"));
    EXPECT_TRUE(contains(csv, "ringdown of P: The window from -2 s to -1,9019801980198 s is too short"));
}

// A process limit that refuses threads leaves the study to those that started; a Qt platform
// that cannot start (no display behind it) is never asked for: the runner draws off screen.
TEST(RunnerFaults, AnEnvironmentThatRefusesThreadsOrAWindow) {
    const std::string table = temporaryPath("threads.csv");
    auto run = runCli(
        {"siatkaPraca.1=-1,99", "--sweep", "siatkaPraca.2=0:1:500", "O1Click", "--study", table, "--jobs", "128"},
        CliLimits{120, 1'000'000'000});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(lineCount(readFile(table)), 501u);

    const ScopedVariable noX("DISPLAY", nullptr), noWayland("WAYLAND_DISPLAY", nullptr);
    for (const char* named : {"xcb", "wayland"}) {
        const ScopedVariable platform("QT_QPA_PLATFORM", named);
        const std::string picture = temporaryPath("platform.png"), parameters = temporaryPath("platform.csv");
        const std::string studyPicture = temporaryPath("platform_study.svg");
        std::filesystem::remove(parameters);
        run = runCli({"O1Click", "--picture", picture, "--standard-parameters", parameters});
        EXPECT_EQ(run.status, 0) << named << run.err;
        EXPECT_EQ(readFile(picture).find("PNG"), 1u);
        EXPECT_TRUE(std::filesystem::exists(parameters));
        run = runCli({"--sweep", "siatkaPraca.1=-1:0:2", "O1Click", "--study", table, "--study-picture", studyPicture});
        EXPECT_EQ(run.status, 0) << named << run.err;
        EXPECT_TRUE(contains(readFile(studyPicture), "<svg"));
    }
}

// Refused before anything runs (exit status 2, nothing written), with what is wrong.
TEST(RunnerFaults, CommandLinesThatWouldLoseOrMisnameAnOutput) {
    const std::string a = temporaryPath("collide.csv"), svg = temporaryPath("collide.svg");
    const std::string sameA = temporaryPath("") + "./collide.csv";
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"O1Click", "--results", a, "--chart", a}, "--results " + a + " and --chart " + a + " name one file"},
        {{"O1Click", "--chart", a, "--ringdown", "w", sameA}, "--chart " + a + " and --ringdown " + sameA},
        {{"--sweep", "siatka.0=1:2:2", "O1Click", "--study", svg, "--study-picture", svg}, "name one file"},
        {{"O1Click", "--study", "--modes"}, "option --study needs a value, not the option --modes"},
        {{"O1Click", "--results", "--state"}, "option --results needs a value"},
        {{"--sweep", "siatka.0=1:2:2", "O1Click", "--study", "--jobs", "2"}, "option --study needs a value"},
        {{"O1Click", "--results", a, "--results", svg}, "option --results is given twice"},
        {{"--sweep", "siatka.0=1:2:2", "O1Click", "--study", a, "--jobs", "1", "--jobs", "2"}, "--jobs is given twice"},
        {{"--sweep", "siatka.0=1:2:2", "O1Click", "--study", a, "--shard", "0/2", "--shard", "1/2"},
         "--shard is given twice"},
        {{"O1Click", "--legend", "--chart", a}, "--legend draws the legend into --picture, which is missing"},
        {{"--sweep", "siatka.0=1:2:2", "--sweep", "siatka.0=3:4:2", "O1Click", "--study", a},
         "siatka.0 is swept already"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(a);
        std::filesystem::remove(svg);
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.says;
        EXPECT_TRUE(contains(run.err, c.says)) << run.err;
        EXPECT_FALSE(std::filesystem::exists(a) || std::filesystem::exists(svg)) << c.says;
        EXPECT_FALSE(std::filesystem::exists("--modes") || std::filesystem::exists("--state"));
    }
    // Ringdowns naming one file, however spelt, share it; a file named like an option is given
    // as ./--NAME.
    auto run = runCli({"O1Click", "--ringdown", "w", a, "--ringdown", "P", sameA});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(lineCount(readFile(a)), 3u);
    // A name that is not valid UTF-8 is written as given, by the picture as by the chart.
    const std::string bytes = temporaryPath("chart\xff\xfe");
    std::filesystem::remove(bytes + ".png");
    run = runCli({"O1Click", "--picture", bytes + ".png", "--chart", bytes + ".csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(bytes + ".png").find("PNG"), 1u);
    EXPECT_EQ(readFile(bytes + ".csv").find("t,Id,"), 0u);
}

// Standard output that takes nothing, is closed, or whose reader has gone: reported as a file
// that cannot be written is (exit status 1), the reader's going named as such.
TEST(RunnerFaults, StandardOutputIsCheckedAsAFileIs) {
    struct Case {
        std::vector<std::string> args;
        StandardOutput to;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--state"}, StandardOutput::Full, "Cannot write to standard output\nNo space left on device\n"},
        {{"--grid", "siatka"}, StandardOutput::Closed, "Cannot write to standard output\nIt is closed\n"},
        {{"--state"},
         StandardOutput::ReaderGone,
         "Writing standard output stopped: the program reading the pipe closed it early\n"},
        {{"O1Click", "--results", "/dev/stdout"},
         StandardOutput::ReaderGone,
         "Writing /dev/stdout stopped: the program reading the pipe closed it early\n"},
    };
    for (const Case& c : cases) {
        const auto run = runCli(c.args, CliLimits{60, 0, c.to});
        EXPECT_EQ(run.status, 1) << c.says;
        EXPECT_EQ(run.err, c.says);
    }
}

// The picture's file is checked before the first point runs; figures too large for an axis are
// left out of the picture, which says how many.
TEST(RunnerFaults, StudyPictureFileAndValues) {
    const std::string table = temporaryPath("picture_study.csv"), picture = temporaryPath("picture_study.svg");
    std::filesystem::remove(table);
    auto run = runCli({"--sweep", "siatkaPraca.1=-1:0:2", "O1Click", "--study", table, "--study-picture",
                       "/nonexistent-folder/x.png"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot create file /nonexistent-folder/x.png\nNo such folder\n");
    EXPECT_FALSE(std::filesystem::exists(table));

    run = runCli({"siatkaPraca.1=-1", "--sweep", "war_pocz.7=-1e308:1e308:3", "O1Click", "--study", table,
                  "--study-picture", picture, "--study-figure", "delta_final"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // no warnings of ranges that are not numbers
    const std::string svg = readFile(picture);
    EXPECT_TRUE(contains(svg, "2 values beyond ±1e300 left out")) << svg.substr(0, 2000);
    EXPECT_FALSE(contains(svg, ">nan<") || contains(svg, ">inf<") || contains(svg, ">-inf<"));
}

// Kept runs stay in the picture after a computation that failed; keeping a computation kept
// already is a note, not a failed step; boxes ticked before a computation are its to reset.
TEST(RunnerFaults, KeptRunsAndBoxesAfterFailedOrRepeatedSteps) {
    const std::string picture = temporaryPath("kept_after_failure.svg"), compare = temporaryPath("kept.csv");
    auto run = runCli({"O1Click", "ZachowajPrzebiegClick", "siatka.10=0", "O1Click", "--legend", "--picture", picture,
                       "--compare", compare});
    EXPECT_EQ(run.status, 1);
    const std::string svg = readFile(picture);
    EXPECT_TRUE(contains(svg, "1: wzbudzenie · bez PSS · Klasyczny · G1"));
    EXPECT_FALSE(contains(svg, "bieżący"));
    EXPECT_TRUE(contains(svg, "stroke-dasharray"));

    run = runCli({"O1Click", "ZachowajPrzebiegClick", "ZachowajPrzebiegClick", "--tick", "9", "O1Click", "--picture",
                  picture, "--compare", compare});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.err, "ZachowajPrzebiegClick: this computation is kept already; nothing to do"));
    EXPECT_TRUE(contains(run.err, "--tick and --untick given before the last O1Click do not reach --picture"));
    EXPECT_EQ(lineCount(readFile(compare)), 1u + 2 * 7000u);  // one kept run and the current one
}

// A fault in reading the grids names the cells behind it, all of them for set 5; a cell that is
// not a number says where it is, in every grid; a run too long for a step count and a ringdown
// of a run of no step say so.
TEST(RunnerFaults, MessagesSayWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::string notANumber = "'x' is not a valid floating point value\nin ";
    const std::string tooLong = " steps is too long: the results of at most 20000000 steps fit in memory\n";
    const std::string ringdown = temporaryPath("one_row.csv");
    for (const Case& c : {
             Case{{"G5Click", "O1Click"},  // 0 × Iwn / ksi for the start-up's field current of 0
                  "Invalid floating point operation\nCells that make a divisor zero: siatka.34 (ksi [-]) = 0,000, "
                  "siatka.28 (Td0\" [s]) = 0,000, siatka.27 (Tq0` [s]) = 0,0, siatka.29 (Tq0\" [s]) = 0,000, "
                  "siatka.22 (Xq` [-]) = 0,000 equal to siatka.24 (Xq\" [-]) = 0,000\n"},
             Case{{"G5Click", "Canaya1Click", "Warunkizadane1Click"},
                  "Floating point division by zero\nCells that make a divisor zero: siatka.28 (Td0\" [s]) = 0,000, "
                  "siatka.22 (Xq` [-]) = 0,000 equal to siatka.24 (Xq\" [-]) = 0,000, "
                  "siatka.27 (Tq0` [s]) = 0,0, siatka.29 (Tq0\" [s]) = 0,000\n"},
             Case{{"Stale_PSS", "Siatka_PSS.3=0", "siatka.21=2,48", "O1Click"},
                  "Floating point division by zero\nCells that make a divisor zero: Siatka_PSS.3 (T3 [s]) = 0, "
                  "siatka.19 (Xd [-]) = 2,48 equal to siatka.21 (Xd` [-]) = 2,48\n"},
             Case{{"siatka.13=1,5", "O1Click"},
                  "Invalid floating point operation\nCells the failing formula read: siatka.13 (cosfin) = 1,5, "
                  "siatka.19 (Xd [-]) = 2,48, siatka.20 (Xq [-]) = 2,48\n"},
             Case{{"siatka.20=x", "O1Click"}, notANumber + "siatka.20 (Xq [-])\n"},
             Case{{"siatkaPraca.13=x", "O1Click"}, notANumber + "siatkaPraca.13 (Zaburz)\n"},
             Case{{"war_pocz.1=x", "O1Click"}, notANumber + "war_pocz.1 (Iwr [-])\n"},
             Case{{"Stale_PSS", "Siatka_PSS.6=x", "O1Click"}, notANumber + "Siatka_PSS.6 (kw [-])\n"},
             Case{{"PSS2A_1Click", "Stale_PSS", "Siatka_PSS.16=x", "O1Click"}, notANumber + "Siatka_PSS.16 (kw [-])\n"},
             Case{{"Warunkizadane1Click", "zadanystanustalony.1=x", "Warunkizadane1Click"},
                  notANumber + "zadanystanustalony.1 (Qr [-])\n"},
             Case{{"siatkaPraca.1=2,2e6", "O1Click"}, "A run of 2200002000" + tooLong},
             Case{{"siatkaPraca.1=1e308", "O1Click"}, "A run of more than 2147483647" + tooLong},
             Case{{"siatkaPraca.1=-1,9999", "O1Click", "--ringdown", "w", ringdown},
                  "The window from -2 s to -2 s holds 0 samples; a ringdown needs at least 20\n"},
         }) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 1) << c.args[0];
        EXPECT_EQ(run.err, c.err);
    }
}

}  // namespace
}  // namespace tgsim
