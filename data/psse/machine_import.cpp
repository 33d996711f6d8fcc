#include "machine_import.h"

#include <array>
#include <charconv>
#include <numbers>

#include "base/cell_number.h"
#include "base/csv_number.h"
#include "base/failure.h"
#include "base/fp_fault.h"
#include "data/cell_failure.h"
#include "data/grid_columns.h"
#include "import_conversions.h"
#include "psse_text.h"

namespace tgsim::psse {
namespace {

// The GENROU numbers by name.
struct Genrou {
    double Td0p, Td0pp, Tq0p, Tq0pp, H, D, Xd, Xq, Xdp, Xqp, Xdpp, Xl, S10, S12;
};

Genrou genrouOf(const DyrRecord& record) {
    const std::vector<double>& n = record.numbers;
    return {n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8], n[9], n[10], n[11], n[12], n[13]};
}

std::string machineHead(const DyrFile& file, const DyrRecord& machine) {
    return where(file.name, machine.line) + machine.model + " " + machineName(*machine.key);
}

std::string listOfMachines(const DyrFile& file) {
    std::string list;
    for (const DyrRecord* machine : machines(file))
        list += (list.empty() ? "" : ", ") + machine->model + " " + machineName(*machine->key) + " (line " +
                std::to_string(machine->line) + ")";
    return list.empty() ? "the file has no machine records" : "the file's machines: " + list;
}

void requireGenrou(const DyrFile& file, const DyrRecord& machine) {
    if (machine.model == "GENROU") return;
    if (machine.model == "GENSAL" || machine.model == "GENSAE")
        throw Failure(machineHead(file, machine) +
                      " is a salient-pole machine: this model holds a round-rotor q axis (two q-axis rotor "
                      "circuits, Xq' and Xq''), so only GENROU records are imported");
    throw Failure(machineHead(file, machine) + " is not imported: only GENROU records (round-rotor machines) are");
}

// The values the classical circuits cannot take: every time constant and H above zero, the
// reactances of each axis falling from synchronous to leakage.
void checkGenrou(const DyrFile& file, const DyrRecord& machine, const Genrou& g) {
    const auto refuse = [&](const std::string& what) { throw Failure(machineHead(file, machine) + ": " + what); };
    const std::pair<const char*, double> positive[] = {
        {"T'do", g.Td0p}, {"T''do", g.Td0pp}, {"T'qo", g.Tq0p}, {"T''qo", g.Tq0pp}, {"H", g.H}};
    for (const auto& [name, value] : positive)
        if (!(value > 0.0)) refuse(std::string(name) + " = " + csvNumber(value) + ": it must be above zero");
    if (g.Xl < 0.0) refuse("Xl = " + csvNumber(g.Xl) + ": it must not be negative");
    const auto falling = [&](const char* rule, const std::array<double, 4>& values) {
        for (std::size_t k = 1; k < values.size(); ++k)
            if (!(values[k] < values[k - 1]))
                refuse(std::string("the reactances must fall as ") + rule + " (here " + csvNumber(values[0]) + ", " +
                       csvNumber(values[1]) + ", " + csvNumber(values[2]) + ", " + csvNumber(values[3]) + ")");
    };
    falling("Xd > X'd > X''d > Xl", {g.Xd, g.Xdp, g.Xdpp, g.Xl});
    falling("Xq > X'q > X''q > Xl, with X''q = X''d", {g.Xq, g.Xqp, g.Xdpp, g.Xl});
}

// The records of the machine's own bus and identifier other than the machine and the stabilizer
// taken: what the model leaves out.
std::string otherRecords(const DyrFile& file, const DyrRecord& machine, const DyrRecord* stabilizer) {
    std::string list;
    for (const DyrRecord& record : file.records)
        if (&record != &machine && &record != stabilizer && record.key == machine.key)
            list += (list.empty() ? "" : ", ") + record.model + " (line " + std::to_string(record.line) + ")";
    return list;
}

void writeMachineCells(ImportCells& cells, const Genrou& g, const MachineKey& key) {
    const std::pair<double TParametry::*, double> values[] = {
        {&TParametry::Xd, g.Xd},      {&TParametry::Xq, g.Xq},      {&TParametry::Xd1, g.Xdp},
        {&TParametry::Xq1, g.Xqp},    {&TParametry::Xd2, g.Xdpp},   {&TParametry::Xq2, g.Xdpp},
        {&TParametry::Xs, g.Xl},      {&TParametry::Td01, g.Td0p},  {&TParametry::Tq01, g.Tq0p},
        {&TParametry::Td02, g.Td0pp}, {&TParametry::Tq02, g.Tq0pp},
    };
    for (const auto& [field, value] : values) cells.setMachine(field, value);
    cells.setSetName(importedSetName(key));
}

}  // namespace

std::pair<std::string, MachineChoice> splitMachineArgument(std::string_view word) {
    const std::size_t at = word.rfind('@');
    if (at == std::string_view::npos) return {std::string(word), {}};
    const std::string_view suffix = word.substr(at + 1);
    const std::size_t colon = suffix.find(':');
    const std::string_view busText = suffix.substr(0, colon);
    long bus = 0;
    const auto [ptr, ec] = std::from_chars(busText.data(), busText.data() + busText.size(), bus);
    if (ec != std::errc() || ptr != busText.data() + busText.size() || bus < 1 || busText.empty())
        return {std::string(word), {}};
    MachineChoice choice{bus, std::nullopt};
    if (colon != std::string_view::npos) {
        const std::string id = machineId(suffix.substr(colon + 1));
        if (id.empty() || id.find_first_of(":@") != std::string::npos) return {std::string(word), {}};
        choice.id = id;
    }
    return {std::string(word.substr(0, at)), choice};
}

const DyrRecord& chooseMachine(const DyrFile& file, const MachineChoice& choice) {
    const std::vector<const DyrRecord*> all = machines(file);
    if (!choice.bus) {
        for (const DyrRecord* machine : all)
            if (machine->model == "GENROU") return *machine;
        throw Failure(where(file.name, 0) + "no GENROU record; " + listOfMachines(file));
    }
    std::vector<const DyrRecord*> atBus;
    for (const DyrRecord* machine : all)
        if (machine->key->bus == *choice.bus && (!choice.id || machine->key->id == *choice.id))
            atBus.push_back(machine);
    if (atBus.empty())
        throw Failure(where(file.name, 0) + "no machine " +
                      (choice.id ? machineName({*choice.bus, *choice.id}) : "at bus " + std::to_string(*choice.bus)) +
                      "; " + listOfMachines(file));
    if (atBus.size() > 1) {
        std::string ids;
        for (const DyrRecord* machine : atBus)
            ids += (ids.empty() ? "'" : ", '") + machine->key->id + "' on line " + std::to_string(machine->line);
        throw Failure(where(file.name, atBus[0]->line) + "bus " + std::to_string(*choice.bus) + " has " +
                      std::to_string(atBus.size()) + " machines (" + ids + "): expected one named by its " +
                      "identifier, FILE@" + std::to_string(*choice.bus) + ":ID");
    }
    const DyrRecord* const chosen = atBus.front();  // a record of `file`, not of the vector
    return *chosen;
}

const DyrRecord* pss2aOf(const DyrFile& file, const MachineKey& key) {
    for (const DyrRecord& record : file.records)
        if (record.model == "PSS2A" && record.key == key) return &record;
    return nullptr;
}

std::string importedSetName(const MachineKey& key) { return "GENROU " + machineName(key); }

MachineImport planMachineImport(const Grids& grids, std::uint8_t pssOrder, const DyrFile& file,
                                const MachineChoice& choice, const NetworkCase* network, bool withPss) {
    const DyrRecord& machine = chooseMachine(file, choice);
    requireGenrou(file, machine);
    const Genrou g = genrouOf(machine);
    checkGenrou(file, machine, g);

    MachineImport plan;
    plan.key = *machine.key;
    Grids after = grids;
    ImportCells cells(after, plan.edits);
    plan.notes.push_back("Imported " + machine.model + " " + machineName(plan.key) + " (" + file.name + ", line " +
                         std::to_string(machine.line) + ") with the classical rotor model, whose circuits read " +
                         "the record's time constants as GENROU does.");
    if (network)
        writeNetworkBases(cells, *network, plan.key, plan.notes);
    else
        plan.notes.push_back(gridBasesNote(grids.siatka));
    writeMachineCells(cells, g, plan.key);
    writeShaft(cells, g.H, g.D);
    if (network) writeStatorAndTransformer(cells, *network, plan.key, plan.notes);
    writeFieldRatings(cells, grids.siatka, plan.notes);

    const DyrRecord* stabilizer = pss2aOf(file, plan.key);
    if (stabilizer && withPss) {
        const std::string pssHead =
            "The PSS2A of " + machineName(plan.key) + " (line " + std::to_string(stabilizer->line) + ")";
        if (writeStabilizer(cells, *stabilizer, pssOrder, pssHead, plan.notes)) {
            plan.pss2aLayout = pssOrder != kPss2aOrder;
            plan.stabilizerOn = true;
        }
    } else if (stabilizer) {
        plan.notes.push_back("The file's PSS2A of " + machineName(plan.key) + " (line " +
                             std::to_string(stabilizer->line) + ") is not imported (not asked for).");
    }

    std::string dropped;
    if (g.S10 != 0.0 || g.S12 != 0.0)
        dropped = "saturation S(1.0) = " + csvNumber(g.S10) + ", S(1.2) = " + csvNumber(g.S12) +
                  " (the model's magnetic circuits are linear)";
    const std::string others = otherRecords(file, machine, stabilizer && plan.stabilizerOn ? stabilizer : nullptr);
    if (!others.empty()) dropped += (dropped.empty() ? "" : "; ") + std::string("the machine's ") + others;
    if (!dropped.empty()) plan.notes.push_back("Not imported: " + dropped + ".");
    return plan;
}

void applyEdits(const std::vector<CellEdit>& edits, Grids& grids) {
    for (const CellEdit& edit : edits) grids.byId(edit.grid).setCell(edit.column, 1, edit.text);
}

}  // namespace tgsim::psse
