#include "readout_tip.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <array>

#include "chart_look.h"
#include "base/cell_number.h"

namespace tgsim::chart {
namespace {

constexpr int kSignificantDigits = 6;
constexpr QPoint kOffset{14, 16};
constexpr int kMargin = 4;
constexpr int kCellGap = 8;
constexpr int kSampleLength = 14;  // the piece of line before a caption, and its gap
constexpr int kSampleGap = 4;

QString number(double value) { return QString::fromStdString(formatGeneral(value, kSignificantDigits)); }

QFont boldFont() {
    QFont font = smallFont();
    font.setBold(true);
    return font;
}

}  // namespace

void fillReadoutTable(const Readout& readout, int keptRuns, LineColours colours, ReadoutTable& table) {
    table.time = QStringLiteral("t = %1 s").arg(number(readout.time));
    table.heading.clear();
    if (keptRuns > 0) {
        table.heading = {QString(), QStringLiteral("bieżący")};
        for (int run = 1; run <= keptRuns; ++run) table.heading.push_back(QString::number(run));
    }
    table.rows.clear();
    table.rowPens.clear();
    table.boldRow = table.boldColumn = -1;
    std::array<bool, kSeriesCount> listed{};
    for (const ReadoutValue& first : readout.values) {
        if (listed[static_cast<std::size_t>(first.k)]) continue;
        listed[static_cast<std::size_t>(first.k)] = true;
        std::vector<QString> row(static_cast<std::size_t>(keptRuns) + 2, QStringLiteral("–"));
        row[0] = QLatin1String(kChartQuantities[static_cast<std::size_t>(first.k)].caption);
        for (std::size_t i = 0; i < readout.values.size(); ++i) {
            const ReadoutValue& v = readout.values[i];
            if (v.k != first.k || v.run > keptRuns) continue;
            row[static_cast<std::size_t>(v.run) + 1] = number(v.value);
            if (static_cast<int>(i) == readout.nearest) {
                table.boldRow = static_cast<int>(table.rows.size());
                table.boldColumn = v.run + 1;
            }
        }
        table.rows.push_back(std::move(row));
        table.rowPens.push_back(emphasised(livePen(first.k, colours)));
    }
}

ReadoutTip::ReadoutTip(QWidget* owner) : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("ChartReadout"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(smallFont());
}

QString ReadoutTip::text() const {
    QString text = table_.time;
    const auto line = [&text](const std::vector<QString>& cells) {
        text += QLatin1Char('\n');
        for (std::size_t i = 0; i < cells.size(); ++i) text += (i ? QStringLiteral("\t") : QString()) + cells[i];
    };
    if (!table_.heading.empty()) line(table_.heading);
    for (const auto& row : table_.rows) line(row);
    return text;
}

QSize ReadoutTip::layOut() {
    const QFontMetrics plain(font()), bold(boldFont());
    columnWidths_.assign(table_.heading.size(), 0);
    const auto widen = [this](std::size_t column, int width) {
        if (columnWidths_.size() <= column) columnWidths_.resize(column + 1, 0);
        columnWidths_[column] = std::max(columnWidths_[column], width);
    };
    for (std::size_t c = 0; c < table_.heading.size(); ++c) widen(c, plain.horizontalAdvance(table_.heading[c]));
    for (const auto& row : table_.rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widen(c, bold.horizontalAdvance(row[c]) + (c == 0 ? kSampleLength + kSampleGap : 0));
    int width = 0;
    for (int w : columnWidths_) width += w + kCellGap;
    width = std::max(width - kCellGap, plain.horizontalAdvance(table_.time));
    const int lines = 1 + (table_.heading.empty() ? 0 : 1) + static_cast<int>(table_.rows.size());
    return {width + 2 * kMargin, lines * plain.height() + 2 * kMargin};
}

void ReadoutTip::showAt(QPoint globalCursor) {
    const QSize size = layOut();
    if (size != this->size()) resize(size);
    QPoint place = globalCursor + kOffset;
    if (const QScreen* shown = parentWidget() ? parentWidget()->screen() : nullptr) {
        if (place.x() + width() > shown->geometry().right()) place.setX(globalCursor.x() - kOffset.x() - width());
        if (place.y() + height() > shown->geometry().bottom()) place.setY(globalCursor.y() - kOffset.y() - height());
    }
    move(place);
    update();
    if (!isVisible()) show();
}

void ReadoutTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int lineHeight = QFontMetrics(font()).height();
    int y = kMargin;
    const auto text = [&](int x, int width, const QString& cell, bool rightAligned) {
        painter.drawText(QRect(x, y, width, lineHeight),
                         (rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, cell);
    };
    text(kMargin, width() - 2 * kMargin, table_.time, false);
    y += lineHeight;
    const auto line = [&](const std::vector<QString>& cells, int boldColumn, const QPen* sample) {
        int x = kMargin;
        for (std::size_t c = 0; c < cells.size() && c < columnWidths_.size(); ++c) {
            const bool bold = static_cast<int>(c) == boldColumn;
            if (bold) painter.setFont(boldFont());
            if (c == 0 && sample) {
                const QPen textPen = painter.pen();
                painter.setPen(*sample);
                painter.drawLine(x, y + lineHeight / 2, x + kSampleLength, y + lineHeight / 2);
                painter.setPen(textPen);
                text(x + kSampleLength + kSampleGap, columnWidths_[c] - kSampleLength - kSampleGap, cells[c], false);
            } else {
                text(x, columnWidths_[c], cells[c], c > 0);
            }
            if (bold) painter.setFont(font());
            x += columnWidths_[c] + kCellGap;
        }
        y += lineHeight;
    };
    if (!table_.heading.empty()) line(table_.heading, -1, nullptr);
    for (std::size_t r = 0; r < table_.rows.size(); ++r)
        line(table_.rows[r], static_cast<int>(r) == table_.boldRow ? table_.boldColumn : -1,
             r < table_.rowPens.size() ? &table_.rowPens[r] : nullptr);
}

}  // namespace tgsim::chart
