#pragma once
// The national transmission network as the map shows it: the country outline, the stations
// with their three-letter codes and the lines between them, in geographic coordinates that
// the map projects onto its pixels. The legend explains the same symbols.
#include <QColor>
#include <QPointF>

#include <span>

class QPainter;

namespace tgsim::tools {

enum class Voltage { kV750, kV400, kV220, kV110 };

enum class LineState {
    Existing,
    UnderConstruction,
    LowerVoltage,  // built for its voltage, operated for the time being one level lower
};

enum class StationKind {
    Switching,             // switching station, existing
    SwitchingPlanned,      // switching station under construction
    Transformer400,        // 400/110 kV
    Transformer400And220,  // 400/110 kV with 220/110 kV
    Transformer400220,     // 400/220/110 kV
    Transformer220MV,      // 220 kV to medium voltage
    ThermalPlant,
    HydroPlant,
    Border,  // where a tie line leaves the country; drawn as an arrowhead
};

// Where a station's code sits against its symbol.
enum class Label { N, S, E, W, NE, NW, SE, SW };

struct GeoPoint {
    double lon;
    double lat;
};

struct Station {
    const char* code;
    GeoPoint at;
    StationKind kind;
    Label label;
};

struct Line {
    const char* from;
    const char* to;
    Voltage voltage;
    LineState state;
};

struct CountryName {
    const char* text;
    GeoPoint at;
    bool vertical;
};

std::span<const GeoPoint> countryOutline();  // clockwise from the western end of the coast
std::span<const GeoPoint> seaOutline();
std::span<const Station> stations();
std::span<const Line> lines();
std::span<const CountryName> countryNames();

// Pixel position of a geographic point on the map.
QPointF project(GeoPoint point);

// Symbols shared by the map and its legend.
QColor voltageColour(Voltage voltage);
void drawLineSymbol(QPainter& painter, QPointF a, QPointF b, Voltage voltage, LineState state);
void drawStationSymbol(QPainter& painter, QPointF at, StationKind kind);

// The legend below the map, starting at pixel row `top`.
void drawNetworkLegend(QPainter& painter, qreal top);

}  // namespace tgsim::tools
