#pragma once
// The drawing objects of a Windows metafile as the record writers see them: plain values in
// logical units, compared so that an object already selected is not written again.
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace tgsim::metafile {

enum class MetafileFormat { Wmf, Emf };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Line styles in the numbering of the metafile formats (PS_SOLID ... PS_NULL).
enum class LineStyle : std::uint8_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, None = 5 };

struct PenSpec {
    LineStyle style = LineStyle::Solid;
    std::uint32_t capAndJoin = 0;  // PS_ENDCAP_* | PS_JOIN_* bits
    std::int32_t width = 0;        // logical units
    Rgb color;
    bool operator==(const PenSpec&) const = default;
};

struct BrushSpec {
    bool hollow = false;
    std::int32_t hatch = -1;  // HS_* hatch style, -1 for a solid brush
    Rgb color;
    bool operator==(const BrushSpec&) const = default;
};

struct FontSpec {
    std::int32_t height = 0;      // negative: character height in logical units
    std::int32_t escapement = 0;  // tenths of a degree, counter-clockwise
    std::int32_t weight = 400;
    bool italic = false;
    QString face;
    bool operator==(const FontSpec&) const = default;
};

using Polyline = std::vector<QPoint>;

}  // namespace tgsim::metafile
