// A schematic of the national high-voltage network: outline, stations and lines. The
// geography is coarse on purpose; the map explains the network's structure, not surveying.
#include "network_map.h"

namespace tgsim::tools {
namespace {

using enum StationKind;
using enum Label;
using enum LineState;
using V = Voltage;

// clang-format off
constexpr GeoPoint kOutline[] = {
    // Coast, west to east.
    {14.22, 53.93}, {15.00, 54.05}, {15.60, 54.18}, {16.20, 54.30}, {16.80, 54.57},
    {17.50, 54.77}, {18.33, 54.84}, {18.45, 54.74}, {18.55, 54.55}, {18.70, 54.38},
    {19.00, 54.35}, {19.40, 54.38}, {19.65, 54.45},
    // Northern land border.
    {20.40, 54.38}, {21.30, 54.33}, {22.10, 54.33}, {22.79, 54.36}, {23.10, 54.28},
    {23.35, 54.20}, {23.52, 53.95},
    // Eastern border.
    {23.82, 53.55}, {23.90, 53.15}, {23.93, 52.72}, {23.50, 52.55}, {23.18, 52.32},
    {23.65, 52.08}, {23.60, 51.75}, {23.68, 51.50}, {24.10, 51.00}, {24.00, 50.45},
    {23.60, 50.30}, {23.00, 49.85}, {22.75, 49.55}, {22.86, 49.30}, {22.56, 49.08},
    // Southern border, east to west.
    {22.20, 49.15}, {21.80, 49.38}, {21.30, 49.44}, {20.90, 49.30}, {20.60, 49.40},
    {20.35, 49.40}, {20.05, 49.20}, {19.80, 49.20}, {19.45, 49.60}, {19.20, 49.42},
    {18.85, 49.52}, {18.60, 49.75}, {18.35, 49.95}, {18.05, 50.05}, {17.70, 50.32},
    {17.30, 50.28}, {16.90, 50.45}, {16.85, 50.20}, {16.55, 50.10}, {16.30, 50.38},
    {16.20, 50.65}, {15.85, 50.70}, {15.30, 50.85}, {15.00, 51.00}, {14.82, 50.87},
    // Western border, south to north.
    {15.00, 51.10}, {14.97, 51.35}, {14.72, 51.55}, {14.75, 52.05}, {14.65, 52.35},
    {14.55, 52.60}, {14.13, 52.83}, {14.38, 53.10}, {14.42, 53.28}, {14.30, 53.60},
};

constexpr GeoPoint kSea[] = {
    {12.50, 54.05}, {14.22, 53.93}, {15.00, 54.05}, {15.60, 54.18}, {16.20, 54.30},
    {16.80, 54.57}, {17.50, 54.77}, {18.33, 54.84}, {18.45, 54.74}, {18.55, 54.55},
    {18.70, 54.38}, {19.00, 54.35}, {19.40, 54.38}, {19.65, 54.45}, {19.95, 54.65},
    {20.30, 54.95}, {20.60, 56.00}, {12.50, 56.00},
};

constexpr Station kStations[] = {
    // North-west.
    {"DOD", {14.47, 53.20}, ThermalPlant, W},
    {"KRA", {14.40, 52.96}, Transformer400220, S},
    {"MOR", {14.95, 53.42}, Transformer400220, N},
    {"GOR", {15.23, 52.73}, Transformer400And220, N},
    {"DUN", {16.15, 54.05}, Transformer400, W},
    {"ZYD", {16.68, 53.92}, HydroPlant, SE},
    {"SLK", {16.95, 54.45}, Transformer400, S},
    {"PIA", {16.72, 53.15}, Transformer400, E},
    {"PLE", {16.82, 52.38}, Transformer400220, S},
    // South-west.
    {"LSN", {15.50, 51.95}, Transformer220MV, E},
    {"CRN", {15.85, 51.35}, Transformer400And220, E},
    {"TUR", {14.92, 50.93}, ThermalPlant, S},
    {"MIK", {15.22, 51.10}, Transformer400220, N},
    {"SWI", {16.35, 50.85}, Transformer220MV, S},
    {"WRO", {17.03, 51.12}, ThermalPlant, N},
    {"OPL", {17.95, 50.72}, ThermalPlant, W},
    // South.
    {"RYB", {18.52, 50.10}, ThermalPlant, W},
    {"JAW", {19.25, 50.20}, ThermalPlant, S},
    {"TCN", {19.35, 50.45}, Transformer400, E},
    {"JOA", {19.55, 50.80}, Transformer400, E},
    {"SKA", {19.82, 50.02}, ThermalPlant, N},
    {"POR", {19.20, 49.80}, HydroPlant, W},
    {"NID", {20.30, 49.42}, HydroPlant, S},
    {"KLA", {20.95, 50.02}, Transformer400And220, S},
    {"KRS", {21.75, 49.70}, Transformer400And220, W},
    {"SOL", {22.45, 49.38}, HydroPlant, E},
    {"WID", {21.92, 50.12}, Switching, E},
    {"POL", {21.30, 50.43}, ThermalPlant, N},
    {"STW", {22.05, 50.58}, ThermalPlant, E},
    // Centre.
    {"BEL", {19.33, 51.27}, ThermalPlant, E},
    {"LOD", {19.50, 51.75}, Transformer400And220, E},
    {"ADA", {18.62, 52.00}, ThermalPlant, S},
    {"PAT", {18.25, 52.30}, ThermalPlant, W},
    {"WLO", {19.05, 52.65}, HydroPlant, N},
    {"PLC", {19.70, 52.55}, Transformer400And220, N},
    {"SOC", {20.25, 52.22}, Transformer220MV, S},
    {"KIE", {20.62, 50.88}, Transformer220MV, W},
    {"ROZ", {21.15, 51.30}, Transformer400220, W},
    {"KOZ", {21.55, 51.62}, ThermalPlant, E},
    // North and east.
    {"ZRC", {18.08, 54.72}, HydroPlant, N},
    {"GBL", {18.60, 54.33}, Transformer400And220, E},
    {"PEL", {18.70, 53.93}, Transformer400220, W},
    {"GRU", {18.78, 53.48}, Transformer400, E},
    {"BYD", {17.95, 53.12}, Transformer400And220, W},
    {"OLM", {20.50, 53.80}, Transformer400, N},
    {"ELK", {22.35, 53.82}, SwitchingPlanned, N},
    {"OST", {21.60, 53.08}, ThermalPlant, E},
    {"MIL", {21.30, 52.22}, Transformer400220, E},
    {"SIE", {22.30, 52.15}, SwitchingPlanned, S},
    {"NAR", {23.20, 52.98}, Transformer400And220, W},
    {"ABR", {22.55, 51.22}, Transformer400And220, E},
    {"CHM", {23.47, 51.13}, Transformer220MV, E},
    {"ZAM", {23.25, 50.72}, Transformer220MV, E},
    // Tie lines to the neighbouring networks.
    {"DE1", {13.98, 52.98}, Border, W},
    {"DE2", {14.72, 51.20}, Border, W},
    {"CZ1", {18.15, 49.84}, Border, S},
    {"CZ2", {17.52, 50.12}, Border, S},
    {"SK", {21.78, 49.20}, Border, S},
    {"UA1", {24.25, 50.28}, Border, E},
    {"UA2", {24.20, 50.75}, Border, E},
    {"BY", {24.15, 53.12}, Border, E},
    {"LT", {23.75, 54.32}, Border, E},
};

constexpr Line kLines[] = {
    {"WID", "UA1", V::kV750, Existing},

    {"DOD", "KRA", V::kV400, Existing}, {"DOD", "MOR", V::kV400, Existing},
    {"KRA", "GOR", V::kV400, Existing}, {"MOR", "DUN", V::kV400, Existing},
    {"DUN", "SLK", V::kV400, Existing}, {"SLK", "ZRC", V::kV400, Existing},
    {"ZRC", "GBL", V::kV400, Existing}, {"GBL", "PEL", V::kV400, Existing},
    {"PEL", "GRU", V::kV400, Existing}, {"GRU", "PLC", V::kV400, Existing},
    {"BYD", "GRU", V::kV400, Existing}, {"BYD", "PLE", V::kV400, Existing},
    {"PLE", "PAT", V::kV400, Existing}, {"PAT", "BEL", V::kV400, Existing},
    {"PLC", "MIL", V::kV400, Existing}, {"OST", "MIL", V::kV400, Existing},
    {"OST", "NAR", V::kV400, Existing}, {"MIL", "KOZ", V::kV400, Existing},
    {"KOZ", "ROZ", V::kV400, Existing}, {"ROZ", "BEL", V::kV400, Existing},
    {"BEL", "JOA", V::kV400, Existing}, {"JOA", "TCN", V::kV400, Existing},
    {"ROZ", "POL", V::kV400, Existing}, {"POL", "KLA", V::kV400, Existing},
    {"POL", "WID", V::kV400, Existing}, {"KLA", "TCN", V::kV400, Existing},
    {"TCN", "RYB", V::kV400, Existing}, {"OPL", "TCN", V::kV400, Existing},
    {"OPL", "CZ2", V::kV400, Existing}, {"RYB", "CZ1", V::kV400, Existing},
    {"WID", "KRS", V::kV400, Existing}, {"KRS", "SK", V::kV400, Existing},
    {"TUR", "MIK", V::kV400, Existing}, {"MIK", "CRN", V::kV400, Existing},
    {"CRN", "PLE", V::kV400, Existing}, {"GOR", "PLE", V::kV400, Existing}, {"MIK", "DE2", V::kV400, Existing},
    {"WRO", "CRN", V::kV400, Existing},
    {"PEL", "OLM", V::kV400, UnderConstruction}, {"OLM", "ELK", V::kV400, UnderConstruction},
    {"ELK", "LT", V::kV400, UnderConstruction}, {"MIL", "SIE", V::kV400, UnderConstruction},
    {"SIE", "NAR", V::kV400, UnderConstruction}, {"PLE", "PIA", V::kV400, UnderConstruction},
    {"PIA", "DUN", V::kV400, UnderConstruction},
    {"KRA", "DE1", V::kV400, LowerVoltage}, {"ADA", "PLE", V::kV400, LowerVoltage},

    {"GOR", "LSN", V::kV220, Existing},
    {"LSN", "CRN", V::kV220, Existing}, {"SWI", "MIK", V::kV220, Existing},
    {"SWI", "WRO", V::kV220, Existing}, {"WRO", "OPL", V::kV220, Existing},
    {"RYB", "JAW", V::kV220, Existing}, {"JAW", "SKA", V::kV220, Existing},
    {"SKA", "POR", V::kV220, Existing}, {"SKA", "KLA", V::kV220, Existing},
    {"KIE", "ROZ", V::kV220, Existing}, {"BEL", "LOD", V::kV220, Existing},
    {"LOD", "SOC", V::kV220, Existing}, {"SOC", "PLC", V::kV220, Existing},
    {"SOC", "MIL", V::kV220, Existing}, {"PAT", "WLO", V::kV220, Existing},
    {"WLO", "PLC", V::kV220, Existing}, {"WLO", "BYD", V::kV220, Existing},
    {"BYD", "PIA", V::kV220, Existing}, {"ADA", "LOD", V::kV220, Existing},
    {"OST", "OLM", V::kV220, Existing}, {"OLM", "GRU", V::kV220, Existing},
    {"NAR", "BY", V::kV220, Existing}, {"ABR", "CHM", V::kV220, Existing},
    {"CHM", "ZAM", V::kV220, Existing}, {"ZAM", "UA2", V::kV220, Existing},
    {"ABR", "STW", V::kV220, Existing}, {"STW", "WID", V::kV220, Existing},
    {"STW", "POL", V::kV220, Existing}, {"ABR", "KOZ", V::kV220, Existing},
    {"LSN", "PLE", V::kV220, UnderConstruction},
    {"KIE", "POL", V::kV220, LowerVoltage},

    {"ZYD", "DUN", V::kV110, Existing}, {"ZYD", "PIA", V::kV110, Existing},
    {"NID", "SKA", V::kV110, Existing}, {"SOL", "KRS", V::kV110, Existing},
    {"NID", "KRS", V::kV110, UnderConstruction},
};

constexpr CountryName kCountryNames[] = {
    {"MORZE BAŁTYCKIE", {15.70, 54.62}, false},
    {"ROSJA", {21.30, 54.62}, false},
    {"LITWA", {23.55, 54.62}, false},
    {"BIAŁORUŚ", {24.35, 52.60}, true},
    {"UKRAINA", {24.35, 49.85}, true},
    {"SŁOWACJA", {20.40, 48.98}, false},
    {"CZECHY", {16.60, 49.95}, false},
    {"NIEMCY", {13.82, 51.90}, true},
};
// clang-format on

}  // namespace

std::span<const GeoPoint> countryOutline() { return kOutline; }
std::span<const GeoPoint> seaOutline() { return kSea; }
std::span<const Station> stations() { return kStations; }
std::span<const Line> lines() { return kLines; }
std::span<const CountryName> countryNames() { return kCountryNames; }

}  // namespace tgsim::tools
