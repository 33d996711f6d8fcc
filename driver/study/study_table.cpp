#include "study_table.h"

#include "driver/result_export.h"

namespace tgsim {

std::size_t figureCount(bool modes) { return modes ? kFigureNames.size() : kModesMaxReal; }

std::optional<std::size_t> figureIndex(std::string_view name) {
    for (std::size_t i = 0; i < kFigureNames.size(); ++i)
        if (name == kFigureNames[i]) return i;
    return std::nullopt;
}

std::string figureList() {
    std::string list;
    for (const char* name : kFigureNames) list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

std::string csvText(std::string_view text) {
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += "\"\"";
        else if (c == '\n' || c == '\r')
            field += ' ';
        else
            field += c;
    }
    return field + '"';
}

std::string tableHeader(const StudyOptions& study) {
    std::string line = "point";
    for (const Sweep& sweep : study.sweeps) line.append(",").append(sweep.header());
    line += ",status,message";
    for (std::size_t i = 0; i < figureCount(study.modes); ++i) line += std::string(",") + kFigureNames[i];
    return line + '\n';
}

std::string tableRow(const StudyOptions& study, const PointRow& row) {
    std::string line = std::to_string(row.point);
    const std::vector<std::uint64_t> indices = study.indices(row.point);
    for (std::size_t i = 0; i < study.sweeps.size(); ++i)
        line.append(",").append(csvText(study.sweeps[i].text(indices[i])));
    line += row.failed ? ",failed," : ",ok,";
    if (!row.message.empty()) line += csvText(row.message);
    for (std::size_t i = 0; i < figureCount(study.modes); ++i) {
        line += ',';
        const std::optional<double>& figure = row.figures[i];
        if (!figure) continue;
        line += i == kPoleSlip ? (*figure != 0.0 ? "1" : "0") : csvNumber(*figure);
    }
    return line + '\n';
}

}  // namespace tgsim
