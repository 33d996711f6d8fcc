#include "dyr_file.h"

#include <cmath>

#include "base/failure.h"
#include "base/message_text.h"
#include "psse_text.h"

namespace tgsim::psse {
namespace {

struct ModelLayout {
    std::string_view model;
    std::size_t count;
    std::string_view names;
};

// clang-format off
constexpr ModelLayout kLayouts[] = {
    {"GENROU", 14, "T'do T''do T'qo T''qo H D Xd Xq X'd X'q X''d Xl S(1.0) S(1.2)"},
    {"GENSAL", 12, "T'do T''do T''qo H D Xd Xq X'd X''d Xl S(1.0) S(1.2)"},
    {"PSS2A", 23, "ICS1 REMBUS1 ICS2 REMBUS2 M N Tw1 Tw2 T6 Tw3 Tw4 T7 Ks2 Ks3 T8 T9 Ks1 T1 T2 T3 T4 VSTMAX VSTMIN"},
};
// clang-format on

const ModelLayout* layoutOf(std::string_view model) {
    for (const ModelLayout& layout : kLayouts)
        if (layout.model == model) return &layout;
    return nullptr;
}

struct PlacedField {
    Field field;
    int line;
};

// The i-th word of a layout's names.
std::string nameAt(std::string_view names, std::size_t index) {
    for (std::size_t k = 0; k < index; ++k) names.remove_prefix(names.find(' ') + 1);
    return std::string(names.substr(0, names.find(' ')));
}

std::optional<long> busNumber(const Field& field) {
    if (field.quoted) return std::nullopt;
    const std::optional<double> value = parseNumber(field.text);
    if (!value || *value < 1 || *value > 2147483647.0 || std::floor(*value) != *value) return std::nullopt;
    return static_cast<long>(*value);
}

// A record of a model the program reads: bus, model, identifier and the model's numbers.
void readNumbers(const std::vector<PlacedField>& fields, const ModelLayout& layout, const std::string& file,
                 DyrRecord& record) {
    const std::string what = std::string(layout.model) + " record";
    if (!record.key)
        throw Failure(where(file, record.line) + what + ": expected a bus number and a machine identifier before " +
                      "the numbers, not " + quotedField(fields[0].field.text));
    const std::size_t count = fields.size() - 3;
    if (count != layout.count)
        throw Failure(where(file, record.line) + what + " of machine " + machineName(*record.key) + " has " +
                      std::to_string(count) + " numbers; expected " + std::to_string(layout.count) + ": " +
                      std::string(layout.names));
    for (std::size_t k = 0; k < count; ++k) {
        const PlacedField& placed = fields[k + 3];
        const std::optional<double> value = placed.field.quoted ? std::nullopt : parseNumber(placed.field.text);
        if (!value)
            throw Failure(where(file, placed.line) + what + " of machine " + machineName(*record.key) + ": " +
                          quotedField(placed.field.text) + " where a number belongs (" + nameAt(layout.names, k) + ")");
        record.numbers.push_back(*value);
    }
}

DyrRecord makeRecord(const std::vector<PlacedField>& fields, const std::string& file) {
    DyrRecord record;
    record.line = fields[0].line;
    if (fields.size() >= 2) record.model = machineId(fields[1].field.text);
    if (fields.size() >= 3)
        if (const std::optional<long> bus = busNumber(fields[0].field))
            record.key = MachineKey{*bus, machineId(fields[2].field.text)};
    if (const ModelLayout* layout = layoutOf(record.model)) readNumbers(fields, *layout, file, record);
    return record;
}

}  // namespace

std::string machineName(const MachineKey& key) { return std::to_string(key.bus) + " '" + key.id + "'"; }

std::size_t numberCount(std::string_view model) {
    const ModelLayout* layout = layoutOf(model);
    return layout ? layout->count : 0;
}

std::string numberNames(std::string_view model) {
    const ModelLayout* layout = layoutOf(model);
    return layout ? std::string(layout->names) : std::string();
}

DyrFile parseDyr(const std::vector<std::string>& lines, const std::string& name) {
    DyrFile file{name, {}};
    std::vector<PlacedField> pending;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        LineFields split = splitFields(lines[i]);
        for (Field& field : split.fields) pending.push_back({std::move(field), static_cast<int>(i + 1)});
        if (!split.slash || pending.empty()) continue;
        file.records.push_back(makeRecord(pending, name));
        pending.clear();
    }
    if (!pending.empty()) {
        const std::string model = pending.size() >= 2 ? " (" + quotedField(pending[1].field.text) + ")" : "";
        throw Failure(where(name, pending[0].line) + "the record begun here" + model +
                      " is not ended: expected a '/' after its numbers before the end of the file");
    }
    return file;
}

DyrFile readDyrFile(const std::string& name) { return parseDyr(readLines(name), name); }

bool isMachineModel(std::string_view model) { return model.starts_with("GEN"); }

std::vector<const DyrRecord*> machines(const DyrFile& file) {
    std::vector<const DyrRecord*> found;
    for (const DyrRecord& record : file.records)
        if (record.key && isMachineModel(record.model)) found.push_back(&record);
    return found;
}

}  // namespace tgsim::psse
