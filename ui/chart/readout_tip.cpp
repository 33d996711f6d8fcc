#include "readout_tip.h"

#include <QScreen>
#include <array>

#include "chart_look.h"
#include "core/cell_number.h"

namespace tgsim::chart {
namespace {

constexpr int kSignificantDigits = 6;
constexpr QPoint kOffset{14, 16};

QString number(double value) { return QString::fromStdString(formatGeneral(value, kSignificantDigits)); }

}  // namespace

QString readoutText(const Readout& readout, int keptRuns) {
    QString text = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\"><tr><td colspan=\"%1\">t = %2 s</td></tr>")
                       .arg(keptRuns + 2)
                       .arg(number(readout.time));
    if (keptRuns > 0) {
        text += QStringLiteral("<tr><td></td><td align=\"right\">&nbsp;bieżący</td>");
        for (int run = 1; run <= keptRuns; ++run) text += QStringLiteral("<td align=\"right\">&nbsp;%1</td>").arg(run);
        text += QStringLiteral("</tr>");
    }
    std::array<bool, kSeriesCount> listed{};
    for (const ReadoutValue& first : readout.values) {
        if (listed[static_cast<std::size_t>(first.k)]) continue;
        listed[static_cast<std::size_t>(first.k)] = true;
        text += QStringLiteral("<tr><td>%1</td>").arg(QLatin1String(kChartQuantities[static_cast<std::size_t>(first.k)].caption));
        for (int run = 0; run <= keptRuns; ++run) {
            QString cell = QStringLiteral("–");
            for (std::size_t i = 0; i < readout.values.size(); ++i) {
                const ReadoutValue& v = readout.values[i];
                if (v.k != first.k || v.run != run) continue;
                cell = number(v.value);
                if (static_cast<int>(i) == readout.nearest) cell = QStringLiteral("<b>%1</b>").arg(cell);
            }
            text += QStringLiteral("<td align=\"right\">&nbsp;%1</td>").arg(cell);
        }
        text += QStringLiteral("</tr>");
    }
    return text + QStringLiteral("</table>");
}

ReadoutTip::ReadoutTip(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("ChartReadout"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(smallFont());
    setTextFormat(Qt::RichText);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(2);
}

void ReadoutTip::showAt(const QString& text, QPoint globalCursor) {
    if (text != this->text()) {
        setText(text);
        adjustSize();
    }
    QPoint place = globalCursor + kOffset;
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr;
    if (screen && place.x() + width() > screen->geometry().right())
        place.setX(globalCursor.x() - kOffset.x() - width());
    if (screen && place.y() + height() > screen->geometry().bottom())
        place.setY(globalCursor.y() - kOffset.y() - height());
    move(place);
    if (!isVisible()) show();
}

}  // namespace tgsim::chart
