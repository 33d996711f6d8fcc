#include "case_writer.h"

#include <algorithm>
#include <sstream>
#include <toml++/toml.h>

#include "base/failure.h"
#include "base/message_text.h"
#include "data/grid_columns.h"

#ifndef TGSIM_VERSION
#define TGSIM_VERSION "unknown"
#endif

namespace tgsim {
namespace {

// A line `KEY = VALUE` with its comment in a column of the table's own.
struct Line {
    std::string assignment;
    std::string comment;
};

void writeTable(std::ostream& out, const std::string& name, const std::vector<Line>& lines) {
    if (lines.empty()) return;
    std::size_t width = 0;
    for (const Line& line : lines) width = std::max(width, line.assignment.size());
    width = std::min<std::size_t>(width, 40);
    out << '\n' << '[' << name << "]\n";
    for (const Line& line : lines) {
        out << line.assignment;
        if (!line.comment.empty())
            out << std::string(width > line.assignment.size() ? width - line.assignment.size() : 0, ' ') << "  # "
                << line.comment;
        out << '\n';
    }
}

// "Sn[MVA]", VA = cell × 10⁶: rated apparent power, typed in MVA
std::string columnComment(const GridColumn& column) {
    std::string comment = "\"" + std::string(column.header) + "\", " + column.unit;
    if (!column.scale.asTyped()) comment += std::string(" = cell ") + column.scale.text;
    return comment + ": " + column.meaning;
}

const char* modelKey(RotorModel model) { return model == RotorModel::Canaya ? "Canaya" : "Klasyczny"; }

void writeSwitches(std::ostream& out, const CaseSwitches& s) {
    std::vector<Line> lines = {{"format = " + std::to_string(kCaseFormat), ""}};
    if (s.title) lines.push_back({"title = " + tomlString(*s.title, "case.title"), ""});
    if (s.description) lines.push_back({"description = " + tomlString(*s.description, "case.description"), ""});
    lines.push_back({std::string("program = \"tgsim ") + TGSIM_VERSION + "\"", "the program that wrote the file"});
    writeTable(out, "case", lines);

    lines.clear();
    if (s.model && *s.model != RotorModel::None)
        lines.push_back({std::string("model = \"") + modelKey(*s.model) + "\"", "rotor model: Klasyczny or Canaya"});
    if (s.generatorSet)
        lines.push_back({"set = " + tomlString(*s.generatorSet, "generator.set"),
                         "the generator data set loaded last (it names the runs)"});
    writeTable(out, "generator", lines);

    lines.clear();
    if (s.pssOrder == kPss2aOrder || s.pssOrder == kSingleInputOrder)
        lines.push_back({std::string("kind = \"") + (s.pssOrder == kPss2aOrder ? kPss2aKind : kSingleInputKind) + "\"",
                         "PSS2A or single-input"});
    if (s.stabilizerSet)
        lines.push_back({"set = " + tomlString(*s.stabilizerSet, "stabilizer.set"),
                         "the stabilizer data set loaded last (it names the runs)"});
    if (s.stabilizerOn)
        lines.push_back({std::string("on = ") + (*s.stabilizerOn ? "true" : "false"),
                         "the switch: on shows \"Wyl. PSS\", off \"Zal. PSS\""});
    writeTable(out, "stabilizer", lines);

    if (s.scenario)
        writeTable(out, "scenario",
                   {{"name = " + tomlString(s.scenario->scenarioName, "scenario.name"), "the operating scenario"}});
}

void writeGrid(std::ostream& out, const CaseContents& contents, GridId id) {
    const ColumnTable table = columnTable(id, contents.switches.pssOrder.value_or(0));
    const std::string name(kGridNames[static_cast<std::size_t>(id)]);
    std::vector<Line> values, headers;
    for (const CaseCell& cell : contents.cells) {
        if (cell.grid != id) continue;
        const GridColumn* column = columnAt(table, cell.column);
        if (!column) continue;  // no key to name it by: not part of a case
        const std::string assignment =
            std::string(column->key) + " = " + tomlString(cell.text, name + "." + column->key);
        if (cell.row == 1)
            values.push_back({assignment, columnComment(*column)});
        else
            headers.push_back({assignment, "the program's header: \"" + std::string(column->header) + "\""});
    }
    if (values.empty() && headers.empty()) {
        out << "\n[" << name << "]\n";
        return;
    }
    writeTable(out, name, values);
    writeTable(out, name + ".headers", headers);
}

}  // namespace

std::string tomlString(const std::string& text, const std::string& what) {
    std::ostringstream quoted;
    quoted << toml::toml_formatter{toml::value<std::string>{text}, toml::format_flags::allow_unicode_strings};
    // The printer takes bytes that are not UTF-8 for Latin-1 characters: read it back to be sure.
    bool kept = false;
    try {
        const toml::table back = toml::parse("v = " + quoted.str());
        kept = back["v"].value<std::string>() == text;
    } catch (const toml::parse_error&) {
    }
    if (!kept)
        throw Failure(what +
                      " holds text that a case file cannot keep (it is not valid UTF-8): " + quotedForMessage(text));
    return quoted.str();
}

std::string caseText(const CaseContents& contents) {
    std::ostringstream out;
    out << "# A tgsim case: the grids' cells as typed (decimal comma), the switches and the data sets\n"
           "# loaded. Open it with \"Otwórz przypadek…\" (Ctrl+O) or tgsim-cli --case FILE.\n";
    writeSwitches(out, contents.switches);
    for (std::size_t i = 0; i < kGridCount; ++i)
        if (contents.grids[i]) writeGrid(out, contents, static_cast<GridId>(i));
    return out.str();
}

}  // namespace tgsim
