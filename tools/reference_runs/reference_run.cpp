#include "reference_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace tgsim::reference {
namespace {

namespace fs = std::filesystem;

std::string readWhole(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text's lines, each with its line end.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

// The header line, every `every`-th row after it (the first included) and the last row.
std::string thinned(const std::string& text, int every) {
    const std::vector<std::string> lines = linesOf(text);
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (i == 0 || (i - 1) % static_cast<std::size_t>(every) == 0 || i + 1 == lines.size()) out += lines[i];
    return out;
}

bool isRowFileOption(const std::string& option) {
    return option == "--results" || option == "--chart" || option == "--compare";
}

struct OutputFile {
    std::string name;  // as the table writes it, with its @
    bool rows = false;
};

// Runs the program with stdout and stderr into files of `folder`; returns the exit status, or
// minus the signal that ended it.
int runProgram(const std::string& program, const std::vector<std::string>& args, const fs::path& folder) {
    std::vector<char*> argv;
    std::string name = program;
    argv.push_back(name.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = (folder / "stdout").string(), err = (folder / "stderr").string();
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("Cannot start " + program);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

void appendSection(std::string& text, const std::string& title, const std::string& content) {
    text += "== " + title + "\n" + content;
    if (!content.empty() && content.back() != '\n') text += "\n";
}

}  // namespace

std::vector<ReferenceRun> readRunTable(const std::string& tableFile) {
    std::ifstream file(tableFile);
    if (!file) throw std::runtime_error("Cannot read the table of reference runs " + tableFile);
    std::vector<ReferenceRun> runs;
    std::set<std::string> names;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        std::istringstream fields(line);
        ReferenceRun run;
        std::string every;
        if (!(fields >> run.name) || run.name[0] == '#') continue;
        for (std::string arg; fields >> arg;) run.arguments.push_back(arg);
        const bool sound = std::regex_match(run.name, std::regex("[a-z0-9_]+")) && !run.arguments.empty() &&
                           std::regex_match(run.arguments[0], std::regex("[1-9][0-9]{0,6}"));
        if (!sound || !names.insert(run.name).second)
            throw std::runtime_error(tableFile + ":" + std::to_string(number) +
                                     ": expected a new NAME (a-z, 0-9, _), EVERY (a whole number) and arguments");
        run.every = std::stoi(run.arguments[0]);
        run.arguments.erase(run.arguments.begin());
        runs.push_back(run);
    }
    return runs;
}

std::string referenceText(const ReferenceRun& run, const std::string& cli) {
    const fs::path folder =
        fs::temp_directory_path() / ("tgsim_reference_" + std::to_string(getpid()) + "_" + run.name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<std::string> args;
    std::vector<OutputFile> outputs;
    std::string command = "tgsim-cli";
    for (std::size_t i = 0; i < run.arguments.size(); ++i) {
        const std::string& arg = run.arguments[i];
        command += " " + arg;
        if (arg.size() < 2 || arg[0] != '@') {
            args.push_back(arg);
            continue;
        }
        args.push_back((folder / arg.substr(1)).string());
        bool known = false;
        for (const OutputFile& o : outputs) known = known || o.name == arg;
        if (!known) outputs.push_back({arg, i > 0 && isRowFileOption(run.arguments[i - 1])});
    }
    const int status = runProgram(cli, args, folder);

    std::string text = command + "\n" + (status >= 0 ? "exit status " : "ended by signal ") +
                       std::to_string(status >= 0 ? status : -status) + "\n";
    appendSection(text, "stdout", readWhole(folder / "stdout"));
    appendSection(text, "stderr", readWhole(folder / "stderr"));
    for (const OutputFile& o : outputs) {
        const fs::path path = folder / o.name.substr(1);
        if (!fs::exists(path)) {
            appendSection(text, o.name + " (not written)", "");
        } else if (o.rows) {
            appendSection(
                text,
                o.name + ": the header, then every " + std::to_string(run.every) + " rows from the first, and the last",
                thinned(readWhole(path), run.every));
        } else {
            appendSection(text, o.name, readWhole(path));
        }
    }
    fs::remove_all(folder);
    return text;
}

std::string firstDifference(const std::string& kept, const std::string& now) {
    if (kept == now) return "";
    const std::vector<std::string> a = linesOf(kept), b = linesOf(now);
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    auto shown = [](const std::vector<std::string>& lines, std::size_t k) {
        return k < lines.size() ? lines[k] : std::string("(no line)\n");
    };
    return "line " + std::to_string(i + 1) + "\n  kept: " + shown(a, i) + "  now:  " + shown(b, i);
}

}  // namespace tgsim::reference
