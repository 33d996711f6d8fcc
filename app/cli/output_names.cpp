#include "output_names.h"

#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "cli_arguments.h"
#include "base/message_text.h"

namespace tgsim::cli {

std::optional<std::string> fileIdentity(const std::string& name) {
    struct stat status {};
    if (stat(name.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) return std::nullopt;
        return "inode " + std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error).lexically_normal();
    std::filesystem::path path = std::filesystem::weakly_canonical(absolute, error);
    if (error) path = absolute;
    return "path " + path.string();
}

namespace {

struct Output {
    const char* option;
    const std::string* name;
};

std::vector<Output> outputsOf(const Arguments& a) {
    std::vector<Output> outputs;
    const auto add = [&](const char* option, const std::optional<std::string>& name) {
        if (name) outputs.push_back({option, &*name});
    };
    if (a.study.tableFile) {
        add("--study", a.study.tableFile);
        add("--study-picture", a.study.pictureFile);
        return outputs;  // nothing else is written in a study
    }
    add("--results", a.resultsFile);
    add("--chart", a.chartFile);
    add("--compare", a.compareFile);
    add("--picture", a.pictureFile);
    add("--standard-parameters", a.standardParametersFile);
    add("--modes", a.modesFile);
    for (const FrequencyResponseRequest& request : a.frequencyResponses)
        outputs.push_back({"--frequency-response", &request.file});
    add("--pss-tuning", a.pssTuningFile);
    add("--save-case", a.saveCaseFile);
    add("--export-dyr", a.exportDyrFile);
    for (const RingdownRequest& request : a.ringdowns) outputs.push_back({"--ringdown", &request.file});
    return outputs;
}

}  // namespace

std::string checkDistinctOutputs(const Arguments& arguments) {
    const std::vector<Output> outputs = outputsOf(arguments);
    std::vector<std::optional<std::string>> identities;
    for (const Output& output : outputs) identities.push_back(fileIdentity(*output.name));
    for (std::size_t j = 1; j < outputs.size(); ++j)
        for (std::size_t i = 0; i < j; ++i) {
            const std::string_view first = outputs[i].option, second = outputs[j].option;
            if (!identities[i] || identities[i] != identities[j] || (first == "--ringdown" && second == "--ringdown"))
                continue;
            return std::string(first) + " " + quotedForMessage(*outputs[i].name) + " and " + std::string(second) + " " +
                   quotedForMessage(*outputs[j].name) + " name one file: give each output a file of its own";
        }
    return {};
}

}  // namespace tgsim::cli
