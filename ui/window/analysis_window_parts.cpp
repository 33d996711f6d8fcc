#include "analysis_window_parts.h"

#include <QHeaderView>

namespace tgsim::window {

QTableWidgetItem* figureItem(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

QTableWidget* figureTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void fitFigureColumns(QTableWidget* t) {
    t->setCurrentItem(nullptr);
    t->resizeColumnsToContents();
    t->resizeRowsToContents();
}

void presentAnalysisWindow(QWidget* window, bool& sized, QSize firstSize) {
    if (!sized) {
        window->resize(firstSize);
        sized = true;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tgsim::window
