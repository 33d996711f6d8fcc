#include "study_arguments.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "base/cell_number.h"
#include "base/failure.h"
#include "base/message_text.h"
#include "cli_arguments.h"
#include "data/grids.h"
#include "driver/script/step_parser.h"
#include "driver/study/study_table.h"
#include "ui/metafile/chart_picture.h"

namespace tgsim::cli {

namespace {

template <class Integer>
bool parseInteger(std::string_view text, Integer& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

// FROM:TO:COUNT into the sweep; the reason it is refused, or "".
std::string parseRange(std::string_view range, Sweep& sweep) {
    const std::size_t first = range.find(':');
    const std::size_t second = first == std::string_view::npos ? first : range.find(':', first + 1);
    if (second == std::string_view::npos || range.find(':', second + 1) != std::string_view::npos)
        return "the range must be FROM:TO:COUNT";
    const std::string_view ends[2] = {range.substr(0, first), range.substr(first + 1, second - first - 1)};
    double* values[2] = {&sweep.from, &sweep.to};
    for (int i = 0; i < 2; ++i) {
        try {
            *values[i] = parseCellNumber(ends[i]);
        } catch (const Failure& failure) {
            return std::string(i == 0 ? "FROM: " : "TO: ") + failure.what() + " (numbers take a decimal comma)";
        }
    }
    const std::string_view count = range.substr(second + 1);
    if (!parseInteger(count, sweep.count) || sweep.count < 1 || sweep.count > kMostStudyPoints)
        return "COUNT must be a whole number from 1 to " + std::to_string(kMostStudyPoints) + ", not " +
               quotedForMessage(count);
    if (sweep.count == 1 && sweep.from != sweep.to) return "a sweep of one value needs FROM = TO";
    return {};
}

std::string parseSweep(const std::string& text, Arguments& a) {
    Step step;
    if (!parseCellEdit(text, step)) return "--sweep takes NAME.COL=FROM:TO:COUNT, not " + quotedForMessage(text);
    const std::string form = "--sweep " + quotedForMessage(text);
    // The widest layout a grid takes; whether the column exists at that step is the steps' affair.
    if (!Grids{}.byId(*gridIdByName(step.grid)).contains(step.column, 1))
        return form + ": " + step.grid + " has no column " + std::to_string(step.column);
    Sweep sweep;
    sweep.grid = step.grid;
    sweep.column = step.column;
    // Two sweeps of one cell would make points whose cell holds only the later value.
    for (const Sweep& earlier : a.study.sweeps)
        if (earlier.grid == sweep.grid && earlier.column == sweep.column)
            return form + ": " + sweep.header() + " is swept already; a cell takes one sweep";
    if (const std::string refusal = parseRange(step.text, sweep); !refusal.empty()) return form + ": " + refusal;
    if (sweep.count > kMostStudyPoints / a.study.pointCount())
        return "a study of more than " + std::to_string(kMostStudyPoints) + " points is refused";
    step.text.clear();
    step.sweep = static_cast<int>(a.study.sweeps.size());
    a.study.sweeps.push_back(sweep);
    a.steps.push_back(step);
    return {};
}

std::string parseShard(const std::string& text, Shard& shard) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos || !parseInteger(std::string_view(text).substr(0, slash), shard.index) ||
        !parseInteger(std::string_view(text).substr(slash + 1), shard.count) || shard.count < 1 ||
        shard.index >= shard.count)
        return "--shard takes K/N with 0 <= K < N, not " + quotedForMessage(text);
    return {};
}

bool isPictureName(const std::string& name) {
    const auto format = pictureFormatForFileName(QString::fromStdString(name));
    return format == PictureFormat::Svg || format == PictureFormat::Png || format == PictureFormat::Pdf;
}

// The single-run outputs given, by option name.
std::vector<std::string> singleRunOutputs(const Arguments& a) {
    std::vector<std::string> given;
    if (a.resultsFile) given.push_back("--results");
    if (a.chartFile) given.push_back("--chart");
    if (a.compareFile) given.push_back("--compare");
    if (a.pictureFile) given.push_back("--picture");
    if (a.legend) given.push_back("--legend");
    if (a.standardParametersFile) given.push_back("--standard-parameters");
    if (a.exportDyrFile) given.push_back("--export-dyr");
    if (!a.grids.empty()) given.push_back("--grid");
    if (!a.ringdowns.empty()) given.push_back("--ringdown");
    if (!a.frequencyResponses.empty()) given.push_back("--frequency-response");
    if (a.pssTuningFile) given.push_back("--pss-tuning");
    if (a.state) given.push_back("--state");
    if (a.saveCaseFile) given.push_back("--save-case");
    return given;
}

bool computes(const Arguments& a) {
    return std::any_of(a.steps.begin(), a.steps.end(), [](const Step& s) { return s.command == "O1Click"; });
}

}  // namespace

bool parseStudyOption(const std::vector<std::string>& args, std::size_t& i, Arguments& a, std::string& error) {
    const std::string& arg = args[i];
    if (arg != "--sweep" && arg != "--study" && arg != "--study-picture" && arg != "--study-figure" &&
        arg != "--jobs" && arg != "--shard")
        return false;
    std::string text;
    if (!optionValue(args, i, text, error)) return true;
    StudyOptions& study = a.study;
    if (arg == "--sweep") {
        error = parseSweep(text, a);
    } else if (arg == "--study") {
        study.tableFile = text;
    } else if (arg == "--study-picture") {
        if (!isPictureName(text))
            error = "--study-picture needs a file name ending in .svg, .png or .pdf, not " + quotedForMessage(text);
        study.pictureFile = text;
    } else if (arg == "--study-figure") {
        if (!figureIndex(text))
            error = "--study-figure takes a figure of the table (" + figureList() + "), not " + quotedForMessage(text);
        study.figure = text;
    } else if (arg == "--jobs") {
        if (!parseInteger(std::string_view(text), study.jobs) || study.jobs < 1 || study.jobs > kMostJobs)
            error = "--jobs takes a number of threads from 1 to " + std::to_string(kMostJobs) + ", not " +
                    quotedForMessage(text);
    } else {
        error = parseShard(text, study.shard);
        study.shardGiven = true;
    }
    return true;
}

std::string checkStudyArguments(const Arguments& a) {
    const StudyOptions& study = a.study;
    if (!study.tableFile) {
        if (!study.sweeps.empty() || study.pictureFile || study.figure || study.jobs || study.shardGiven)
            return "--sweep, --study-picture, --study-figure, --jobs and --shard belong to a study: give --study FILE";
        if (study.modes && !a.modesFile) return "--modes needs a FILE (only a study takes --modes alone)";
        return {};
    }
    if (const std::vector<std::string> outputs = singleRunOutputs(a); !outputs.empty())
        return outputs.front() +
               " is not written in a study, which writes one table row per point (--study) "
               "and its picture (--study-picture)";
    if (!computes(a) && !study.modes)
        return "a study needs a computation among its steps (O1Click, --solve) or --modes";
    if (study.figure && !study.pictureFile)
        return "--study-figure names the figure of --study-picture, which is missing";
    if (study.pictureFile && study.sweeps.empty()) return "--study-picture draws against the first sweep: give --sweep";
    if (*figureIndex(study.figureName()) >= figureCount(study.modes))
        return study.figureName() + " is a figure of the modes: give --modes";
    return {};
}

std::string studyUsage() {
    return "Studies: the steps run once per point, each point in a session of its own.\n"
           "  --sweep NAME.COL=FROM:TO:COUNT\n"
           "                  a step: the cell takes COUNT evenly spaced values from FROM to TO (decimal\n"
           "                  commas); several sweeps make the grid of all combinations, the first slowest\n"
           "  --study FILE    the table: one CSV row per point (point, the sweeps' values, status, message,\n"
           "                  figures of the point's last computation); no other output is written\n"
           "  --modes         in a study: the modal figures of every point's initial state after its steps\n"
           "                  (modes_max_real, em_damping_ratio); a FILE after it is not written\n"
           "  --study-picture FILE  a figure of the table's points against the first sweep, a line per\n"
           "                  value of the others; .svg, .png or .pdf\n"
           "  --study-figure NAME   the figure it draws (default " +
           std::string(kDefaultStudyFigure) +
           ")\n"
           "  --jobs N        threads (default: one per core)\n"
           "  --shard K/N     only the points with point mod N = K\n";
}

}  // namespace tgsim::cli
