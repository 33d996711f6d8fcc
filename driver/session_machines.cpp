// The session's machines from dynamic data files: import and export.
#include <filesystem>

#include "data/pss_sets.h"
#include "session.h"

namespace tgsim {
namespace {

// NAME.raw (or NAME.RAW) beside NAME.dyr, where there is such a file.
std::optional<std::string> networkFileBeside(const std::string& dyrFile) {
    for (const char* extension : {".raw", ".RAW"}) {
        std::filesystem::path path(dyrFile);
        path.replace_extension(extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return path.string();
    }
    return std::nullopt;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

void Session::useNetworkFile(const std::string& name) { networkCase_ = psse::readRawFile(name); }

std::string Session::importMachine(const std::string& dyrFile, const psse::MachineChoice& choice, bool withPss) {
    const psse::DyrFile file = psse::readDyrFile(dyrFile);
    std::optional<psse::NetworkCase> beside;
    if (!networkCase_)
        if (const std::optional<std::string> raw = networkFileBeside(dyrFile)) beside = psse::readRawFile(*raw);
    const psse::NetworkCase* network = networkCase_ ? &*networkCase_ : beside ? &*beside : nullptr;
    const psse::MachineImport plan = psse::planMachineImport(grids_, record_.pssOrder, file, choice, network, withPss);
    applyMachineImport(plan);
    return joined(plan.notes);
}

void Session::applyMachineImport(const psse::MachineImport& plan) {
    if (plan.pss2aLayout) loadPss2aSet(kPss2aSets[0]);
    psse::applyEdits(plan.edits, grids_);
    record_.model = RotorModel::Klasyczny;
    machineKey_ = plan.key;
    generatorSet_ = psse::importedSetName(plan.key);
    view_.chartVisible = false;
    showGrid(GridId::siatka);
    if (plan.stabilizerOn) {
        stabilizerSet_ = "PSS2A " + psse::machineName(plan.key);
        setStabilizerSwitch(true);
    }
}

psse::DyrExport Session::exportMachine() const {
    return psse::exportMachine(grids_, machineKey_, record_.model, stabilizerOn_, record_.pssOrder);
}

}  // namespace tgsim
