#pragma once
// The standard parameters of the machine as the program models it: reactances, time constants,
// inertia, short-circuit ratio and rated point, computed exactly from the circuit constants of
// the record (the rotor model and every cell edit included), each beside the catalogue value
// typed in the generator grid where one exists. The machine is taken at its own terminals: the
// transformer reactance Xtr, which the program adds to the stator leakage, is left out.
#include <array>
#include <optional>
#include <ostream>
#include <string_view>

#include "core/model/parameter_record.h"

namespace tgsim {

struct StandardParameter {
    std::string_view name;            // "Xd", "Xd'", "Td0''", ..., "H_effective", "SCR", "Efn", "deltaN"
    std::string_view unit;            // "pu", "s", "-", "rad"
    std::optional<double> value;      // empty where the record does not define it (Ta with R = 0)
    std::optional<double> catalogue;  // the typed value, or empty
    std::optional<double> ratio;      // value / catalogue, where both exist
};

inline constexpr int kStandardParameterCount = 20;
using StandardParameters = std::array<StandardParameter, kStandardParameterCount>;

// Reads the record as LoadParameters leaves it (the rotor circuits of its model computed).
// Never faults: a quantity that comes out not finite is left empty, and the floating-point
// fault flags are cleared on return.
StandardParameters standardParameters(const TParametry& record);

// The row of that name; throws std::out_of_range for an unknown name.
const StandardParameter& standardParameter(const StandardParameters& table, std::string_view name);

// CSV: the header "name,value,unit,catalogue,ratio", then one line per row; numbers with a
// decimal point in the shortest form that reads back to the same double, empty fields for
// missing values.
void writeStandardParametersCsv(const StandardParameters& table, std::ostream& out);

}  // namespace tgsim
