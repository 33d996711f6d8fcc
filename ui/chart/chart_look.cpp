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

}  // namespace

QPen livePen(int k) {
    QPen pen(look(k).colour, 1);
    pen.setStyle(look(k).style);
    return pen;
}

bool drawsLine(int k) { return k > 0 && k < kSeriesCount && look(k).style != Qt::NoPen; }

QPen keptPen(int k, int run) {
    const QColor live = look(k).colour;
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
