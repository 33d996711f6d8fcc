#include "result_export.h"

#include <charconv>

namespace tgsim {

void writeResultsCsv(const Session& session, std::ostream& out) {
    out << "t,Id,Iw,iD1,Iq,iQ1,iQ2,omega,delta,alfa,beta,Ud,Uq,dUd,dUq,dId,dIq,Ug,dUg,errorIntegral,"
           "regulatorOutput\n";
    const ResultMatrix& results = session.results();
    for (std::size_t i = 0; i < results.storedRows(); ++i) {
        const auto row = results.row(i);
        for (int k = 0; k < kStateSize; ++k) {
            if (k) out << ',';
            out << csvNumber(row[static_cast<std::size_t>(k)]);
        }
        out << '\n';
    }
}

namespace {

void writeChartHeader(std::ostream& out) {
    for (int k = 0; k < kSeriesCount; ++k)
        out << (k ? "," : "") << kChartQuantities[static_cast<std::size_t>(k)].csvName;
    out << '\n';
}

// One line per row: `lead` (the run's column, or nothing), the time and the seventeen quantities.
void writeChartRows(const ChartRows& rows, const std::string& lead, std::ostream& out) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out << lead << csvNumber(rows.time(i));
        for (int k = 1; k <= kQuantityCount; ++k) out << ',' << csvNumber(rows.value(k, i));
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

void writeChartTable(const ChartRows& rows, std::span<const int> quantities, double from, double to,
                     std::ostream& out) {
    const auto cell = [&out](double value) {
        std::string text = csvNumber(value);
        for (char& c : text)
            if (c == '.') c = ',';
        out << text;
    };
    out << 't';
    for (int k : quantities) out << '\t' << kChartQuantities[static_cast<std::size_t>(k)].caption;
    out << '\n';
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double t = rows.time(i);
        if (!(t >= from && t <= to)) continue;
        cell(t);
        for (int k : quantities) {
            out << '\t';
            cell(rows.value(k, i));
        }
        out << '\n';
    }
}

void writeGrid(const TextGrid& grid, std::ostream& out) {
    for (int row = 0; row < TextGrid::kRows; ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            out << (column ? "\t" : "") << grid.cell(column, row);
        out << '\n';
    }
}

void writeState(const Session& s, std::ostream& out) {
    const TParametry& r = s.record();
    const ViewState& view = s.view();
    out << "scenario=" << s.scenario().scenarioName << '\n'
        << "model=" << modelName(r.model) << '\n'
        << "pssOrder=" << static_cast<int>(r.pssOrder) << '\n'
        << "ZalWyl_PSS=" << pssSwitchCaption(s.stabilizerOn()) << '\n'
        << "Wykr_DaneAkt=" << view.Wykr_DaneAkt << '\n'
        << "CalkaCieplna=" << view.CalkaCieplna << '\n'
        << "CalkaCieplna.visible=" << (view.CalkaCieplnaVisible ? "true" : "false") << '\n'
        << "stepCount=" << r.stepCount << '\n';
    for (std::size_t i = 0; i < view.panels.size(); ++i) out << "panel" << i << '=' << view.panels[i] << '\n';
}

}  // namespace tgsim
