// Machines from PSS/E files through the session: an import and an export give back the same
// grids; the example system's machines keep the file's numbers as their catalogue values and
// its H as the shaft's effective H; an imported machine holds its network steady state; and
// every kind of bad file is refused with nothing changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <string>

#include "base/cell_number.h"
#include "base/failure.h"
#include "data/load_parameters.h"
#include "data/psse/psse_text.h"
#include "driver/chart_quantities.h"
#include "driver/session.h"
#include "session_steps.h"
#include "tests/base/scratch_folders.h"

namespace tgsim {
namespace {

using testing::command;

// Bus 7: a machine with its PSS2A and an exciter; bus 8 a salient-pole machine; bus 9 two.
constexpr const char* kDyr =
    "  7 'GENROU' 'G1'  7.0 0.15 0.79 0.053\n"
    "     2.3 1.5 2.48 2.4 0.27 0.43 0.18 0.139 0.0 0.0 /\n"
    "  7 'PSS2A' 'G1' 1 0 3 0 5 1  10 10 0.02 10 10 10  0.3 1 0.1 0.1 20  0.15 0.03 0.25 0.05 0.1 -0.1 /\n"
    "  7 'ESST4B' 'G1' 0.02 3 /\n"
    "  8 'GENSAL' 1 5 0.05 0.1 3 0 1.2 0.7 0.3 0.2 0.1 0 0 /\n"
    "  9 'GENROU' 1 6 0.05 0.5 0.05 3 0 1.8 1.7 0.3 0.5 0.2 0.1 0 0 /\n"
    "  9 'GENROU' 2 6 0.05 0.5 0.05 3 0 1.8 1.7 0.3 0.5 0.2 0.1 0 0 /\n";

constexpr const char* kRaw =
    "0, 100.0, 33, 0, 1, 50.0\nhand-written\n\n"
    " 7,'GEN7', 15.75, 2\n 9,'GEN9', 10.5, 2\n 10,'NET', 400.0, 3\n0\n0\n0\n"
    " 7,'G1', 200, 50, 99, -99, 1.0, 0, 235.0, 0.0014, 0.2, 0, 0.15, 1.0, 1\n"
    " 9,'1', 50, 5, 99, -99, 1.0, 0, 80.0, 0, 0.2, 0, 0, 1.0, 1\n"
    " 9,'2', 50, 5, 99, -99, 1.0, 0, 80.0, 0, 0.2, 0, 0, 1.0, 1\n0\n0\n"
    " 9, 10, 0,'1',1,2,1, 0,0,2,'T9',1\n 0.0, 0.12, 100.0\n1.0,0\n1.0,0\n0\nQ\n";

void write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// The text without the line that begins with `start`.
std::string without(std::string text, const std::string& start) {
    const std::size_t at = text.find(start);
    return text.erase(at, text.find('\n', at) + 1 - at);
}

std::string gridsText(const Session& s) {
    std::string text;
    for (std::string_view name : kGridNames) {
        const TextGrid& grid = s.grids().byId(*gridIdByName(name));
        for (int row = 0; row < 2; ++row)
            for (int c = 0; c < grid.columnCount(); ++c) text += grid.cell(c, row) + "\t";
        text += "\n";
    }
    return text + modelName(s.record().model) + (s.stabilizerOn() ? " on" : " off") +
           std::to_string(s.record().pssOrder);
}

double cell(const Session& s, GridId grid, int column) { return parseCellNumber(s.grids().byId(grid).cell(column, 1)); }

std::string testData(const std::string& name) { return std::string(TGSIM_TEST_DATA) + "/" + name; }

TEST(MachineImport, ExportThenImportGivesTheSameGrids) {
    testing::ScratchFolder folder;
    write(folder / "m.dyr", kDyr);
    write(folder / "m.raw", kRaw);
    for (const char* machine : {"7", "9:2"}) {
        Session s;
        const std::string notes =
            s.importMachine(folder / "m.dyr", psse::splitMachineArgument(std::string("m@") + machine).second, true);
        EXPECT_NE(notes.find("Bases from "), std::string::npos) << notes;
        const std::string imported = gridsText(s);
        const psse::DyrExport exported = s.exportMachine();
        write(folder / "back.dyr", exported.text);  // no .raw beside: the grid's bases
        s.importMachine(folder / "back.dyr", {}, true);
        EXPECT_EQ(gridsText(s), imported) << exported.text;
    }
}

TEST(MachineImport, ThePss2aComesAlongConvertedAndItsGainStays) {
    testing::ScratchFolder folder;
    write(folder / "m.dyr", kDyr);
    write(folder / "m.raw", kRaw);
    Session s;
    const std::string notes = s.importMachine(folder / "m.dyr", {7, std::nullopt}, true);
    EXPECT_TRUE(s.stabilizerOn());
    EXPECT_EQ(s.record().pssOrder, kPss2aOrder);
    // M = 5, N = 1 with T8 = T9 is the program's filter with T8 = 0; the power path's sign and base.
    EXPECT_EQ(cell(s, GridId::Siatka_PSS, 7), 0.0);
    EXPECT_EQ(cell(s, GridId::Siatka_PSS, 8), 0.1);
    EXPECT_DOUBLE_EQ(cell(s, GridId::Siatka_PSS, 14), -0.3 * 0.85);
    EXPECT_EQ(s.grids().Siatka_PSS.cell(13, 1), "1");  // ks1 and kw of the layout's set
    EXPECT_EQ(s.grids().Siatka_PSS.cell(16, 1), "2");
    for (const char* said : {"Ks1 = 20", "VSTMAX = 0.1", "ESST4B (line 4)", "Xtr = XT = 0,15"})
        EXPECT_NE(notes.find(said), std::string::npos) << said << "\n" << notes;

    // Without the tick the stabilizer stays as it was.
    Session plain;
    plain.importMachine(folder / "m.dyr", {7, std::nullopt}, false);
    EXPECT_FALSE(plain.stabilizerOn());
    EXPECT_EQ(plain.record().pssOrder, kSingleInputOrder);
}

TEST(MachineImport, AStabilizerWithoutExactCounterpartIsLeftOutAndTheMachineImported) {
    testing::ScratchFolder folder;
    std::string dyr = kDyr;
    dyr.replace(dyr.find("10 10 0.02"), 10, "10 10 0.00");  // T6 = 0: the file bypasses the lag
    write(folder / "m.dyr", dyr);
    Session s;
    const Grids before = s.grids();
    const std::string notes = s.importMachine(folder / "m.dyr", {7, std::nullopt}, true);
    EXPECT_NE(notes.find("is not imported: T6 = 0 bypasses"), std::string::npos) << notes;
    EXPECT_FALSE(s.stabilizerOn());
    EXPECT_EQ(s.grids().siatka.cell(19, 1), "2,48");
    EXPECT_EQ(s.record().pssOrder, kSingleInputOrder);
    for (int c = 0; c < kPss2aColumns; ++c) EXPECT_EQ(s.grids().Siatka_PSS.cell(c, 1), before.Siatka_PSS.cell(c, 1));
}

// The no-load firing angle's cosine, Rf Iw0 / (kF Iwn cw ksi): the field ratings keep it.
double noLoadFiring(const Session& s) {
    TParametry r = s.record();
    readMachine(s.grids(), r);
    return r.Rf * r.Un / (r.omegan * r.Lad) / (r.kF * r.Iwn * r.cw * r.ksi);
}

TEST(MachineImport, ExampleMachinesKeepTheFilesNumbersAndHold) {
    const psse::DyrFile file = psse::readDyrFile(testData("ieee14.dyr"));
    for (const psse::DyrRecord* machine : psse::machines(file)) {
        SCOPED_TRACE(machine->key->bus);
        Session s;
        const double firing = noLoadFiring(s);
        const std::string notes = s.importMachine(testData("ieee14.dyr"), {machine->key->bus, std::nullopt}, true);
        EXPECT_NE(notes.find("S(1.0) = 0.09"), std::string::npos) << notes;
        const std::vector<double>& n = machine->numbers;
        const StandardParameters table = s.standardParameters();
        const std::pair<const char*, double> catalogue[] = {
            {"Td0'", n[0]}, {"Td0''", n[1]}, {"Tq0'", n[2]}, {"Tq0''", n[3]}, {"Xd", n[6]},
            {"Xq", n[7]},   {"Xd'", n[8]},   {"Xq'", n[9]},  {"Xd''", n[10]}, {"Xq''", n[10]}};
        for (const auto& [name, value] : catalogue) EXPECT_EQ(*standardParameter(table, name).catalogue, value) << name;
        EXPECT_NEAR(*standardParameter(table, "H_effective").value / n[4], 1.0, 1e-9);
        EXPECT_FALSE(standardParameter(table, "Ta").value);  // ZR = 0: a lossless stator
        EXPECT_NEAR(noLoadFiring(s), firing, 1e-12 * firing);

        command(s, "Pracawsieci1Click");
        s.Warunkizadane1Click();
        s.O1Click();
        double P = 0, Q = 0;
        for (std::size_t i = 0; i < s.chartRowCount(); ++i) {
            P = std::max(P, std::abs(chartValue(16, s.results().row(i), s.record()) - 0.5));
            Q = std::max(Q, std::abs(chartValue(17, s.results().row(i), s.record()) - 0.3));
        }
        EXPECT_LT(P, 0.005);
        EXPECT_LT(Q, 0.005);
    }
}

TEST(MachineImport, BadFilesAreRefusedWithNothingChanged) {
    const std::string genrou = "6 0.05 0.5 0.05 3 0 1.8 1.7 0.3 0.5 0.2 0.1 0 0";
    const struct {
        std::string dyr, raw, machine, message;
    } cases[] = {
        {"9 'GENROU' 1 " + genrou + "\n", "", "", "m.dyr:1: the record begun here"},
        {"9 'GENROU' 1 6 0.05 /", "", "", "m.dyr:1: GENROU record of machine 9 '1' has 2 numbers; expected 14"},
        {"9 'GENROU' 1 6 0.05 0.5 0.05 3 0\n1.8x 1.7 0.3 0.5 0.2 0.1 0 0 /", "", "",
         "m.dyr:2: GENROU record of machine 9 '1': '1.8x' where a number belongs (Xd)"},
        {kDyr, "", "5", "m.dyr: no machine at bus 5; the file's machines: GENROU 7 'G1' (line 1)"},
        {kDyr, "", "9", "m.dyr:6: bus 9 has 2 machines ('1' on line 6, '2' on line 7)"},
        {kDyr, "", "8", "m.dyr:5: GENSAL 8 '1' is a salient-pole machine"},
        {"9 'GENROU' 1 6 0.05 0.5 0.05 3 0 1.8 1.7 0.3 0.5 0.35 0.1 0 0 /", "", "",
         "m.dyr:1: GENROU 9 '1': the reactances must fall as Xd > X'd > X''d > Xl (here 1.8, 0.3, 0.35, 0.1)"},
        {kDyr, without(kRaw, " 7,'GEN7'"), "7", "m.raw: no bus 7 in the bus data"},
        {kDyr, without(kRaw, " 9,'2'"), "9:2", "m.raw: no generator 9 '2' in the generator data"},
        {kDyr, std::string(kRaw).replace(std::string(kRaw).find("15.75"), 5, "15.7x5"), "7",
         "m.raw:4: '15.7x5' where BASKV (a number) belongs"},
    };
    for (const auto& c : cases) {
        testing::ScratchFolder folder;
        write(folder / "m.dyr", c.dyr);
        if (!c.raw.empty()) write(folder / "m.raw", c.raw);
        Session s;
        command(s, "G3Click");
        const std::string before = gridsText(s);
        const std::string message = testing::failureOf(
            [&] { s.importMachine(folder / "m.dyr", psse::splitMachineArgument("m@" + c.machine).second, true); });
        const std::string expected = folder / c.message;
        EXPECT_EQ(message.rfind(expected, 0), 0u) << message;
        EXPECT_EQ(gridsText(s), before);
    }
}

}  // namespace
}  // namespace tgsim
