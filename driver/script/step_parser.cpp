#include "step_parser.h"

#include <charconv>

#include "base/message_text.h"
#include "driver/commands.h"
#include "scenarios/scenario_presets.h"

namespace tgsim {

bool isStep(std::string_view name) {
    const Command* command = findCommand(name);
    return command && command->action;
}

std::string stepList() {
    std::string text, line = "  ";
    for (const Command& command : kCommands) {
        if (!command.action) continue;
        const std::string word = std::string(command.handler) + ",";
        if (line.size() + word.size() + 1 > 100) {
            text += line + "\n";
            line = "  ";
        }
        line += (line.size() > 2 ? " " : "") + word;
    }
    line.pop_back();  // the last comma
    return text + line + "\n";
}

bool parseCellEdit(std::string_view word, Step& step) {
    const std::size_t dot = word.find('.');
    const std::size_t equals = word.find('=');
    if (dot == std::string_view::npos || equals == std::string_view::npos || equals < dot) return false;
    const std::string_view name = word.substr(0, dot);
    const std::string_view column = word.substr(dot + 1, equals - dot - 1);
    if (!gridIdByName(name) || column.empty()) return false;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(column.data(), column.data() + column.size(), value);
    if (ec != std::errc() || ptr != column.data() + column.size() || value < 0) return false;
    step.grid = std::string(name);
    step.column = value;
    step.text = std::string(word.substr(equals + 1));
    return true;
}

std::string scenarioHandler(std::string_view name) {
    for (const ScenarioPreset& preset : kScenarioPresets) {
        std::string_view caption = preset.menuCaption;
        while (!caption.empty() && caption.back() == ' ') caption.remove_suffix(1);
        if (name == caption || name == preset.scenarioName || name == preset.handler) return preset.handler;
    }
    return {};
}

bool optionValue(const std::vector<std::string>& words, std::size_t& i, std::string& value, std::string& error) {
    if (i + 1 >= words.size() || words[i + 1].starts_with("--")) {
        error = "option " + quotedForMessage(words[i]) + " needs a value";
        if (i + 1 < words.size())
            error += ", not the option " + quotedForMessage(words[i + 1]) + " (a file of that name is given as ./" +
                     quotedForMessage(words[i + 1]) + ")";
        return false;
    }
    value = words[++i];
    return true;
}

namespace {

// The step of a friendlier spelling that takes a value; "" in `error` unless the value is bad.
Step spelledStep(std::string_view option, const std::string& value, std::string& error) {
    Step step;
    if (option == "--generator") {
        if (value.size() != 1 || value[0] < '1' || value[0] > '6')
            error = "--generator takes a number from 1 to 6, not " + quotedForMessage(value);
        return commandStep("G" + value + "Click");
    }
    if (option == "--scenario") {
        const std::string handler = scenarioHandler(value);
        if (handler.empty()) error = "unknown scenario: " + quotedForMessage(value);
        return commandStep(handler);
    }
    if (option == "--tick" || option == "--untick") {
        const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), step.box);
        if (ec != std::errc() || ptr != value.data() + value.size() || step.box < 1 || step.box > 17)
            error = quotedForMessage(option) + " takes a quantity box from 1 to 17, not " + quotedForMessage(value);
        step.checked = option == "--tick";
        return step;
    }
    if (option == "--raw" || option == "--import-dyr") {
        if (value.empty()) error = quotedForMessage(option) + " needs a file name";
        step.fileStep = option == "--raw" ? FileStep::NetworkData : FileStep::MachineData;
        step.file = value;
        return step;
    }
    if (option == "--header") {
        if (!parseCellEdit(value, step)) error = "--header takes NAME.COL=TEXT, not " + quotedForMessage(value);
        step.row = 0;
        return step;
    }
    if (value != "Klasyczny" && value != "Canaya" && value != "Canay'a")
        error = "--model takes Klasyczny or Canaya, not " + quotedForMessage(value);
    return commandStep(value == "Klasyczny" ? "Klasyczny1Click" : "Canaya1Click");
}

}  // namespace

bool parseStep(const std::vector<std::string>& words, std::size_t& i, std::vector<Step>& steps, std::string& error) {
    const std::string& word = words[i];
    Step step;
    if (word == "--solve") {
        steps.push_back(commandStep("O1Click"));
    } else if (word == "--case") {
        std::string file;
        if (!optionValue(words, i, file, error)) return true;
        steps.push_back(caseStep(std::move(file)));
    } else if (word == "--generator" || word == "--scenario" || word == "--tick" || word == "--untick" ||
               word == "--header" || word == "--model" || word == "--raw" || word == "--import-dyr") {
        std::string value;
        if (!optionValue(words, i, value, error)) return true;
        step = spelledStep(word, value, error);
        if (error.empty()) steps.push_back(std::move(step));
    } else if (isStep(word)) {
        steps.push_back(commandStep(word));
    } else if (parseCellEdit(word, step)) {
        steps.push_back(std::move(step));
    } else {
        return false;
    }
    return true;
}

}  // namespace tgsim
