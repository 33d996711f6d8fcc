// Prints the symbol tables of docs/model.md from the grids' column tables (data/grid_columns.h),
// each between the marker lines that docs/model.md carries:
//
//     tgsim_column_tables                 all tables with their markers, on standard output
//     tgsim_column_tables --write FILE    replaces the tables between the markers in FILE
//     tgsim_column_tables --check FILE    exit status 1 (and the tables' names) when FILE's differ
#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "data/grid_columns.h"

namespace {

using namespace tgsim;

struct Table {
    std::string name;  // as the markers name it
    ColumnTable columns;
};

const std::vector<Table> kTables = {
    {"siatka", kGeneratorTable},
    {"siatkaPraca", kControlTable},
    {"war_pocz", kInitialTable},
    {"Siatka_PSS PSS2A", kPss2aTable},
    {"Siatka_PSS single-input", kSingleInputTable},
    {"zadanystanustalony", kSteadyStateTable},
};

std::string beginMarker(const Table& table) { return "<!-- columns of " + table.name + " -->"; }
const std::string kEndMarker = "<!-- end of columns -->";

// A header as Markdown shows it exactly: in quotes, or as code when it holds a quote or a backtick.
std::string shownHeader(const std::string& header) {
    if (header.find('`') != std::string::npos) return "``" + header + "``";
    if (header.find('"') != std::string::npos) return "`" + header + "`";
    return "\"" + header + "\"";
}

std::string codeName(const GridColumn& c) {
    if (!*c.code) return "–";
    std::string name = "`" + std::string(c.code) + "`";
    if (c.element) name += " (" + std::to_string(c.element) + ")";
    return name;
}

std::string markdown(const Table& table) {
    std::vector<GridColumn> rows(table.columns.begin(), table.columns.end());
    std::sort(rows.begin(), rows.end(), [](const GridColumn& a, const GridColumn& b) { return a.column < b.column; });
    std::ostringstream out;
    out << beginMarker(table) << '\n'
        << "| Column | Header | Key | Symbol | Quantity | Unit | From the cell | Code name |\n"
        << "|---|---|---|---|---|---|---|---|\n";
    for (const GridColumn& c : rows)
        out << "| " << c.column << " | " << shownHeader(c.header) << " | `" << c.key << "` | " << c.symbol << " | "
            << c.meaning << " | " << c.unit << " | " << (c.readSwitch ? "its first three characters" : c.scale.text)
            << " | " << codeName(c) << " |\n";
    out << kEndMarker << '\n';
    return out.str();
}

// The text with every table between its markers replaced; the names of tables whose markers are
// missing go into `missing`.
std::string withTables(std::string text, std::vector<std::string>& missing) {
    for (const Table& table : kTables) {
        const std::size_t begin = text.find(beginMarker(table) + "\n");
        const std::size_t end = begin == std::string::npos ? begin : text.find(kEndMarker + "\n", begin);
        if (end == std::string::npos) {
            missing.push_back(table.name);
            continue;
        }
        text.replace(begin, end + kEndMarker.size() + 1 - begin, markdown(table));
    }
    return text;
}

int usage() {
    std::cerr << "usage: tgsim_column_tables [--write FILE | --check FILE]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 1) {
        for (const Table& table : kTables) std::cout << markdown(table) << '\n';
        return 0;
    }
    if (argc != 3) return usage();
    const std::string mode = argv[1], file = argv[2];
    if (mode != "--write" && mode != "--check") return usage();
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "tgsim_column_tables: cannot read " << file << '\n';
        return 2;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> missing;
    const std::string updated = withTables(text, missing);
    for (const std::string& name : missing) std::cerr << file << ": no markers for the columns of " << name << '\n';
    if (mode == "--check") {
        if (updated != text) std::cerr << file << ": the column tables differ from data/grid_columns.h\n";
        return updated == text && missing.empty() ? 0 : 1;
    }
    std::ofstream(file, std::ios::binary) << updated;
    return missing.empty() ? 0 : 1;
}
