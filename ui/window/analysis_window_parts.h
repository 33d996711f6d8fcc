#pragma once
// What the analysis windows share: read-only tables of figures (rows selected whole, cells aligned
// to the right for numbers or left for names, columns fitted to their contents), and showing the
// window in front.
#include <QStringList>
#include <QTableWidget>

namespace tgsim::window {

QTableWidget* figureTable(QWidget* parent, const char* name, const QStringList& headers);
QTableWidgetItem* figureItem(const QString& text, Qt::Alignment alignment = Qt::AlignRight);
// Columns and rows to their contents, no cell marked as if the user had picked it.
void fitFigureColumns(QTableWidget* table);

// Shows the window in front of its owner; the first time at `firstSize`, afterwards at the size
// the user gave it (`sized` remembers).
void presentAnalysisWindow(QWidget* window, bool& sized, QSize firstSize);

}  // namespace tgsim::window
