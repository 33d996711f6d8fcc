#include "case_reader.h"

#include <algorithm>
#include <toml++/toml.h>

#include "base/failure.h"
#include "base/message_text.h"
#include "data/grid_columns.h"
#include "scenarios/scenario_presets.h"

namespace tgsim {
namespace {

constexpr std::size_t kMostProblemsShown = 10;

const char* typeName(const toml::node& node) {
    switch (node.type()) {
    case toml::node_type::string: return "a string";
    case toml::node_type::integer: return "an integer";
    case toml::node_type::floating_point: return "a floating-point number";
    case toml::node_type::boolean: return "a boolean";
    case toml::node_type::date:
    case toml::node_type::time:
    case toml::node_type::date_time: return "a date or time";
    case toml::node_type::array: return "an array";
    case toml::node_type::table: return "a table";
    case toml::node_type::none: break;
    }
    return "nothing";
}

std::string quoted(std::string_view text) { return "\"" + quotedForMessage(text) + "\""; }

struct Problem {
    toml::source_position at;
    std::string text;
};

class CaseReader {
public:
    CaseReader(const std::string& fileName, std::uint8_t pssOrder) : file_(fileName), pssOrder_(pssOrder) {}

    CaseContents read(const toml::table& root);

private:
    std::string where(const toml::source_position& at) const {
        return quotedForMessage(file_, kWholeText) + ":" + std::to_string(at.line) + ":" + std::to_string(at.column);
    }
    void problem(const toml::source_region& at, std::string text) { problems_.push_back({at.begin, std::move(text)}); }
    [[noreturn]] void refuse() const;
    // The node as a table, or a problem.
    const toml::table* table(const toml::node& node, const std::string& name);
    // The node's string, or a problem (`expected` says what the text is).
    const std::string* string(const toml::node& node, const std::string& name, const char* expected);
    void unknownKey(const toml::key& key, const std::string& table, const std::string& hint) {
        problem(key.source(), "unknown key " + quoted(key.str()) + " in [" + table + "]" + hint);
    }
    void checkFormat(const toml::table& root);
    void readCaseTable(const toml::table& t);
    void readGenerator(const toml::table& t);
    void readStabilizer(const toml::table& t);
    void readScenario(const toml::table& t);
    void readGrid(GridId id, const toml::table& t);
    void readColumns(GridId id, const toml::table& t, int row, const std::string& name);
    ColumnTable tableOf(GridId id) const {
        return columnTable(id, id == GridId::Siatka_PSS ? contents_.switches.pssOrder.value_or(pssOrder_) : 0);
    }

    std::string file_;
    std::uint8_t pssOrder_;
    CaseContents contents_;
    std::vector<Problem> problems_;
};

void CaseReader::refuse() const {
    std::vector<Problem> sorted = problems_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Problem& a, const Problem& b) {
        return a.at.line != b.at.line ? a.at.line < b.at.line : a.at.column < b.at.column;
    });
    std::string message = "The case file was not opened; nothing was changed:";
    for (std::size_t i = 0; i < sorted.size() && i < kMostProblemsShown; ++i)
        message += "\n" + where(sorted[i].at) + ": " + sorted[i].text;
    if (sorted.size() > kMostProblemsShown)
        message += "\n(and " + std::to_string(sorted.size() - kMostProblemsShown) + " more)";
    throw Failure(message);
}

const toml::table* CaseReader::table(const toml::node& node, const std::string& name) {
    if (const toml::table* t = node.as_table()) return t;
    problem(node.source(), "[" + name + "] must be a table, not " + typeName(node));
    return nullptr;
}

const std::string* CaseReader::string(const toml::node& node, const std::string& name, const char* expected) {
    if (const toml::value<std::string>* value = node.as_string()) return &value->get();
    problem(node.source(), name + " must be a string (" + expected + "), not " + typeName(node));
    return nullptr;
}

// A file of a later format is refused for that alone: its other keys may well be new ones.
void CaseReader::checkFormat(const toml::table& root) {
    const toml::node* format = root["case"]["format"].node();
    if (!format) return;
    const toml::value<std::int64_t>* number = format->as_integer();
    if (!number || number->get() < 1) {
        problem(format->source(), "case.format must be the whole number " + std::to_string(kCaseFormat));
        refuse();
    }
    if (number->get() > kCaseFormat) {
        problem(format->source(), "the case is of format " + std::to_string(number->get()) +
                                      ", written by a newer program; this one reads format " +
                                      std::to_string(kCaseFormat));
        refuse();
    }
}

void CaseReader::readCaseTable(const toml::table& t) {
    for (const auto& [key, node] : t) {
        if (key == "format") continue;  // checked first
        std::optional<std::string>* field = key == "title"         ? &contents_.switches.title
                                            : key == "description" ? &contents_.switches.description
                                                                   : nullptr;
        if (key == "program") {
            string(node, "case.program", "the program that wrote the file");
        } else if (!field) {
            unknownKey(key, "case", ": it takes format, title, description and program");
        } else if (const std::string* text = string(node, "case." + std::string(key.str()), "free text")) {
            *field = *text;
        }
    }
}

void CaseReader::readGenerator(const toml::table& t) {
    for (const auto& [key, node] : t) {
        if (key == "set") {
            if (const std::string* name = string(node, "generator.set", "the data set's name"))
                contents_.switches.generatorSet = *name;
        } else if (key == "model") {
            const std::string* name = string(node, "generator.model", "Klasyczny or Canaya");
            if (name && *name == "Klasyczny")
                contents_.switches.model = RotorModel::Klasyczny;
            else if (name && (*name == "Canaya" || *name == "Canay'a"))
                contents_.switches.model = RotorModel::Canaya;
            else if (name)
                problem(node.source(), "generator.model must be \"Klasyczny\" or \"Canaya\", not " + quoted(*name));
        } else {
            unknownKey(key, "generator", ": it takes model and set");
        }
    }
}

void CaseReader::readStabilizer(const toml::table& t) {
    for (const auto& [key, node] : t) {
        if (key == "set") {
            if (const std::string* name = string(node, "stabilizer.set", "the data set's name"))
                contents_.switches.stabilizerSet = *name;
        } else if (key == "on") {
            if (const toml::value<bool>* on = node.as_boolean())
                contents_.switches.stabilizerOn = on->get();
            else
                problem(node.source(), std::string("stabilizer.on must be true or false, not ") + typeName(node));
        } else if (key == "kind") {
            const std::string* kind = string(node, "stabilizer.kind", "PSS2A or single-input");
            if (kind && *kind == kPss2aKind)
                contents_.switches.pssOrder = kPss2aOrder;
            else if (kind && *kind == kSingleInputKind)
                contents_.switches.pssOrder = kSingleInputOrder;
            else if (kind)
                problem(node.source(), "stabilizer.kind must be \"PSS2A\" or \"single-input\", not " + quoted(*kind));
        } else {
            unknownKey(key, "stabilizer", ": it takes kind, set and on");
        }
    }
}

void CaseReader::readScenario(const toml::table& t) {
    for (const auto& [key, node] : t) {
        if (key != "name") {
            unknownKey(key, "scenario", ": it takes name");
            continue;
        }
        const std::string* name = string(node, "scenario.name", "a scenario's name");
        if (!name) continue;
        const ScenarioPreset* preset =
            *name == kStartupScenario.scenarioName ? &kStartupScenario : findScenarioPreset(*name);
        if (preset) {
            contents_.switches.scenario = preset;
            continue;
        }
        std::string names = quoted(kStartupScenario.scenarioName);
        for (const ScenarioPreset& p : kScenarioPresets) names += ", " + quoted(p.scenarioName);
        problem(node.source(), "scenario.name must be one of " + names + ", not " + quoted(*name));
    }
}

// A key that names a column another way (the record's field, the case of its letters).
std::string keyHint(ColumnTable columns, std::string_view key) {
    const auto lower = [](std::string_view text) {
        std::string out(text);
        for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return out;
    };
    for (const GridColumn& c : columns)
        if (key == c.code || lower(key) == lower(c.key)) return std::string(" (did you mean ") + c.key + "?)";
    return " (the keys are the columns' keys, listed in docs/model.md, \"Symbols\")";
}

void CaseReader::readColumns(GridId id, const toml::table& t, int row, const std::string& name) {
    const ColumnTable columns = tableOf(id);
    for (const auto& [key, node] : t) {
        if (row == 1 && key == "headers") {
            if (const toml::table* headers = table(node, name + ".headers"))
                readColumns(id, *headers, 0, name + ".headers");
            continue;
        }
        const GridColumn* column = columnNamed(columns, key.str());
        if (!column) {
            std::string hint = keyHint(columns, key.str());
            if (id == GridId::Siatka_PSS)
                hint = ": not a column of the " +
                       std::string(columns.data() == kPss2aTable.data() ? "PSS2A" : "single-input") +
                       " stabilizer's grid" + hint;
            unknownKey(key, name, hint);
            continue;
        }
        const char* expected = row == 1 ? "the cell's text, such as \"2,48\"" : "the header's text";
        if (const std::string* text = string(node, name + "." + std::string(key.str()), expected))
            contents_.cells.push_back({id, column->column, row, *text});
        if (id == GridId::zadanystanustalony && row == 1 &&
            column - kSteadyStateTable.data() < static_cast<std::ptrdiff_t>(kSteadyStateInputs))
            contents_.switches.steadyStatePointGiven = true;
    }
}

void CaseReader::readGrid(GridId id, const toml::table& t) {
    contents_.grids[static_cast<std::size_t>(id)] = true;
    readColumns(id, t, 1, std::string(kGridNames[static_cast<std::size_t>(id)]));
}

CaseContents CaseReader::read(const toml::table& root) {
    checkFormat(root);
    // The stabilizer's kind first: it decides the keys of [Siatka_PSS].
    if (const toml::table* stabilizer = root["stabilizer"].as_table()) readStabilizer(*stabilizer);
    for (const auto& [key, node] : root) {
        const std::string name(key.str());
        const std::optional<GridId> grid = gridIdByName(name);
        const bool known = grid || name == "case" || name == "generator" || name == "stabilizer" || name == "scenario";
        if (!known) {
            problem(key.source(),
                    "unknown table " + quoted(name) +
                        ": a case holds [case], [generator], [stabilizer], [scenario] and the grids' tables "
                        "[siatka], [siatkaPraca], [war_pocz], [Siatka_PSS], [zadanystanustalony]");
            continue;
        }
        const toml::table* t = table(node, name);
        if (!t || name == "stabilizer") continue;
        if (grid)
            readGrid(*grid, *t);
        else if (name == "case")
            readCaseTable(*t);
        else if (name == "generator")
            readGenerator(*t);
        else
            readScenario(*t);
    }
    if (!problems_.empty()) refuse();
    return std::move(contents_);
}

}  // namespace

CaseContents readCase(std::string_view text, const std::string& fileName, std::uint8_t pssOrder) {
    toml::table root;
    try {
        root = toml::parse(text, std::string_view(fileName));
    } catch (const toml::parse_error& error) {
        const toml::source_position at = error.source().begin;
        throw Failure("The case file was not opened; nothing was changed:\n" + quotedForMessage(fileName, kWholeText) +
                      ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " +
                      std::string(error.description()));
    }
    return CaseReader(fileName, pssOrder).read(root);
}

}  // namespace tgsim
