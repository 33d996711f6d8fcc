// Values taken from the chart to the clipboard: the drawn quantities over the time range shown
// (Ctrl+C, or the right-click menu), or the readout's values under the mouse (the menu).
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QValueAxis>
#include <sstream>
#include <vector>

#include "driver/result_export.h"
#include "readout_tip.h"
#include "result_chart.h"

namespace tgsim::chart {

QString ResultChart::visibleRangeText() const {
    if (!session_) return {};
    std::vector<int> drawn;
    for (int k = 1; k < kSeriesCount; ++k)
        if (filled_[static_cast<std::size_t>(k)] && drawsLine(k)) drawn.push_back(k);
    std::ostringstream text;
    writeChartTable(session_->chartRows(), drawn, timeAxis_->min(), timeAxis_->max(), text);
    return QString::fromStdString(text.str());
}

void ResultChart::copyVisibleRange() { QGuiApplication::clipboard()->setText(visibleRangeText()); }

void ResultChart::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyVisibleRange();
        event->accept();
        return;
    }
    QChartView::keyPressEvent(event);
}

// Over a readout the menu offers its values (as the tip shows them at the click), the range
// and the full view; elsewhere the click goes back to the full view at once.
void ResultChart::rightClicked(QPoint position) {
    if (!readoutShown()) {
        resetZoom();
        return;
    }
    const QString values = tip_->text();
    if (!menu_) menu_ = new QMenu(this);
    menu_->clear();
    menu_->addAction(QStringLiteral("Kopiuj wartości spod kursora (%1)").arg(tip_->table().time),
                     [values] { QGuiApplication::clipboard()->setText(values); });
    QAction* range =
        menu_->addAction(QStringLiteral("Kopiuj przebiegi z widocznego zakresu"), [this] { copyVisibleRange(); });
    range->setShortcut(QKeySequence::Copy);
    menu_->addAction(QStringLiteral("Pełny widok"), [this] { resetZoom(); });
    menu_->popup(mapToGlobal(position));
}

}  // namespace tgsim::chart
