#pragma once
// What the analysis windows share: read-only tables of figures (rows selected whole, cells aligned
// to the right for numbers or left for names, columns fitted to their contents), and showing the
// window in front.
#include <QStringList>
#include <QTableWidget>
#include <exception>

namespace tgsim::window {

QTableWidget* figureTable(QWidget* parent, const char* name, const QStringList& headers);
QTableWidgetItem* figureItem(const QString& text, Qt::Alignment alignment = Qt::AlignRight);
// Columns and rows to their contents, no cell marked as if the user had picked it.
void fitFigureColumns(QTableWidget* table);

// A refusal of an analysis as its window says it: a state not at rest or a firing angle at its
// limit in Polish, the quantity by its chart caption or grid header, with what to do; other
// failures (a cell that is not a number, a fault) in their own words.
QString refusalText(const std::exception& failure);
// Raises the failure again as the window says it (a cell's failure stays what it is, so that
// the window can show the cell).
[[noreturn]] void rethrowInWindowWords(const std::exception& failure);

// Shows the window in front of its owner; the first time at `firstSize`, afterwards at the size
// the user gave it (`sized` remembers).
void presentAnalysisWindow(QWidget* window, bool& sized, QSize firstSize);

}  // namespace tgsim::window
