#pragma once
// An editable grid on the main window: a table without header sections whose first row holds
// the headers as ordinary cells, with fixed pixel column widths and a background colour.
#include <QColor>
#include <QTableView>
#include <utility>
#include <vector>

#include "text_grid_model.h"

namespace tgsim::window {

// How a grid looks on the window: its size in pixels (for some grids depending on how many
// columns they have), colour, column widths and row height.
struct GridLook {
    QSize size;
    QColor background;
    int columnWidth = 64;
    std::vector<std::pair<int, int>> wideColumns;  // (column, width) exceptions
    int rowHeight = 24;
    bool scrollBars = true;
    std::vector<std::pair<int, QSize>> sizeByColumns;  // (column count, size) exceptions
    bool resizableColumns = false;                     // the user drags a column's edge in the header row
};

class TextGridView : public QTableView {
    Q_OBJECT
public:
    TextGridView(Session& session, GridId grid, const GridLook& look, QWidget* parent);

    TextGridModel& gridModel() { return model_; }
    // Shows the session's text and visibility of the grid, at its size.
    void syncFromSession(const Session& session);
    // Selects the cell, makes it current and scrolls it into view (a cell that failed to convert).
    void showCell(int column, int row);
    // A locked grid takes no edit (a computation is running); an open cell editor commits and
    // closes.
    void setLocked(bool locked);

signals:
    // A mouse click into the grid (after the click has moved the current cell).
    void gridClicked();
    // A cell editor opened, and closed (what it typed is in the cell by then, or gone on Esc).
    void editStarted();
    void editFinished();
    // Del with cells selected: the owner clears them (the Del of "Koniec" never reaches it here).
    void clearRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void applyColumnWidths();
    void fitRowHeight();
    QSize lookSize() const;
    // The column whose right edge lies under `pos` in the header row, or -1.
    int columnEdgeAt(QPoint pos) const;

    TextGridModel model_;
    GridLook look_;
    int shownColumns_ = -1;
    int resizedColumn_ = -1;  // being widened or narrowed by a drag
    int dragStartX_ = 0;
    int dragStartWidth_ = 0;
};

}  // namespace tgsim::window
