#include "result_export.h"

#include <charconv>

namespace tgsim {

std::string roundTripNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".ein") != std::string::npos) {
        const std::size_t e = text.find('e');
        if (e != std::string::npos && text.find('.') == std::string::npos) text.insert(e, ".0");
        return text;
    }
    return text + ".0";
}

void writeResultsCsv(const Session& session, std::ostream& out) {
    out << "t,Id,Iw,iD1,Iq,iQ1,iQ2,omega,delta,alfa,beta,Ud,Uq,dUd,dUq,dId,dIq,Ug,dUg,errorIntegral,"
           "regulatorOutput\n";
    const ResultMatrix& results = session.results();
    for (std::size_t i = 0; i < results.storedRows(); ++i) {
        const auto row = results.row(i);
        for (int k = 0; k < kStateSize; ++k) {
            if (k) out << ',';
            out << roundTripNumber(row[static_cast<std::size_t>(k)]);
        }
        out << '\n';
    }
}

namespace {

void writeChartHeader(std::ostream& out) {
    for (int k = 0; k < kSeriesCount; ++k) out << (k ? "," : "") << kChartQuantities[static_cast<std::size_t>(k)].csvName;
    out << '\n';
}

// One line per row: `lead` (the run's column, or nothing), the time and the seventeen quantities.
void writeChartRows(const ChartRows& rows, const std::string& lead, std::ostream& out) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out << lead << roundTripNumber(rows.time(i));
        for (int k = 1; k <= kQuantityCount; ++k) out << ',' << roundTripNumber(rows.value(k, i));
        out << '\n';
    }
}

}  // namespace

void writeChartCsv(const Session& session, std::ostream& out) {
    writeChartHeader(out);
    writeChartRows(session.chartRows(), {}, out);
}

void writeCompareCsv(const Session& session, std::ostream& out) {
    out << "run,";
    writeChartHeader(out);
    const std::vector<KeptRun>& kept = session.keptRuns();
    for (std::size_t run = 0; run < kept.size(); ++run)
        writeChartRows(kept[run].chartRows(), std::to_string(run + 1) + ",", out);
    writeChartRows(session.chartRows(), "current,", out);
}

void writeGrid(const TextGrid& grid, std::ostream& out) {
    for (int row = 0; row < TextGrid::kRows; ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) out << (column ? "\t" : "") << grid.cell(column, row);
        out << '\n';
    }
}

void writeState(const Session& s, std::ostream& out) {
    const TParametry& r = s.record();
    const ViewState& view = s.view();
    out << "scenario=" << r.scenario.view() << '\n'
        << "model=" << r.model.view() << '\n'
        << "pssOrder=" << static_cast<int>(r.pssOrder) << '\n'
        << "ZalWyl_PSS=" << view.ZalWyl_PSS << '\n'
        << "Wykr_DaneAkt=" << view.Wykr_DaneAkt << '\n'
        << "CalkaCieplna=" << view.CalkaCieplna << '\n'
        << "CalkaCieplna.visible=" << (view.CalkaCieplnaVisible ? "true" : "false") << '\n'
        << "stepCount=" << r.stepCount << '\n';
    for (std::size_t i = 0; i < view.panels.size(); ++i) out << "panel" << i << '=' << view.panels[i] << '\n';
}

}  // namespace tgsim
