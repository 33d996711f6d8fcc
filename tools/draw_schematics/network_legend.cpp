// The legend below the network map: line voltages and states on the left with the switching
// stations, power stations and transformer stations on the right.
#include "network_map.h"
#include "pictures.h"
#include "rich_text.h"

#include <QPainter>

namespace tgsim::tools {
namespace {

constexpr qreal kItemHeight = 21;

qreal drawHeading(QPainter& p, qreal x, qreal y, const QString& text) {
    p.setFont(labelFont(12, true));
    drawRichText(p, {x, y}, text, Qt::AlignLeft | Qt::AlignTop);
    p.setFont(labelFont(11));
    return y + 22;
}

// One legend row: a symbol centred at `symbolX`, its description to the right of `textX`.
void drawStationItem(QPainter& p, qreal symbolX, qreal textX, qreal y, StationKind kind, const QString& text) {
    drawStationSymbol(p, {symbolX, y + kItemHeight / 2}, kind);
    drawRichText(p, {textX, y + kItemHeight / 2}, text, Qt::AlignLeft | Qt::AlignVCenter);
}

// Lines: one column per voltage, one row per state.
qreal drawLinesTable(QPainter& p, qreal left, qreal y) {
    y = drawHeading(p, left, y, QStringLiteral("LINIE"));
    constexpr Voltage voltages[] = {Voltage::kV750, Voltage::kV400, Voltage::kV220, Voltage::kV110};
    constexpr qreal labelWidth = 128;
    constexpr qreal column = 48;
    for (int i = 0; i < 4; ++i) {
        const qreal centre = left + labelWidth + column * (i + 0.5);
        const QString name = QStringLiteral("%1 kV").arg(QStringList{"750", "400", "220", "110"}[i]);
        drawRichText(p, {centre, y}, name, Qt::AlignHCenter | Qt::AlignTop);
    }
    y += 18;
    struct Row {
        LineState state;
        QStringList text;
    };
    const Row rows[] = {
        {LineState::Existing, {QStringLiteral("istniejące")}},
        {LineState::UnderConstruction, {QStringLiteral("w budowie")}},
        {LineState::LowerVoltage, {QStringLiteral("czasowo pracujące"), QStringLiteral("na niższym napięciu")}},
    };
    for (const Row& row : rows) {
        const int lineCount = static_cast<int>(row.text.size());
        const qreal height = 12 + 14 * lineCount;
        for (int k = 0; k < lineCount; ++k)
            drawRichText(p, {left + 10, y + height / 2 + 14 * (k - (lineCount - 1) / 2.0)}, row.text[k],
                         Qt::AlignLeft | Qt::AlignVCenter);
        for (int i = 0; i < 4; ++i) {
            // A 110 kV line has no lower level to run at.
            if (row.state == LineState::LowerVoltage && voltages[i] == Voltage::kV110) continue;
            const qreal x = left + labelWidth + column * i;
            drawLineSymbol(p, {x + 6, y + height / 2}, {x + column - 6, y + height / 2}, voltages[i], row.state);
        }
        y += height;
    }
    return y;
}

}  // namespace

void drawNetworkLegend(QPainter& p, qreal top) {
    p.save();
    p.setPen(Qt::black);
    p.setFont(labelFont(13, true));
    drawRichText(p, {294.5, top + 8}, QStringLiteral("LEGENDA"), Qt::AlignHCenter | Qt::AlignTop);

    constexpr qreal leftColumn = 14;
    constexpr qreal rightColumn = 348;
    const qreal start = top + 38;

    qreal y = drawLinesTable(p, leftColumn, start);
    y = drawHeading(p, leftColumn, y + 18, QStringLiteral("STACJE"));
    drawStationItem(p, leftColumn + 18, leftColumn + 34, y, StationKind::Switching, QStringLiteral("istniejące"));
    drawStationItem(p, leftColumn + 18, leftColumn + 34, y + kItemHeight, StationKind::SwitchingPlanned,
                    QStringLiteral("w budowie"));

    y = drawHeading(p, rightColumn, start, QStringLiteral("ELEKTROWNIE"));
    drawStationItem(p, rightColumn + 18, rightColumn + 34, y, StationKind::ThermalPlant, QStringLiteral("cieplne"));
    drawStationItem(p, rightColumn + 18, rightColumn + 34, y + kItemHeight, StationKind::HydroPlant,
                    QStringLiteral("wodne"));
    y = drawHeading(p, rightColumn, y + 2 * kItemHeight + 18, QStringLiteral("TRANSFORMATORY"));
    const std::pair<StationKind, const char*> transformers[] = {
        {StationKind::Transformer400, "400/110 kV"},
        {StationKind::Transformer400And220, "400/110 kV i 220/110 kV"},
        {StationKind::Transformer400220, "400/220/110 kV"},
        {StationKind::Transformer220MV, "220 kV/SN"},
    };
    for (const auto& [kind, text] : transformers) {
        drawStationItem(p, rightColumn + 18, rightColumn + 34, y, kind, QString::fromUtf8(text));
        y += kItemHeight;
    }
    p.restore();
}

}  // namespace tgsim::tools
