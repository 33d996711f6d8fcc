#include "cli_arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <set>
#include <string_view>

#include "cli_tuning.h"
#include "base/message_text.h"
#include "driver/chart_quantities.h"
#include "driver/script/step_parser.h"
#include "output_names.h"
#include "ui/metafile/chart_picture.h"

namespace tgsim::cli {

// A time of a ringdown window in seconds, with a decimal point or comma; empty: not given.
bool parseWindowTime(std::string_view text, std::optional<double>& time) {
    if (text.empty()) return true;
    std::string number(text);
    for (char& c : number)
        if (c == ',') c = '.';
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || ptr != number.data() + number.size() || !std::isfinite(value)) return false;
    time = value;
    return true;
}

namespace {

// QUANTITY or QUANTITY:FROM:TO, either time empty for the default window's.
bool parseRingdownWindow(std::string_view text, RingdownRequest& request) {
    const std::size_t first = text.find(':');
    request.quantity = std::string(text.substr(0, first));
    if (chartQuantityNamed(request.quantity) == 0) return false;
    if (first == std::string_view::npos) return true;
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) return false;
    return parseWindowTime(text.substr(first + 1, second - first - 1), request.from) &&
           parseWindowTime(text.substr(second + 1), request.to);
}

// The options that may be given once: each takes one file, one number or one choice.
bool isSingleValued(std::string_view option) {
    static constexpr std::array<std::string_view, 14> kOnce = {
        "--results", "--chart",      "--compare",   "--picture",       "--standard-parameters",
        "--modes",   "--pss-tuning", "--study",     "--study-picture", "--study-figure",
        "--jobs",    "--shard",      "--save-case", "--export-dyr"};
    return std::find(kOnce.begin(), kOnce.end(), option) != kOnce.end();
}

// What follows --modes is its file unless it is an option or a step (a file whose name begins
// with "-" is given as ./-NAME).
bool isModesFile(const std::string& arg) {
    Step step;
    return (arg.empty() || arg[0] != '-') && !isStep(arg) && !parseCellEdit(arg, step);
}

}  // namespace

std::string usage() {
    return "usage: tgsim-cli [STEP ...] [--results FILE] [--chart FILE] [--compare FILE] [--picture FILE] [--legend]\n"
           "                 [--standard-parameters FILE] [--modes FILE] [--ringdown QUANTITY[:FROM:TO] FILE]...\n"
           "                 [--frequency-response FILE[:FROM:TO:COUNT]] [--pss-tuning FILE] [--export-dyr FILE]\n"
           "                 [--grid NAME]... [--state] [--save-case FILE]\n"
           "       tgsim-cli [STEP | --sweep NAME.COL=FROM:TO:COUNT ...] --study FILE [--modes]\n"
           "                 [--study-picture FILE [--study-figure NAME]] [--jobs N] [--shard K/N]\n"
           "\n"
           "Starts a session as the program starts, runs the steps in order, then writes the outputs.\n"
           "STEP is a command by its handler name:\n" +
           stepList() +
           "  or a cell edit of a grid's value row, NAME.COL=TEXT, NAME one of siatka, siatkaPraca,\n"
           "  war_pocz, Siatka_PSS, zadanystanustalony (for example siatkaPraca.1=10), or --case FILE: a\n"
           "  case file (.tgsim.toml) opened, its cells and switches put in place; nothing is computed.\n"
           "Friendlier steps: --generator N (the same as GNClick), --scenario NAME (a scenario by its\n"
           "  menu caption or name, e.g. Softstart, \"Praca w sieci\", \"Test: PSS 2A\"), --model\n"
           "  Klasyczny|Canaya, --solve (O1Click), --tick K and --untick K (quantity box K = 1..17 of the\n"
           "  chart, as the window's check boxes; they decide the lines of --picture), --header\n"
           "  NAME.COL=TEXT (a cell edit of a grid's header row).\n"
           "Machines from PSS/E files: --raw FILE (the network data the next imports take their bases from),\n"
           "  --import-dyr FILE[@BUS[:ID]] (a GENROU machine of the dynamic data, by default the file's first,\n"
           "  with its PSS2A when it has one; bases from --raw, else from the .raw of the same name beside it).\n"
           "Outputs:\n"
           "  --results FILE  the result matrix of the last computation (CSV, physical units)\n"
           "  --chart FILE    the seventeen chart quantities (CSV, relative units)\n"
           "  --compare FILE  the chart quantities of every kept run (ZachowajPrzebiegClick) and of the last\n"
           "                  computation, CSV in long form: run,t,Id,...,Q with run 1..k, then current\n"
           "  --picture FILE  the chart as it stands after the steps; .wmf, .emf, .png, .svg or .pdf\n"
           "  --legend        the picture with the chart's legend\n"
           "  --standard-parameters FILE\n"
           "                  the standard parameters of the machine the grids describe after the steps\n"
           "                  (CSV: name,value,unit,catalogue,ratio); no computation needed\n"
           "  --modes FILE    the modes of the initial state in war_pocz with the record as the grids\n"
           "                  stand after the steps (CSV: real,imag,frequency_hz,damping_ratio,\n"
           "                  time_constant_s,participation,electromechanical); refused off an equilibrium\n"
           "  --ringdown QUANTITY[:FROM:TO] FILE\n"
           "                  the dominant oscillation of a chart quantity (caption, e.g. w or P) in the\n"
           "                  last computation from FROM to TO seconds (default: from the scenario's last\n"
           "                  event to the end; either may be left empty) (CSV: quantity,from_s,to_s,\n"
           "                  frequency_hz,damping_ratio,amplitude,fit_quality,oscillation; repeatable,\n"
           "                  one line per request in a shared FILE)\n"
           "  --frequency-response FILE[:FROM:TO:COUNT]   (repeatable)\n"
           "                  the frequency responses of the initial state with the shaft held and of the\n"
           "                  stabilizer in Siatka_PSS, at COUNT log-spaced frequencies from FROM to TO Hz\n"
           "                  (default 0.1:5:200) (CSV: frequency_hz,gep_gain,gep_phase_deg,vref_gain,\n"
           "                  vref_phase_deg,pss_gain,pss_phase_deg,net_gain,net_phase_deg,damping_torque,\n"
           "                  synchronizing_torque); no computation needed\n"
           "  --pss-tuning FILE\n"
           "                  the proposed setting of the stabilizer in Siatka_PSS for the initial state\n"
           "                  (CSV: name,value,unit); no computation needed; DobierzPSSClick applies it\n"
           "  --export-dyr FILE\n"
           "                  the machine the grids hold as PSS/E dynamic data: a GENROU record (and a PSS2A\n"
           "                  record with that stabilizer on); what it leaves out on stderr\n"
           "  --grid NAME     the grid's header and value rows, tab-separated (repeatable)\n"
           "  --state         scenario, model, stabilizer, captions, step count and status texts\n"
           "  --save-case FILE  the case as the steps leave it: grids, switches, data-set names (TOML)\n" +
           studyUsage() +
           "An option that takes one value is given once; a value that begins with -- is taken for the next\n"
           "  option (a file of such a name is given as ./--NAME). Two outputs may not name one file.\n"
           "Exit status: 0 done, 1 a step failed or an output was refused (its message on stderr; the other\n"
           "  outputs still written) or a point of a study failed (its row says why), 2 usage (nothing runs).\n";
}

ParseResult parseArguments(const std::vector<std::string>& args) {
    ParseResult result;
    Arguments& a = result.arguments;
    std::set<std::string> given;  // the single-valued options met so far
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) { return optionValue(args, i, out, result.error); };
        std::string text;
        if (isSingleValued(arg) && !given.insert(arg).second) {
            result.error = "option " + quotedForMessage(arg) + " is given twice; it takes one value";
            return result;
        }
        if (parseStudyOption(args, i, a, result.error)) {
            if (!result.error.empty()) return result;
        } else if (arg == "--help" || arg == "-h") {
            a.help = true;
        } else if (arg == "--results" || arg == "--chart" || arg == "--compare" || arg == "--standard-parameters") {
            if (!value(text)) return result;
            (arg == "--results"   ? a.resultsFile
             : arg == "--chart"   ? a.chartFile
             : arg == "--compare" ? a.compareFile
                                  : a.standardParametersFile) = text;
        } else if (arg == "--ringdown") {
            RingdownRequest request;
            if (!value(text)) return result;
            if (!parseRingdownWindow(text, request)) {
                result.error =
                    "--ringdown takes QUANTITY or QUANTITY:FROM:TO (a chart quantity such as w or P, "
                    "times in seconds), not " +
                    quotedForMessage(text);
                return result;
            }
            if (!value(request.file)) return result;
            a.ringdowns.push_back(std::move(request));
        } else if (arg == "--frequency-response") {
            FrequencyResponseRequest request;
            if (!value(text)) return result;
            if (result.error = parseFrequencyResponseRequest(text, request); !result.error.empty()) return result;
            a.frequencyResponses.push_back(request);
        } else if (arg == "--pss-tuning" || arg == "--save-case" || arg == "--export-dyr") {
            if (!value(text)) return result;
            (arg == "--pss-tuning" ? a.pssTuningFile : arg == "--save-case" ? a.saveCaseFile : a.exportDyrFile) = text;
        } else if (arg == "--picture") {
            if (!value(text)) return result;
            if (!pictureFormatForFileName(QString::fromStdString(text))) {
                result.error = "--picture needs a file name ending in .wmf, .emf, .png, .svg or .pdf, not " +
                               quotedForMessage(text);
                return result;
            }
            a.pictureFile = text;
        } else if (arg == "--grid") {
            if (!value(text)) return result;
            if (!gridIdByName(text)) {
                result.error = "unknown grid: " + quotedForMessage(text);
                return result;
            }
            a.grids.push_back(text);
        } else if (arg == "--modes") {
            // A single run writes the modes into FILE; a study puts them into its table and takes
            // --modes alone.
            a.study.modes = true;
            if (i + 1 < args.size() && isModesFile(args[i + 1])) a.modesFile = args[++i];
        } else if (arg == "--state") {
            a.state = true;
        } else if (arg == "--legend") {
            a.legend = true;
        } else if (!parseStep(args, i, a.steps, result.error)) {
            result.error = "unknown step or option: " + quotedForMessage(arg);
            return result;
        } else if (!result.error.empty()) {
            return result;
        }
    }
    if (a.legend && !a.pictureFile && !a.study.tableFile) {
        result.error = "--legend draws the legend into --picture, which is missing";
        return result;
    }
    result.error = checkStudyArguments(a);
    if (result.error.empty()) result.error = checkDistinctOutputs(a);
    return result;
}

}  // namespace tgsim::cli
