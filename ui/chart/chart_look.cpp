#include "chart_look.h"

#include <array>
#include <vector>

#include "driver/chart_quantities.h"

namespace tgsim::chart {
namespace {

struct SeriesLook {
    QColor colour;
    Qt::PenStyle style;
};

// Colour and line style of series 0..17; series 6 holds its points but draws no line.
const std::array<SeriesLook, kSeriesCount> kSeriesLooks = {{
    {{128, 128, 128}, Qt::SolidLine},
    {{0, 128, 0}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},
    {{0, 0, 0}, Qt::DotLine},
    {{255, 255, 0}, Qt::SolidLine},
    {{255, 0, 0}, Qt::DashLine},
    {{128, 0, 64}, Qt::NoPen},
    {{255, 0, 255}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},
    {{0, 0, 128}, Qt::SolidLine},
    {{128, 0, 64}, Qt::DashDotLine},
    {{64, 0, 0}, Qt::SolidLine},
    {{128, 128, 0}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},
    {{128, 128, 128}, Qt::SolidLine},
}};

// The distinct colours, one per quantity, for lines on a white or light-yellow plot. Chosen so
// that every two lines differ by a colour difference (CIE L*a*b*) of at least 10 also as protan
// and deutan eyes see them (simulated), and the lines often drawn together (Uw, Ug and P; w, delta
// and P; alfa, beta and Uw; P and Q; Id, Iq and Ig; Ud, Uq and Ug) by at least 25. A line keeps
// the colour of its box where that reads well on white (P, teal); otherwise it takes a darker
// relative of it where one is free (Ud orange for its yellow box). The dotted, dashed and
// dash-dot lines keep their styles.
// clang-format off
const std::array<QColor, kSeriesCount> kDistinctColours = {{
    {128, 128, 128},
    {136, 34, 85},    // Id     wine
    {0, 0, 128},      // Iw     navy
    {0, 158, 115},    // iD1    bluish green
    {150, 150, 150},  // Iq     grey
    {51, 187, 238},   // iQ1    cyan
    {238, 51, 119},   // iQ2    magenta (draws no line)
    {153, 153, 51},   // w      olive
    {51, 34, 136},    // delta  indigo
    {153, 34, 34},    // alfa   dark red
    {170, 68, 153},   // beta   purple
    {230, 159, 0},    // Ud     orange
    {0, 68, 136},     // Uq     dark blue
    {213, 94, 0},     // Uw     vermillion
    {17, 119, 51},    // Ig     green
    {0, 0, 0},        // Ug     black
    {0, 128, 128},    // P      teal, as its box
    {153, 85, 0},     // Q      brown
}};
// clang-format on

// Dash patterns of kept runs 1..4 (dash and gap lengths in pen widths), none of them one of the
// live lines' styles (dash 4-2, dot 1-2, dash-dot 4-2-1-2).
const std::array<std::vector<qreal>, 4> kKeptDashes = {{
    {7, 3},
    {2.5, 2.5},
    {9, 3, 2, 3},
    {12, 3, 2, 3, 2, 3},
}};

// Part of the way from the live colour to white.
constexpr double kKeptLightening = 0.45;

const SeriesLook& look(int k) { return kSeriesLooks[static_cast<std::size_t>(k)]; }

QColor colour(int k, LineColours colours) {
    return colours == LineColours::Distinct ? kDistinctColours[static_cast<std::size_t>(k)] : look(k).colour;
}

}  // namespace

QPen livePen(int k, LineColours colours) {
    QPen pen(colour(k, colours), 1);
    pen.setStyle(look(k).style);
    return pen;
}

bool drawsLine(int k) { return k > 0 && k < kSeriesCount && look(k).style != Qt::NoPen; }

QPen keptPen(int k, int run, LineColours colours) {
    const QColor live = colour(k, colours);
    const auto lighter = [](int c) { return c + static_cast<int>((255 - c) * kKeptLightening + 0.5); };
    QPen pen(QColor(lighter(live.red()), lighter(live.green()), lighter(live.blue())), 1);
    pen.setDashPattern(QList<qreal>(kKeptDashes[static_cast<std::size_t>((run - 1) % 4)].begin(),
                                    kKeptDashes[static_cast<std::size_t>((run - 1) % 4)].end()));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen emphasised(QPen pen) {
    pen.setWidthF(2.0);
    return pen;
}

QFont smallFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QLocale chartLocale() { return QLocale(QLocale::Polish, QLocale::Poland); }

}  // namespace tgsim::chart
